#include "platform/FileDialogs.h"

#include <QFileDialog>

namespace {
struct FilterPair {
    QString description;
    QString patterns; // ";"-separated
};

QList<FilterPair> filterPairs(const QString& filterList) {
    const QStringList parts = filterList.split(QChar(0));
    QList<FilterPair> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) pairs.append({parts.at(i), parts.at(i + 1)});
    return pairs;
}

// Non-native, so that it looks and behaves the same everywhere and tests can drive it; Qt's own
// overwrite question is off because the program asks its own.
class RealFileDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget* owner, const QString& filterList, const QString& title,
                                    const QString& folder) override {
        QFileDialog d(owner, title, folder);
        prepare(d, filterList);
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
        return d.selectedFiles().first();
    }

    std::optional<SaveChoice> saveFile(QWidget* owner, const QString& filterList, const QString& title,
                                       const QString& folder) override {
        QFileDialog d(owner, title, folder);
        prepare(d, filterList);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
        return SaveChoice{d.selectedFiles().first(), chosenFilter(d, filterList)};
    }

    std::optional<QString> browseFolder(const QString& title, QWidget* owner) override {
        QFileDialog d(owner, title);
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setFileMode(QFileDialog::Directory);
        d.setOption(QFileDialog::ShowDirsOnly);
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
        return d.selectedFiles().first();
    }

private:
    // The 1-based position of the chosen filter; the dialog names it without the hidden patterns.
    static int chosenFilter(const QFileDialog& d, const QString& filterList) {
        const QString chosen = d.selectedNameFilter();
        const QList<FilterPair> pairs = filterPairs(filterList);
        const QStringList filters = QtNameFilters(filterList);
        for (int i = 0; i < pairs.size(); ++i)
            if (chosen == filters.at(i) || chosen == pairs.at(i).description) return i + 1;
        return 1;
    }

    static void prepare(QFileDialog& d, const QString& filterList) {
        d.setObjectName(QStringLiteral("FileDialog"));
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setOption(QFileDialog::DontConfirmOverwrite);
        // The descriptions already show their patterns; Qt's copy of them stays hidden.
        d.setOption(QFileDialog::HideNameFilterDetails);
        const QStringList filters = QtNameFilters(filterList);
        d.setNameFilters(filters);
        if (!filters.isEmpty()) d.selectNameFilter(filters.first());
    }
};

RealFileDialogs realDialogs;
FileDialogs* current = &realDialogs;
} // namespace

FileDialogs* InstallFileDialogs(FileDialogs* dialogs) {
    FileDialogs* old = current == &realDialogs ? nullptr : current;
    current = dialogs ? dialogs : &realDialogs;
    return old;
}

FileDialogs& fileDialogs() { return *current; }

QStringList QtNameFilters(const QString& filterList) {
    // Qt reads the patterns from the last parentheses, separated by blanks; the descriptions'
    // own parentheses hold commas, so the pattern half of each pair is what Qt gets.
    QStringList filters;
    for (const FilterPair& p : filterPairs(filterList)) {
        QString patterns = p.patterns;
        patterns.replace(u';', u' ');
        filters << p.description + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}

QString GetOpenFile(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder) {
    const std::optional<QString> path = current->openFile(owner, filterList, title, initialFolder);
    return path && !path->isEmpty() ? *path : QStringLiteral("cancel");
}

QString GetSaveFileRaw(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder,
                       int& filterIndex) {
    const std::optional<SaveChoice> choice = current->saveFile(owner, filterList, title, initialFolder);
    if (!choice || choice->path.isEmpty()) return QStringLiteral("cancel");
    filterIndex = choice->filterIndex - 1;
    return choice->path;
}

QString BrowseFolder(const QString& title, QWidget* owner) {
    const std::optional<QString> folder = current->browseFolder(title, owner);
    return folder ? *folder : QString();
}
