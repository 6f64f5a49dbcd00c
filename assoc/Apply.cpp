#include "assoc/Apply.h"
#include "mainwin/Associate.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace assoc {
namespace {
const QString kRemove = QStringLiteral("-u");

// Message boxes for a run without a display: the text goes to the error output and the
// default button answers.
class ConsoleBoxes : public MessageBoxes {
public:
    int show(const QString& text, int flags, const QString& title) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        ++shown;
        return DefaultAnswer(flags);
    }
    int shown = 0;
};
} // namespace

std::array<bool, 6> Preselection() { return {true, true, true, true, true, false}; }

QString FolderOf(const QString& commandLine) {
    QString folder = commandLine;
    if (folder.size() >= 2 && folder.startsWith(u'"') && folder.endsWith(u'"'))
        folder = folder.mid(1, folder.size() - 2);
    if (folder.endsWith(u'/')) folder.chop(1);
    // The desktop starts the editor from anywhere: a folder relative to where this program
    // runs would name nothing there.
    return folder.isEmpty() ? folder : QDir::cleanPath(QDir(folder).absolutePath());
}

bool ApplyAssociations(const QString& commandLine, const std::array<bool, 6>& selected) {
    const QString folder = FolderOf(commandLine);
    const QString program = folder + QStringLiteral("/lumerin");
    const std::array<bool, 6> editors = EditorRows();
    bool associates = false;
    for (int i = 0; i < 6; ++i) associates = associates || (selected[i] && !editors[i]);
    if (associates) {
        // An association that names no program would leave the files opening with nothing.
        QString problem;
        if (folder.isEmpty())
            problem = QStringLiteral("No folder was given. Start lumassoc with the folder that holds lumerin, or with "
                                     "-u to remove the associations.");
        else if (!QFileInfo(folder).isDir())
            problem = QStringLiteral("The folder ") + folder + QStringLiteral(" does not exist.");
        else if (!QFileInfo(program).isFile() || !QFileInfo(program).isExecutable())
            problem = QStringLiteral("The folder ") + folder + QStringLiteral(" holds no program lumerin.");
        if (!problem.isEmpty()) {
            MsgBox(problem + QStringLiteral(" Nothing was changed."), vb::Exclamation);
            return false;
        }
    }
    MatchAssociations(selected, program, editors);
    return true;
}

int RunWithoutWindow(const QString& commandLine) {
    ConsoleBoxes boxes;
    MessageBoxes* before = InstallMessageBoxes(&boxes);
    ApplyAssociations(commandLine, commandLine == kRemove ? std::array<bool, 6>{} : Preselection());
    InstallMessageBoxes(before);
    return boxes.shown == 0 ? 0 : 1;
}

bool WithoutWindow(const QString& commandLine) {
    return commandLine == kRemove ||
           (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"));
}

} // namespace assoc
