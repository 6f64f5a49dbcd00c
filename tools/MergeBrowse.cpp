#include "tools/MergeBrowse.h"
#include "model/Common.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "tools/ToolHost.h"

QString BrowseMergeFile(QWidget* owner, ToolHost& host, const QString& title) {
    // As for Open: both default folders give way to the program folder when empty or gone.
    host.setSubFolder(FolderOrProgram(host.SubFolder()));
    host.setMovieFolder(FolderOrProgram(host.MovieFolder()));
    return GetOpenFile(owner, SubFileFilter(), title, host.SubFolder());
}
