#include "tools/TimingRuns.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"
#include "tools/ToolHost.h"

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
    try {
        subs.Shift(s1, s2, static_cast<int>(S), T);
    } catch (const RuntimeError& e) {
        return refused(e);
    }
    return true;
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
    try {
        subs.Stretch(s1, s2, static_cast<int>(S1), static_cast<int>(S2), T1, T2);
    } catch (const RuntimeError& e) {
        return refused(e);
    }
    return true;
}
