#include "tools/TimingRuns.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"
#include "tools/ToolHost.h"

#include <algorithm>

namespace {
bool validSub(const clsSubs& subs, qint32 s) { return s >= 0 && s < subs.count(); }

// The range to work on: the main listing's selection, or the whole list.
bool range(ToolHost& host, const clsSubs& subs, bool selectionOnly, int& s1, int& s2) {
    if (!selectionOnly) {
        s1 = 0;
        s2 = subs.count() - 1;
        return true;
    }
    s1 = host.SelA();
    s2 = host.SelB();
    if (s1 >= 0 && s2 >= 0 && s1 < s2) return true;
    MsgBox(QStringLiteral("No selection was made"));
    return false;
}

// The document refuses a re-timing that it cannot do as a whole; it changes nothing then.
bool refused(const RuntimeError& e) {
    if (e.code() == RuntimeError::Overflow)
        MsgBox(QStringLiteral("The new times would lie beyond the largest time a subtitle can have.  "
                              "Nothing was changed."));
    else if (e.code() == RuntimeError::InvalidCall)
        MsgBox(QStringLiteral("Both marked subtitles start at the same time, so they can't be moved to two "
                              "different times.  Mark two subtitles that start at different times.  "
                              "Nothing was changed."));
    else MsgBox(e.description() + QStringLiteral("  Nothing was changed."));
    return false;
}

// Re-times entries s1..s2 of subs with retime only when every new time is one a subtitle can
// have: the new times are first worked out on a copy by the same re-timing, so that a refused
// run leaves the document as it was.
template <class Retime> bool retimeOrRefuse(clsSubs& subs, int s1, int s2, Retime retime) {
    clsSubs trial;
    trial.Blit(0, subs.count() - 1, 0, subs);
    try {
        retime(trial);
    } catch (const RuntimeError& e) {
        return refused(e);
    }
    for (int i = s1; i <= std::min(s2, trial.count() - 1); ++i) {
        if (trial.SubTimeIn(i) < 0 || trial.SubTimeOut(i) < 0) {
            MsgBox(QStringLiteral("The new times would lie before 00:00:00.000.  Nothing was changed."));
            return false;
        }
    }
    retime(subs);
    return true;
}
} // namespace

bool RunShift(ToolHost& host, clsSubs& subs, qint32 S, qint32 T, bool selectionOnly) {
    if (!validSub(subs, S)) {
        MsgBox(QStringLiteral("You didn't select a valid sub marker."));
        return false;
    }
    if (T < 0) {
        MsgBox(QStringLiteral("You didn't select a valid time marker."));
        return false;
    }
    int s1 = 0, s2 = 0;
    if (!range(host, subs, selectionOnly, s1, s2)) return false;
    return retimeOrRefuse(subs, s1, s2, [&](clsSubs& c) { c.Shift(s1, s2, static_cast<int>(S), T); });
}

bool RunStretch(ToolHost& host, clsSubs& subs, qint32 S1, qint32 S2, qint32 T1, qint32 T2, bool selectionOnly) {
    if (!validSub(subs, S1)) {
        MsgBox(QStringLiteral("You didn't select a valid first sub marker."));
        return false;
    }
    if (!validSub(subs, S2)) {
        MsgBox(QStringLiteral("You didn't select a valid second sub marker."));
        return false;
    }
    if (T1 < 0) {
        MsgBox(QStringLiteral("You didn't select a valid first time marker."));
        return false;
    }
    if (T2 < 0) {
        MsgBox(QStringLiteral("You didn't select a valid second time marker."));
        return false;
    }
    int s1 = 0, s2 = 0;
    if (!range(host, subs, selectionOnly, s1, s2)) return false;
    if (S1 == S2) {
        MsgBox(QStringLiteral("Both sub markers are the same subtitle.  Mark two different subtitles.  "
                              "Nothing was changed."));
        return false;
    }
    // The times must run the way the subtitles do: a factor of zero or below would squeeze the
    // entries together or turn their order round.
    const qint64 dt = static_cast<qint64>(T2) - T1;
    const qint64 ds = static_cast<qint64>(subs.SubTimeIn(S2)) - subs.SubTimeIn(S1);
    if (ds != 0 && (dt == 0 || (dt > 0) != (ds > 0))) {
        MsgBox(QStringLiteral("The two marked times must differ and lie in the same order as the two marked "
                              "subtitles, or the subtitles would be squeezed together or reversed.  "
                              "Nothing was changed."));
        return false;
    }
    return retimeOrRefuse(subs, s1, s2,
                          [&](clsSubs& c) { c.Stretch(s1, s2, static_cast<int>(S1), static_cast<int>(S2), T1, T2); });
}
