// The time-text parsers on arbitrary text: the "hh:mm:ss.mmm" time text, the numeric value of
// a text and its quick form, the SubStation Alpha time, and the time entry's paste and typed
// fields. The first four bytes also give a time for the round trips of the printed forms.
#include "controls/TimeText.h"
#include "formats/LineStore.h"
#include "formats/clsFileSSA.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "platform/Desktop.h"
#include "tests/fuzz/FuzzHost.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <cstring>
#include <memory>

namespace {
constexpr qint32 kHundredHours = 360000000;

// The time text read field by field through the numeric value of a text, as the time text is
// documented to read: 0 for an unreadable field, an overflow beyond 32 bits.
qint32 timeByFields(const QString& s) {
    const double h = Val(s.mid(0, 2)), m = Val(s.mid(3, 2)), sec = Val(s.mid(6, 2));
    const double ms = Val(s.size() > 3 ? s.right(3) : s);
    double t = CLng(h * 60 + m);
    t = CLng(t * 60 + sec);
    return CLng(t * 1000 + ms);
}

void checkTimeText(const QString& s) {
    bool threw = false, refThrew = false;
    qint32 t = 0, ref = 0;
    try {
        t = ParseTime(s);
    } catch (const RuntimeError& e) {
        fuzz::Check(e.code() == RuntimeError::Overflow, "the time text fails only by overflow");
        threw = true;
    }
    try {
        ref = timeByFields(s);
    } catch (const RuntimeError&) {
        refThrew = true;
    }
    fuzz::Check(threw == refThrew && t == ref, "the time text reads its fields as numeric values");
}

void checkPrintedTimes(qint32 t) {
    if (t >= 0 && t < kHundredHours)
        fuzz::Check(ParseTime(FormatTime(t)) == t, "a time below 100 hours survives its time text");
    if (t >= 0)
        fuzz::Check(clsFileSSA::ParseSsaTime(clsFileSSA::SsaTime(t)) == t - t % 10,
                    "a SubStation Alpha time keeps its hundredths");
}

TimeText& entry() {
    static std::unique_ptr<TimeText> t = std::make_unique<TimeText>();
    return *t;
}

void checkTimeEntry(const QString& s) {
    TimeText& e = entry();
    e.setlTime(1234);
    SetClipboardText(s);
    e.Paste();
    static const QRegularExpression timeText(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"));
    const QString pasted = s.trimmed();
    if (timeText.match(pasted).hasMatch())
        fuzz::Check(e.lTime() == timeByFields(pasted), "a pasted time text sets the time it reads as");
    else fuzz::Check(e.lTime() == 1234, "a paste that is no time text changes nothing");

    // The fields typed as the text's pieces between colons, then left.
    QLineEdit* fields[4] = {e.txtHr, e.txtMin, e.txtSec, e.txtMSec};
    for (int i = 0; i < 4; ++i) {
        const QString piece = s.section(u':', i, i);
        fields[i]->setText(piece);
        emit fields[i]->textEdited(piece);
    }
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(e.txtMSec, &out);
    const qint32 t = e.lTime();
    fuzz::Check(t >= 0 && t < kHundredHours, "typed fields give a time below 100 hours");
    const QString shown =
        e.txtHr->text() + u':' + e.txtMin->text() + u':' + e.txtSec->text() + u'.' + e.txtMSec->text();
    fuzz::Check(shown == FormatTime(t), "the fields show the time they were committed as");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString s = QString::fromUtf8(fuzz::Bytes(data, size));
    checkTimeText(s);
    const double v = Val(s);
    fuzz::Check(NumberOf(s) == v, "the quick numeric value equals the numeric value");
    clsFileSSA::ParseSsaTime(s);
    if (size >= 4) {
        qint32 t;
        std::memcpy(&t, data, sizeof t);
        checkPrintedTimes(t);
    }
    checkTimeEntry(s);
    fuzz::Settle();
    return 0;
}
