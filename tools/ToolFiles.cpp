#include "tools/ToolFiles.h"
#include "formats/FormatChoice.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "platform/Desktop.h"
#include "tools/ToolHost.h"

#include <QDir>
#include <QFileInfo>

namespace ToolFiles {
QString BrowsePart(QWidget* owner, ToolHost& host, int i, int& type) {
    const QString folder = FolderOrProgram(host.SubFolder());
    const QString title = QStringLiteral("Save") + (i == 0 ? QStringLiteral(" first ") : QStringLiteral(" second ")) +
                          QStringLiteral("part");
    int index = type;
    const QString path = GetSaveFile(owner, SubFileFilter(), title, folder, index);
    if (path != u"cancel") type = index;
    return path;
}

int PartFormat(int browsed, const QString& path) {
    if (browsed <= 0) return 0;
    // The save dialog leaves a name alone that has one of the chosen filter's extensions.
    return AddFilterExt(path, SubFileFilter(), browsed + 1) == path ? browsed : 0;
}

bool FolderMissing(const QString& path) {
    const QString folder = FolderOf(path);
    return !folder.isEmpty() && !QFileInfo(folder).isDir();
}

bool SameFile(const QString& a, const QString& b) { return !a.isEmpty() && !b.isEmpty() && FullPath(a) == FullPath(b); }

QString FullPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
} // namespace ToolFiles
