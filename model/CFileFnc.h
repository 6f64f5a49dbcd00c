// Path procedures: adding the chosen filter's extension, the write probe for a folder, the file
// and folder parts of a path, and the repair of bare-LF line ends.
#pragma once

#include <QString>

QString AddFilterExt(const QString& path, const QString& filterList, int index);
bool CanWriteFolder(const QString& folder);
QString FileTitleOf(const QString& path);
QString FolderOf(const QString& path);
// Rewrites a file whose first line ends in a bare LF with CR LF line ends (not a UTF-16 one, nor
// one holding a NUL byte). Never fails: a file that can't be read or rewritten is left as it is.
void FixLineEnds(const QString& path);
// True when a normal file of that name exists.
bool FileExists(const QString& path);
