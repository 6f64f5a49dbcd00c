// Making the subtitle extensions open with the editor, and undoing it: one layout of keys in
// the registry, with the class an extension had before kept in a backup key and restored on
// removal. The settings window and the association program both use it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Writes the extension's keys: the extension names the class, the class has the description,
// the icon and the open command that starts program with the file. Stops silently at the
// first key that can't be written.
void AssociateExt(const QString& ext, const QString& program, const QString& className, const QString& description,
                  const QString& icon);
// The key's default value, or "".
QString GetKeyDefault(const QString& key);
// The open command of the extension's current class, or "".
QString GetOpenCommand(const QString& ext);
// Keeps the extension's current class name in ext\lumiold.
void BackupAssociation(const QString& ext);
// Deletes the class keys and gives the extension its earlier class back (or deletes it when
// it had none). Each key that can't be deleted is told to the user.
void UnassociateExt(const QString& ext);

// An extension is the editor's when its open command names it.
bool IsEditorExt(const QString& ext);

// The rows offered for association, "*.Srt" to "*.Txt"; a row's extension is its text without
// the "*".
const QStringList& ExtRows();
QString ExtOfRow(int row);

// Makes the registry match a choice of rows: selected rows that aren't the editor's yet are
// associated with program (icons from iconLibrary followed by the row number + 1), the
// editor's rows that aren't selected are removed, and rows that already match stay untouched.
void MatchAssociations(const std::array<bool, 6>& selected, const QString& program, const QString& iconLibrary);
