#include "platform/Desktop.h"
#include "platform/Associations.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QUrl>
#include <cstdlib>

QString Desktop::programFile() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

namespace {
class RealDesktop : public Desktop {
public:
    QString programFolder() override { return QCoreApplication::applicationDirPath(); }
    QString commandLine() override {
        QStringList args = QCoreApplication::arguments();
        if (!args.isEmpty()) args.removeFirst();
        return args.join(u' ');
    }
    void beep() override { QApplication::beep(); }
    QString clipboardText() override { return QGuiApplication::clipboard()->text(); }
    void setClipboardText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
    QAction* popup(QMenu* menu, const QPoint& globalPos) override { return menu->exec(globalPos); }
    QStringList screenFonts() override { return QFontDatabase::families(); }
    int shellOpen(const QString& document) override {
        const bool isUrl = document.contains(QStringLiteral("://")) || document.startsWith(QStringLiteral("mailto:"));
        if (!isUrl && !QFileInfo::exists(document)) return 2; // file not found
        const QUrl url = isUrl ? QUrl(document) : QUrl::fromLocalFile(document);
        // The launcher only says whether it started, not whether anything could open the address.
        if (!xdg::CanOpen(url)) return 31;
        return QDesktopServices::openUrl(url) ? 42 : 31;
    }
    void exitProgram(int code) override { std::exit(code); }
};

RealDesktop realDesktop;
Desktop* current = &realDesktop;
} // namespace

Desktop& desktop() { return *current; }

Desktop* InstallDesktop(Desktop* d) {
    Desktop* old = current == &realDesktop ? nullptr : current;
    current = d ? d : &realDesktop;
    return old;
}

QString ProgramFolder() {
    QString f = current->programFolder();
    if (!f.endsWith(u'/')) f += u'/';
    return f;
}
QString ProgramPath() { return ProgramFolder() + current->programFile(); }
QString FolderOrProgram(const QString& folder) {
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? ProgramFolder() : folder;
}
QString CommandLine() { return current->commandLine(); }
void Beep() { current->beep(); }
QString ClipboardText() { return current->clipboardText(); }
void SetClipboardText(const QString& text) { current->setClipboardText(text); }
QAction* PopupMenu(QMenu* menu, const QPoint& globalPos) { return current->popup(menu, globalPos); }
QStringList ScreenFonts() { return current->screenFonts(); }
void ExitProgram(int code) { current->exitProgram(code); }
