// What the timing tools need from the main window. The tools sit below the main window, so they
// reach it through this interface, which the main window implements.
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class QWidget;
class intFile;

// The four timing tools, in the order of their tool bar buttons (2 to 5).
enum class Tool { Shift = 0, Stretch = 1, Split = 2, Merge = 3 };

class ToolHost {
public:
    virtual ~ToolHost() = default;

    // The main window: owner of the tool windows.
    virtual QWidget* MainWindow() = 0;
    // Brings the main window forward.
    virtual void ShowMain() = 0;

    // The tool's button on the show/hide tool bar, pressed (true) or released.
    virtual void setToolButton(Tool t, bool pressed) = 0;

    // The tool commands: each opens the wizard or the dialog, as the settings say.
    virtual void subSHWzShift() = 0;
    virtual void subSHWzStretch() = 0;
    virtual void subSHWzSplit() = 0;
    virtual void subSHWzMerge() = 0;
    // Shows the tool's dialog (bound at start-up) modeless.
    virtual void ShowToolDialog(Tool t) = 0;

    // The settings store's wizard switch of the tool (chShiftW, chStretchW, chSplitW, chMergeW):
    // true when its value is 1.
    virtual bool WizardFor(Tool t) const = 0;
    // Sets the switch to 1 (true) or 0.
    virtual void setWizardFor(Tool t, bool on) = 0;

    // What stands for a line break in texts shown on one line (the main listing's character).
    virtual QString NewLineChar() const { return QStringLiteral("\u00A4"); }

    // The main listing's range selection.
    virtual int SelA() const = 0;
    virtual int SelB() const = 0;
    virtual bool SelectionExist() const = 0;

    // The Visual Editor's player file name, "" when no video is loaded. The Visual Editor is
    // created first when it does not exist yet.
    virtual QString VideoFile() = 0;
    // The Visual Editor's refresh interval while playing, in ms.
    virtual int VisualInterval() = 0;
    // When the Visual Editor is visible, brings it forward; a hidden one stays hidden.
    virtual void BringVisualForward() = 0;
    // The time line's play-position mark (ms); the line is not redrawn.
    virtual void setTimeLinePosition(qint32 ms) = 0;

    // The main window's document file, for the tools that write or reopen files.
    virtual QString GetFile() const = 0;
    // Loads the file that file names into the document in place of the list, as an open does,
    // and makes it the document's file in that format. False when the file was refused and
    // nothing changed (the user has been told).
    virtual bool LoadPart(std::unique_ptr<intFile> file) = 0;
    // The settings store's default folders and its "last used folders" switch.
    virtual QString SubFolder() const = 0;
    virtual void setSubFolder(const QString& folder) = 0;
    virtual QString MovieFolder() const = 0;
    virtual void setMovieFolder(const QString& folder) = 0;
    virtual bool LastUsed() const = 0;
};

// Runs the tool's command (subSHWzShift ... subSHWzMerge).
inline void OpenTool(ToolHost& host, Tool t) {
    switch (t) {
    case Tool::Shift: host.subSHWzShift(); break;
    case Tool::Stretch: host.subSHWzStretch(); break;
    case Tool::Split: host.subSHWzSplit(); break;
    case Tool::Merge: host.subSHWzMerge(); break;
    }
}
