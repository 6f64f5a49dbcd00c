#include "formats/FormatChoice.h"
#include "formats/clsFileRAW.h"
#include "formats/clsFileSMI.h"
#include "formats/clsFileSRT.h"
#include "formats/clsFileSSA.h"
#include "formats/clsFileSV1.h"
#include "formats/clsFileSV2.h"
#include "formats/clsFileTXT.h"
#include "model/CFileFnc.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"

#include <QFile>
#include <QRegularExpression>

namespace {
// The file's head, decoded as the whole file would be (a UTF-16 file's line ends are two
// bytes); RuntimeError when the file can't be read or is empty.
QString head(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw RuntimeError(RuntimeError::FileNotFound, path);
    const QString text = DecodeText(f.read(64 * 1024));
    if (text.isEmpty()) throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("no first line"));
    return text;
}

const QRegularExpression& lineEnd() {
    static const QRegularExpression re(QStringLiteral("[\r\n]"));
    return re;
}

// The first line up to the first CR or LF.
QString firstLine(const QString& path) { return head(path).section(lineEnd(), 0, 0); }

// A file whose extension is none of the formats' is known by its first non-blank line; one
// that says nothing (or can't be read, which its reader then tells) is SubRip.
FileType byContent(const QString& path) {
    QString text;
    try {
        text = head(path);
    } catch (const RuntimeError&) {
        return FileType::SRT;
    }
    for (const QString& raw : text.split(lineEnd())) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(QStringLiteral("[Script Info]"), Qt::CaseInsensitive)) return FileType::SSA;
        if (line.startsWith(QStringLiteral("<SAMI"), Qt::CaseInsensitive)) return FileType::SMI;
        break;
    }
    return FileType::SRT;
}

// The extension in lower case, so that names from systems that write them in capitals choose
// the same format; empty when there is none.
QString lowerExt(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? QString() : path.mid(dot + 1).toLower();
}

std::unique_ptr<intFile> available(std::optional<FileType> type) { return type ? NewFileHandler(*type) : nullptr; }
} // namespace

QString GetExt(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot == path.size() - 1)
        throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("no extension"));
    return path.mid(dot + 1);
}

std::optional<FileType> DetectFileType(const QString& path) {
    try {
        const QString ext = GetExt(path).toLower();
        if (ext == u"srt") return FileType::SRT;
        if (ext == u"ssa") return FileType::SSA;
        if (ext == u"smi" || ext == u"sami") return FileType::SMI;
        if (ext == u"sub") {
            const QString line = firstLine(path);
            if (line.contains(u'{')) return FileType::TXT;
            if (line.contains(QStringLiteral("info"), Qt::CaseInsensitive)) return FileType::SV2;
            if (line.contains(QStringLiteral("title"), Qt::CaseInsensitive)) return FileType::SV1;
            MsgBox(QStringLiteral("ERROR : Unknown FileType"));
            return std::nullopt;
        }
        if (ext == u"txt") return firstLine(path).contains(u'{') ? FileType::TXT : FileType::RAW;
        return byContent(path);
    } catch (const RuntimeError&) {
        MsgBox(QStringLiteral("Invalid File..."));
        return std::nullopt;
    }
}

FileType FileTypeByExt(const QString& path) {
    // Saving always has an extension (the dialog adds the filter's); without one, the default.
    const QString ext = lowerExt(path);
    if (ext == u"ssa" || ext == u"ass") return FileType::SSA;
    if (ext == u"smi" || ext == u"sami") return FileType::SMI;
    if (ext == u"sub") return FileType::SV2;
    if (ext == u"txt") return FileType::TXT;
    return FileType::SRT;
}

FileType FileTypeByIndex(int index, const QString& path) {
    switch (index) {
    case 1: return FileType::SRT;
    case 2: return FileType::SMI;
    case 3: return FileType::SV1;
    case 4: return FileType::SV2;
    case 5: return FileType::TXT;
    case 6: return FileType::SSA;
    case 7: return FileType::RAW;
    default: return FileTypeByExt(path);
    }
}

// The one place where a format's handler class is named.
std::unique_ptr<intFile> NewFileHandler(FileType type) {
    switch (type) {
    case FileType::SRT: return std::make_unique<clsFileSRT>();
    case FileType::SV1: return std::make_unique<clsFileSV1>();
    case FileType::SV2: return std::make_unique<clsFileSV2>();
    case FileType::RAW: return std::make_unique<clsFileRAW>();
    case FileType::SMI: return std::make_unique<clsFileSMI>();
    case FileType::SSA: return std::make_unique<clsFileSSA>();
    case FileType::TXT: return std::make_unique<clsFileTXT>();
    }
    return std::make_unique<clsFileSRT>(); // not reached: every type is listed above
}

std::unique_ptr<intFile> DetectFileHandler(const QString& path) { return available(DetectFileType(path)); }
std::unique_ptr<intFile> FileHandlerByExt(const QString& path) { return available(FileTypeByExt(path)); }
std::unique_ptr<intFile> FileHandlerByIndex(int index, const QString& path) {
    return available(FileTypeByIndex(index, path));
}

QString GetSaveFile(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder,
                    int& filterIndex) {
    int index = filterIndex;
    const QString path = GetSaveFileRaw(owner, filterList, title, initialFolder, index);
    if (path == u"cancel") return path;
    // A SubStation Alpha file may also be named .ass: a filter that writes that format keeps it.
    const QString named = lowerExt(path) == u"ass" && FileTypeByIndex(index, path) == FileType::SSA
                              ? path
                              : AddFilterExt(path, filterList, index + 1);
    filterIndex = index;
    return named;
}
