// The open, save and folder dialogs. Filter lists are description/pattern pairs separated by
// NUL characters; results keep the program's convention: the path, or "cancel" ("" for a
// cancelled folder). Tests install scripted dialogs in place of the real ones.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

struct SaveChoice {
    QString path;
    int filterIndex = 1; // 1-based position of the chosen filter in the list
};

// What the user chose in a dialog, before any of the program's conventions apply.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> openFile(QWidget* owner, const QString& filterList, const QString& title,
                                            const QString& folder) = 0;
    virtual std::optional<SaveChoice> saveFile(QWidget* owner, const QString& filterList, const QString& title,
                                               const QString& folder) = 0;
    virtual std::optional<QString> browseFolder(const QString& title, QWidget* owner) = 0;
};

// Installs a replacement (nullptr restores the real dialogs); returns the previous one.
FileDialogs* InstallFileDialogs(FileDialogs* dialogs);
FileDialogs& fileDialogs();

// Qt's name filters for a filter list: each description with its patterns, in list order.
QStringList QtNameFilters(const QString& filterList);

// The chosen path or "cancel".
QString GetOpenFile(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder);
// The chosen path, still without the chosen filter's extension, or "cancel". On a choice,
// filterIndex receives the chosen filter's index minus one; on cancel it is left alone.
// Callers add the extension with AddFilterExt (GetSaveFile in formats/FormatChoice.h does).
QString GetSaveFileRaw(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder,
                       int& filterIndex);
// The chosen folder, or "" on cancel.
QString BrowseFolder(const QString& title, QWidget* owner);
