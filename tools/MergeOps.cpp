#include "tools/MergeOps.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"

namespace {
// Notifications off for the whole merge and on again on every path, errors included.
class MergeEventsOff {
public:
    explicit MergeEventsOff(clsSubs& s) : subs_(s) { subs_.EnableEvents(false); }
    ~MergeEventsOff() { subs_.EnableEvents(true); }
    MergeEventsOff(const MergeEventsOff&) = delete;
    MergeEventsOff& operator=(const MergeEventsOff&) = delete;

private:
    clsSubs& subs_;
};
} // namespace

QString MergeLoadName(const QString& typed) { return typed.contains(u'.') ? typed : typed + QStringLiteral(".srt"); }

bool MergeWithFile(clsSubs& Subs, const QString& name, bool before, bool shift, qint32 delay) {
    {
        MergeEventsOff off(Subs);
        clsSubs first, second;
        clsSubs& loaded = before ? second : first;
        clsSubs& file = before ? first : second;
        loaded.Blit(0, Subs.count() - 1, 0, Subs);

        std::unique_ptr<intFile> handler = DetectFileHandler(name);
        if (!handler) return false; // the format choice has told the user
        handler->setFile(name);
        handler->Load(file);

        if (static_cast<qint64>(first.count()) + second.count() > clsSubs::Capacity) {
            MsgBox(QStringLiteral("The merged list would hold more than") + Str(clsSubs::Capacity) +
                       QStringLiteral(" subtitles.  Nothing was merged."),
                   vb::Exclamation, QStringLiteral("Error"));
            return false;
        }
        if (shift && second.count() > 0) {
            const qint64 lastOut = first.count() > 0 ? first.SubTimeOut(first.count() - 1) : 0;
            second.Shift(0, second.count() - 1, 0, SatLong(lastOut + delay));
        }

        Subs.Clear();
        Subs.Blit(0, first.count() - 1, 0, first);
        Subs.Blit(0, second.count() - 1, first.count(), second);
    }
    Subs.RaiseMajor();
    return true;
}
