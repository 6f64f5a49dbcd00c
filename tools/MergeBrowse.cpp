#include "tools/MergeBrowse.h"
#include "model/Common.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "tools/ToolHost.h"

#include <QFileInfo>

QString BrowseMergeFile(QWidget* owner, ToolHost& host, const QString& title) {
    const QString subs = host.SubFolder();
    if (subs.isEmpty() || !QFileInfo(subs).isDir()) host.setSubFolder(ProgramFolder());
    return GetOpenFile(owner, SubFileFilter(), title, host.SubFolder());
}
