// The desktop services the program takes from its surroundings: the program folder and command
// line, the beep, the clipboard, popup menus, the screen fonts, opening a document with its
// application, and ending the program. Tests install a recording stand-in.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual QString programFolder() = 0;
    // The program's own file name in that folder.
    virtual QString programFile();
    // The arguments after the program name, joined by blanks.
    virtual QString commandLine() = 0;
    virtual void beep() = 0;
    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Shows the menu at a global position; the chosen action (already triggered) or nullptr.
    virtual QAction* popup(QMenu* menu, const QPoint& globalPos) = 0;
    virtual QStringList screenFonts() = 0;
    // Opens a document or address with its application. Results follow the old shell's codes:
    // above 32 success, 31 no application for the type, below 31 another failure.
    virtual int shellOpen(const QString& document) = 0;
    virtual void exitProgram(int code) = 0;
};

Desktop& desktop();
Desktop* InstallDesktop(Desktop* d);

// Program folder with a final "/".
QString ProgramFolder();
// The program's own file, as it is named.
QString ProgramPath();
// A default folder that is empty or gone gives way to the program folder.
QString FolderOrProgram(const QString& folder);
QString CommandLine();
void Beep();
QString ClipboardText();
void SetClipboardText(const QString& text);
QAction* PopupMenu(QMenu* menu, const QPoint& globalPos);
QStringList ScreenFonts();
void ExitProgram(int code = 0);
