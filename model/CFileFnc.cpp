#include "model/CFileFnc.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

QString AddFilterExt(const QString& path, const QString& filterList, int index) {
    const QStringList parts = filterList.split(QChar(0));
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2) patterns.append(parts.at(i));
    if (patterns.size() > 51 || index < 1 || index > patterns.size())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    const QStringList exts = patterns.at(index - 1).split(u';');
    if (exts.size() > 51) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    for (const QString& pattern : exts) {
        const QString ext = pattern.mid(2);
        if (path.size() > ext.size() && path.endsWith(u'.' + ext, Qt::CaseInsensitive)) return path;
    }
    return path + u'.' + exts.first().mid(2);
}

bool CanWriteFolder(const QString& folder) {
    QString dir = folder;
    if (!dir.endsWith(u'/')) dir += u'/';
    if (!QFileInfo(dir).isDir()) return false;
    // A uniquely named probe: a user's own file of any name is never touched.
    QTemporaryFile probe(dir + QStringLiteral("lumerin-probe-XXXXXX"));
    return probe.open();
}

QString FileTitleOf(const QString& path) {
    const qsizetype p = path.lastIndexOf(u'/');
    return p < 0 ? QString() : path.mid(p + 1);
}

QString FolderOf(const QString& path) {
    const qsizetype p = path.lastIndexOf(u'/');
    return p < 0 ? QString() : path.left(p + 1);
}

bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

void FixLineEnds(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray data = f.readAll();
    f.close();
    // A UTF-16 file's line ends are two bytes each: its bytes are not lines.
    if (data.contains('\0') || data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) return;
    // The first line as text input sees it runs up to the first CR; an LF inside it is bare.
    const qsizetype cr = data.indexOf('\r');
    const qsizetype lf = data.indexOf('\n');
    if (lf < 0 || (cr >= 0 && cr < lf)) return;
    // A file marked read-only is left alone, even for a user who could write it anyway.
    const QFileInfo info(path);
    if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)) return;
    QByteArray out;
    out.reserve(data.size() + data.size() / 16 + 2);
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\n' && (i == 0 || data[i - 1] != '\r')) out.append('\r');
        out.append(c);
    }
    out.append("\r\n");
    WriteBytes(path, out);
}
