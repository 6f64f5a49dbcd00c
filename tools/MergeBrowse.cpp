#include "tools/MergeBrowse.h"
#include "model/Common.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "tools/ToolHost.h"

#include <QFileInfo>

QString BrowseMergeFile(QWidget* owner, ToolHost& host, const QString& title) {
    // As for Open: both default folders give way to the program folder when empty or gone.
    const QString subs = host.SubFolder(), movies = host.MovieFolder();
    if (subs.isEmpty() || !QFileInfo(subs).isDir()) host.setSubFolder(ProgramFolder());
    if (movies.isEmpty() || !QFileInfo(movies).isDir()) host.setMovieFolder(ProgramFolder());
    return GetOpenFile(owner, SubFileFilter(), title, host.SubFolder());
}
