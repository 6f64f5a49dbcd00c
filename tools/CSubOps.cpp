#include "tools/CSubOps.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/MsgBox.h"
#include "tools/ToolHost.h"

#include <QFile>
#include <QSaveFile>

namespace {
// What lay at a part's path before the split, so that a split that fails half-way can put it
// back byte for byte (or remove a part that was not there).
struct Prior {
    QString path;
    bool existed = false;
    QByteArray bytes;

    // False when an existing file can't be read, and so could not be put back.
    bool take(const QString& p) {
        path = p;
        QFile f(p);
        existed = f.exists();
        if (!existed) return true;
        if (!f.open(QIODevice::ReadOnly)) return false;
        bytes = f.readAll();
        return f.error() == QFileDevice::NoError;
    }
    bool restore() const {
        if (!existed) return !QFile::exists(path) || QFile::remove(path);
        QSaveFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
    }
};

// A handler of the chosen format that has written part to path, or nullptr after the format
// (or the format choice) told the user why not.
std::unique_ptr<intFile> writePart(clsSubs& part, const QString& path, int type) {
    std::unique_ptr<intFile> handler = FileHandlerByIndex(type, path);
    if (!handler) return nullptr;
    // The file is about to be written over: no line-end repair on it first.
    handler->setSavePath(path);
    if (!handler->Save(part)) return nullptr;
    return handler;
}

void notSplit(const QString& text) {
    MsgBox(QStringLiteral("Nothing was split: ") + text, vb::Exclamation, QStringLiteral("Error"));
}
} // namespace

bool SplitToFiles(const QString& file1, const QString& file2, int x, clsSubs& Subs, bool shift, qint32 shiftTime,
                  bool open, bool first, clsTime& cSel, int type1, int type2, ToolHost& host) {
    const int n = Subs.count();
    if (x < 0 || x >= n - 1) throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("split index"));

    clsSubs A, B;
    B.Blit(x + 1, n - 1, 0, Subs);
    A.Blit(0, x, 0, Subs);
    if (shift) B.Shift(0, B.count() - 1, 0, shiftTime);

    // Both parts or neither: the first part's file goes back to what it was when the second
    // can't be written.
    Prior prior;
    if (!prior.take(file1)) {
        notSplit(QStringLiteral("\"%1\" could not be read, so it could not be kept as it was.").arg(file1));
        return false;
    }
    // A part that can't be written has been reported by its format, naming the file.
    std::unique_ptr<intFile> F1 = writePart(A, file1, type1);
    if (!F1) return false;
    std::unique_ptr<intFile> F2 = writePart(B, file2, type2);
    if (!F2) {
        const QString back = !prior.restore() ? QStringLiteral("could not be put back as it was.")
                             : prior.existed  ? QStringLiteral("is back as it was.")
                                              : QStringLiteral("was removed again.");
        notSplit(QStringLiteral("the first part \"%1\" ").arg(file1) + back);
        return false;
    }
    if (!open) return true;

    // The part becomes the document's file in its own format; a refused load changes nothing.
    if (host.LoadPart(std::move(first ? F1 : F2))) cSel.setValue(-2);
    return true;
}
