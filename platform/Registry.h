// The program's own HKEY_CLASSES_ROOT: the keys that file-type associations write, kept in a
// file shared by the editor and the association program, apart from the desktop's own
// associations. Key paths use "\" between names; names compare without regard to case.
#pragma once

#include <QString>
#include <optional>

// The registry file: $LUMERIN_REGISTRY, else ~/.config/lumerin/registry, unless a test has
// pointed it elsewhere.
QString RegistryPath();
// Points the registry at another file; an empty path restores the usual one.
void SetRegistryPath(const QString& path);

// Every call reads the file afresh, and every change replaces it atomically, so the two
// programs see each other's changes and a failed write leaves the old file whole. A file that
// can't be read or understood reads as empty and refuses every change, so it is never lost.

// True when the key exists.
bool RegKeyExists(const QString& key);
// Creates the key and any missing key on its way; true when it exists afterwards.
bool RegCreateKey(const QString& key);
// The key's default value; nothing when the key is missing or has no default value.
std::optional<QString> RegDefaultValue(const QString& key);
// Sets the default value of an existing key.
bool RegSetDefaultValue(const QString& key, const QString& value);
// Deletes a key that has no subkeys; false when it is missing or has subkeys.
bool RegDeleteKey(const QString& key);
