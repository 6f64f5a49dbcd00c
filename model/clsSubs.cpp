#include "model/clsSubs.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/clsTime.h"

#include <algorithm>
#include <limits>

namespace {
constexpr qint32 kInsertLength = 1500;

qint32 checkedLong(qint64 v) {
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<qint32>(v);
}
} // namespace

clsSubs::clsSubs(QObject* parent) : QObject(parent), subs_(Capacity) {}

void clsSubs::RaiseChange(int i) {
    if (events_) emit Change(i);
}

void clsSubs::RaiseCountChange() {
    if (events_) emit CountChange();
}

void clsSubs::RaiseMajor() {
    if (events_) emit MajorChange();
}

void clsSubs::SetCount(int n) {
    if (n == count_) return;
    count_ = n;
    RaiseCountChange();
}

void clsSubs::requireRoom() const {
    if (count_ >= Capacity) throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("the list is full"));
}

void clsSubs::requireInList(int i, const char* what) const {
    if (!inList(i)) throw RuntimeError(RuntimeError::SubscriptOutOfRange, QString::fromLatin1(what));
}

void clsSubs::Delete(int x, clsTime& cSel, bool Deselect) {
    if (!inList(x)) return;
    const int oldCount = count_;
    std::move(subs_.begin() + x + 1, subs_.begin() + oldCount, subs_.begin() + x);
    // The vacated last slot keeps a copy; it lies beyond count and reads as absent.
    if (Deselect) {
        cSel.setValue(-2);
    } else {
        qint32 s = cSel.value();
        if (s > x) --s;
        if (s == oldCount - 1) --s;
        cSel.setValue(s);
    }
    SetCount(oldCount - 1);
    RaiseChange(x);
}

void clsSubs::InsertP(int x, clsTime& cSel, bool SelectIt, const QString& Text) {
    if (x < 0 || x > count_) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    requireRoom();
    const int oldCount = count_;
    std::move_backward(subs_.begin() + x, subs_.begin() + oldCount, subs_.begin() + oldCount + 1);
    qint64 tIn = x == 0 ? 0 : static_cast<qint64>(subs_[x - 1].TimeOut) + 1;
    qint64 tOut = tIn + kInsertLength;
    if (x < oldCount && tOut >= subs_[x + 1].TimeIn) tOut = static_cast<qint64>(subs_[x + 1].TimeIn) - 1;
    if (tIn < 0) tIn = 0;
    if (tOut < 0) tOut = 0;
    subs_[x] = tSub{SatLong(tIn), SatLong(tOut), Text};
    if (SelectIt) {
        cSel.setValue(x);
        SetCount(oldCount + 1);
    } else {
        // Shift the selection after the count grows so that its bound admits the new index.
        SetCount(oldCount + 1);
        if (cSel.value() >= x) cSel.setValue(cSel.value() + 1);
    }
    RaiseChange(x);
}

int clsSubs::InsertT(qint32 t, clsTime& cSel, bool SelectIt, const QString& Text) {
    requireRoom();
    int before = -1;
    for (int i = 0; i < count_; ++i) {
        if (subs_[i].TimeOut <= t && (before < 0 || subs_[i].TimeOut > subs_[before].TimeOut)) before = i;
    }
    const int x = before + 1;
    const int oldCount = count_;
    std::move_backward(subs_.begin() + x, subs_.begin() + oldCount, subs_.begin() + oldCount + 1);
    qint64 tOut = static_cast<qint64>(t) + kInsertLength;
    if (x < oldCount && subs_[x + 1].TimeIn <= tOut) tOut = static_cast<qint64>(subs_[x + 1].TimeIn) - 1;
    subs_[x] = tSub{t, SatLong(tOut), Text};
    SetCount(oldCount + 1);
    if (SelectIt) {
        cSel.setValue(x);
    } else if (cSel.value() >= x) {
        cSel.setValue(cSel.value() + 1);
    }
    RaiseChange(x);
    return x;
}

int clsSubs::FindSub(qint32 lTime) const {
    for (int i = 0; i < count_; ++i)
        if (subs_[i].TimeIn <= lTime && lTime < subs_[i].TimeOut) return i;
    return -2;
}

QString clsSubs::SubText(int i) const { return inList(i) ? subs_[i].Text : QString(); }
qint32 clsSubs::SubTimeIn(int i) const { return inList(i) ? subs_[i].TimeIn : 0; }
qint32 clsSubs::SubTimeOut(int i) const { return inList(i) ? subs_[i].TimeOut : 0; }

void clsSubs::setSubText(int i, const QString& v) {
    if (!inList(i) || subs_[i].Text == v) return;
    subs_[i].Text = v;
    RaiseChange(i);
}

void clsSubs::setSubTimeIn(int i, qint32 v) {
    if (!inList(i) || subs_[i].TimeIn == v) return;
    subs_[i].TimeIn = v;
    RaiseChange(i);
}

void clsSubs::setSubTimeOut(int i, qint32 v) {
    if (!inList(i) || subs_[i].TimeOut == v) return;
    subs_[i].TimeOut = v;
    RaiseChange(i);
}

void clsSubs::Clear() {
    count_ = 0;
    RaiseMajor();
}

int clsSubs::AddSub(const QString& Text, qint32 TimeIn, qint32 TimeOut) {
    requireRoom();
    const int i = count_;
    subs_[i] = tSub{TimeIn, TimeOut, Text};
    SetCount(count_ + 1);
    return i;
}

void clsSubs::EnableEvents(bool b) {
    events_ = b;
    emit EventsEnabled(b);
}

bool clsSubs::Overlap(int a, int b) const {
    if (!inList(a) || !inList(b)) return false;
    if (subs_[a].TimeIn > subs_[b].TimeIn) std::swap(a, b);
    return subs_[b].TimeIn < subs_[a].TimeOut;
}

bool clsSubs::Invalid(int i) const {
    if (!inList(i)) return false;
    const tSub& s = subs_[i];
    if (i > 0 && (Overlap(i - 1, i) || subs_[i - 1].TimeIn > s.TimeOut)) return true;
    if (i < count_ - 1 && (Overlap(i, i + 1) || subs_[i + 1].TimeOut < s.TimeIn)) return true;
    return s.TimeOut < s.TimeIn;
}

int clsSubs::FindSubAfter(qint32 t) const {
    int best = -2;
    for (int i = 0; i < count_; ++i)
        if (subs_[i].TimeIn > t && (best < 0 || subs_[i].TimeIn < subs_[best].TimeIn)) best = i;
    return best;
}

int clsSubs::FindSubBefore(qint32 t) const {
    int best = -2;
    for (int i = 0; i < count_; ++i)
        if (subs_[i].TimeOut < t && (best < 0 || subs_[i].TimeOut > subs_[best].TimeOut)) best = i;
    return best;
}

int clsSubs::ReplaceAll(const QString& st1, const QString& st2, bool bMatch, bool bWhole, int r1, int r2) {
    if (st1.isEmpty() || st2 == st1) return 0;
    const Qt::CaseSensitivity cs = bMatch ? Qt::CaseSensitive : Qt::CaseInsensitive;
    r1 = std::max(r1, 0);
    r2 = std::min(r2, count_ - 1);
    int n = 0;
    for (int i = r1; i <= r2; ++i) {
        // The result is built in one pass: each hit is searched in the text after the last
        // replacement, and the word test sees the text as replaced so far.
        const QString& text = subs_[i].Text;
        QString out;
        qsizetype copied = 0;
        for (qsizetype from = 0;;) {
            const qsizetype p = text.indexOf(st1, from, cs);
            if (p < 0) break;
            const qsizetype after = p + st1.size();
            const QChar before = p > copied ? text.at(p - 1) : out.isEmpty() ? QChar() : out.back();
            if (bWhole && !IsWholeWord(before, text, after, cs)) {
                from = p + 1;
                continue;
            }
            out += QStringView(text).sliced(copied, p - copied);
            out += st2;
            copied = from = after;
            ++n;
        }
        if (copied == 0) continue;
        out += QStringView(text).sliced(copied);
        setSubText(i, out);
    }
    return n;
}

// Entries past the end of the list are stale; the timing operations leave them alone.
int clsSubs::clampedEnd(int s1, int s2) const {
    if (s1 < 0 || s2 >= Capacity) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return std::min(s2, count_ - 1);
}

void clsSubs::Shift(int s1, int s2, int MS, qint32 MT) {
    const int last = clampedEnd(s1, s2);
    requireInList(MS, "marker");
    const qint64 d = static_cast<qint64>(MT) - subs_[MS].TimeIn;
    std::vector<tSub> out;
    out.reserve(std::max(0, last - s1 + 1));
    for (int i = s1; i <= last; ++i)
        out.push_back(tSub{checkedLong(subs_[i].TimeIn + d), checkedLong(subs_[i].TimeOut + d), {}});
    for (int i = s1; i <= last; ++i) {
        subs_[i].TimeIn = out[i - s1].TimeIn;
        subs_[i].TimeOut = out[i - s1].TimeOut;
    }
    RaiseMajor();
}

void clsSubs::Stretch(int s1, int s2, int MS1, int MS2, qint32 MT1, qint32 MT2) {
    const int last = clampedEnd(s1, s2);
    requireInList(MS1, "marker");
    requireInList(MS2, "marker");
    const qint64 a = subs_[MS1].TimeIn;
    const qint64 b = subs_[MS2].TimeIn;
    if (a == b) throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("both markers start at the same time"));
    const qint64 d1 = MT1 - a;
    const qint64 d2 = MT2 - b;
    const double k = static_cast<double>(d2 - d1) / static_cast<double>(b - a);
    auto map = [&](qint32 t) {
        const double v = static_cast<double>(t - a) * k + static_cast<double>(t + d1);
        const double r = RoundHalfEven(v);
        if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RuntimeError(RuntimeError::Overflow);
        return static_cast<qint32>(r);
    };
    std::vector<tSub> out;
    out.reserve(std::max(0, last - s1 + 1));
    for (int i = s1; i <= last; ++i) out.push_back(tSub{map(subs_[i].TimeIn), map(subs_[i].TimeOut), {}});
    for (int i = s1; i <= last; ++i) {
        subs_[i].TimeIn = out[i - s1].TimeIn;
        subs_[i].TimeOut = out[i - s1].TimeOut;
    }
    RaiseMajor();
}

void clsSubs::Blit(int SX1, int SX2, int DX, const clsSubs& s) {
    if (SX2 >= SX1) {
        if (DX < 0 || static_cast<qint64>(DX) + (SX2 - SX1) >= Capacity)
            throw RuntimeError(RuntimeError::SubscriptOutOfRange);
        // Read the whole source range first so that copying within one list cannot smear.
        std::vector<tSub> src;
        src.reserve(SX2 - SX1 + 1);
        for (int i = SX1; i <= SX2; ++i) src.push_back(tSub{s.SubTimeIn(i), s.SubTimeOut(i), s.SubText(i)});
        for (int i = SX1; i <= SX2; ++i) {
            const int j = i - SX1 + DX;
            subs_[j] = std::move(src[i - SX1]);
            if (j >= count_) count_ = j + 1;
        }
    }
    RaiseMajor();
}
