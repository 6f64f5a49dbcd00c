// The desktop's own file-type database as the XDG specifications lay it out: MIME types by
// file-name pattern (shared-mime-info), application entries, the default application of each
// type (mimeapps.list) and icons. Everything is read the way the desktop reads it; only the
// user's own folders are written, and the desktop's cache tools run when they are installed.
#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace xdg {

// $XDG_DATA_HOME (default ~/.local/share) and $XDG_CONFIG_HOME (default ~/.config).
QString DataHome();
QString ConfigHome();
// The user's folder first, then $XDG_DATA_DIRS (default /usr/local/share:/usr/share), or
// $XDG_CONFIG_DIRS (default /etc/xdg).
QStringList DataDirs();
QStringList ConfigDirs();

// The weight of a pattern that gives none.
constexpr int kDefaultWeight = 50;
// The MIME types the desktop gives a file named "x" + ext (".Srt"), most likely first; none
// when the extension is unknown. Patterns compare without regard to case unless marked. The
// ignored types count as if they had no patterns. The user's MIME packages count even before
// the desktop's tool has compiled them.
QStringList TypesOfExt(const QString& ext, const QStringList& ignored = {});
// The file-name patterns of a type ("*.srt"), as TypesOfExt knows them.
QStringList PatternsOfType(const QString& type);

// The file of an installed application entry ("" when none): the entry exists under one of the
// data folders, is not hidden and its program can be started.
QString EntryPath(const QString& id);
// The [Desktop Entry] keys of an entry file, their values unescaped.
QMap<QString, QString> ReadEntry(const QString& path);
// The program that an Exec line starts, unquoted.
QString ExecProgram(const QString& exec);
// One Exec argument, quoted and escaped so that it comes back exactly.
QString ExecQuote(const QString& arg);

struct DefaultApp {
    QString id;   // "" when the type has no application
    QString list; // the mimeapps.list that names it; "" when it is the applications' own choice
};
// The application that opens type, as the desktop chooses it: the first installed entry of
// the type's default list in the most important mimeapps.list, then the added associations,
// then the entries that list the type themselves.
DefaultApp DefaultAppOf(const QString& type);

// The user's mimeapps.list files whose default lists count, most important first: those of
// the current desktops ($XDG_CURRENT_DESKTOP) that exist, then the common one.
QStringList UserMimeAppsLists();
// The type's default list in one mimeapps.list; empty when it has none.
QStringList DefaultList(const QString& mimeappsList, const QString& type);
// Replaces the type's default list there (an empty list removes the line); false when the
// file can't be written.
bool SetDefaultList(const QString& mimeappsList, const QString& type, const QStringList& ids);
// True when some default list in the user's files names id.
bool UserListsName(const QString& id);

// Application entries in the user's own folder.
QString UserEntryPath(const QString& id);
// Writes the entry's [Desktop Entry] group with the keys in order; false when it failed.
bool WriteUserEntry(const QString& id, const QList<QPair<QString, QString>>& keys);

// The files of an icon in the user's icon theme (hicolor), one per size.
QStringList UserIconFiles(const QString& name);
// Installs the images (square, one per size) as the named icon; false when one failed.
bool InstallUserIcon(const QString& name, const QList<QImage>& sizes);

struct UserType {
    QString type;
    QString comment;
    QString icon;
    QStringList globs;           // patterns this package adds to the type ("*.srt"), if any
    int weight = kDefaultWeight; // of those patterns
    QStringList parents;         // types it is a kind of
};
// The user's MIME package of that name; written over whole, removed when types is empty.
QString UserMimePackage(const QString& name);
bool WriteUserMimePackage(const QString& name, const QList<UserType>& types);

// True when the desktop has an application that opens the address: the default of its scheme
// (x-scheme-handler/...) or, for a local file, of its types; failing that, for anything but
// mail, a web browser that the desktop's opener would fall back on.
bool CanOpen(const QUrl& url);

// Runs the desktop's cache tools over the user's folders, those that are installed.
void UpdateDatabases();

} // namespace xdg
