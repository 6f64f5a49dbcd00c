// Making the subtitle extensions open with the editor, and undoing it, in the desktop's own
// database for the current user. An extension's "class" is the application entry that opens
// its MIME types by default; the editor writes one entry per class, makes it the types'
// default and keeps the applications that were there before behind it in the default lists,
// so that removal hands the types back to them. The settings window and the association
// program both use it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Makes ext open with program: the class's entry (description, icon number 1-6 of ExtIcon,
// the open command that starts program with the file) becomes the default of the
// extension's types. An extension whose types are not its alone (shared with other
// extensions) or that has none gets a type of its own, so that only its files change. Stops
// silently at the first step that fails; the desktop's database is refreshed.
void AssociateExt(const QString& ext, const QString& program, const QString& className, const QString& description,
                  int icon);
// What the desktop holds under a key: ext gives the class (entry) that opens it; a class gives
// its description, class\DefaultIcon its icon, class\shell\open\command its open command;
// "" when there is none.
QString GetKeyDefault(const QString& key);
// The open command of the extension's current class, or "".
QString GetOpenCommand(const QString& ext);
// Keeps the applications that the desktop's lists choose now for the extension's types in the
// user's own default lists, where they stay behind the editor; returns those it copied from a
// system list, one "type:id" each.
QStringList BackupAssociation(const QString& ext);
// Takes the editor's classes out of the extension's types and drops the type of its own, so
// that what opened its files before does so again (or nothing, when nothing did), with the
// defaults the association copied from a system list, and deletes the class entries no type
// uses any more. Each thing that can't be removed is told to the
// user; the desktop's database is refreshed.
void UnassociateExt(const QString& ext);

// An extension is the editor's when the open command of every one of its types names it.
bool IsEditorExt(const QString& ext);

// The rows offered for association, "*.Srt" to "*.Txt"; a row's extension is its text without
// the "*".
const QStringList& ExtRows();
QString ExtOfRow(int row);

// Which rows are the editor's now (IsEditorExt of each).
std::array<bool, 6> EditorRows();
// Makes the desktop match a choice of rows, given which are the editor's now: selected rows
// that aren't the editor's yet are associated with program, the editor's rows that aren't
// selected are removed, and rows that already match stay untouched. The desktop's database
// is refreshed once, when something changed.
void MatchAssociations(const std::array<bool, 6>& selected, const QString& program,
                       const std::array<bool, 6>& editors = EditorRows());
