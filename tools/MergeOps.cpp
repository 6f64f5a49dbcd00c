#include "tools/MergeOps.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/CFileFnc.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"
#include "tools/ToolFiles.h"

QString MergeLoadName(const QString& typed) { return typed.contains(u'.') ? typed : typed + QStringLiteral(".srt"); }

bool MergeFileExists(const QString& name, bool both) {
    bool ok = true;
    if (ToolFiles::FolderMissing(name)) {
        MsgBox(QStringLiteral("You didn't enter a correct path"), vb::Exclamation, QStringLiteral("Invalid input"));
        if (!both) return false;
        ok = false;
    }
    if (!FileExists(name)) {
        MsgBox(QStringLiteral("File doesn't exist."), vb::Exclamation, QStringLiteral("Error"));
        ok = false;
    }
    return ok;
}

bool MergeWithFile(clsSubs& Subs, const QString& typed, bool before, bool shift, qint32 delay) {
    // Every check runs before the document is touched, on the name that is loaded.
    const QString name = MergeLoadName(typed);
    auto refuse = [](const QString& text) {
        MsgBox(text, vb::Exclamation, QStringLiteral("Error"));
        return false;
    };
    if (!MergeFileExists(name)) return false;
    std::unique_ptr<intFile> handler = DetectFileHandler(name);
    if (!handler) return false; // the format choice has told the user
    handler->setFile(name);
    clsSubs file;
    if (!handler->Load(file))
        return refuse(QStringLiteral("\"%1\" could not be read in full.  Nothing was merged.").arg(name));
    if (static_cast<qint64>(Subs.count()) + file.count() > clsSubs::Capacity)
        return refuse(QStringLiteral("The merged list would hold more than") + Str(clsSubs::Capacity) +
                      QStringLiteral(" subtitles.  Nothing was merged."));

    clsSubs loaded;
    loaded.Blit(0, Subs.count() - 1, 0, Subs);
    clsSubs& first = before ? file : loaded;
    clsSubs& second = before ? loaded : file;
    if (shift && second.count() > 0) {
        const qint64 lastOut = first.count() > 0 ? first.SubTimeOut(first.count() - 1) : 0;
        second.Shift(0, second.count() - 1, 0, SatLong(lastOut + delay));
    }
    {
        EventsOff off(Subs);
        Subs.Clear();
        Subs.Blit(0, first.count() - 1, 0, first);
        Subs.Blit(0, second.count() - 1, first.count(), second);
    }
    Subs.RaiseMajor();
    return true;
}
