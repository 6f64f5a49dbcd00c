#include "tools/CSubOps.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/CFileFnc.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tools/ToolHost.h"

namespace {
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

void copyAll(clsSubs& to, const clsSubs& from) {
    to.Clear();
    to.Blit(0, from.count() - 1, 0, from);
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

    // A part that could not be written is never reloaded, and the second is not written
    // after the first failed: the user sees one report and can try again.
    std::unique_ptr<intFile> F1 = writePart(A, file1, type1);
    if (!F1) return false;
    std::unique_ptr<intFile> F2 = writePart(B, file2, type2);
    if (!F2) return false;
    if (!open) return true;

    intFile& F = first ? *F1 : *F2;
    cSel.setValue(-2);
    clsSubs unsplit;
    copyAll(unsplit, Subs);
    if (!F.Load(Subs)) {
        // The format has told the user; the document goes back to the list it held.
        Subs.EnableEvents(false);
        copyAll(Subs, unsplit);
        Subs.EnableEvents(true);
        Subs.RaiseMajor();
        return false;
    }
    Subs.RaiseMajor();
    host.setMainCaption(FileTitleOf(F.file()) + QStringLiteral(" - Lumerin"));
    host.LoadReset(F.file());
    return true;
}
