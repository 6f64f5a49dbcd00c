// File names in the split and merge windows: browsing for a part's file, the folder check and
// the comparison of names.
#pragma once

#include <QString>

class QWidget;
class ToolHost;

namespace ToolFiles {
// The save dialog for part i (0 first, 1 second) in the default subtitle folder. The path, or
// "cancel"; type receives the chosen filter index minus one.
QString BrowsePart(QWidget* owner, ToolHost& host, int i, int& type);
// The format a part is written in (filter index minus one, 0 by extension): the one browsed for
// while the name still has one of its extensions; a name typed with another extension decides.
int PartFormat(int browsed, const QString& path);
// True when the path names a folder part and that folder does not exist.
bool FolderMissing(const QString& path);
// The two names stand for the same file.
bool SameFile(const QString& a, const QString& b);
// The path as the file will be written: a bare name lies in the working folder.
QString FullPath(const QString& path);
} // namespace ToolFiles
