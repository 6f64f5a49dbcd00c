#include "formats/clsFileTXT.h"
#include "formats/FormatIO.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <cmath>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const QString kHeader = QStringLiteral("{1}{1}");

// The frame field between from and the "}" at end (exclusive), as the nearest whole number of
// its numeric value; an empty field is frame 0.
qint32 frameField(const QString& line, qsizetype from, qsizetype end) {
    // Plain digits (blanks ignored, as the numeric value does) are counted here: the general
    // reading of numbers is several times slower, and nearly every field is plain digits.
    qint32 v = 0;
    int digits = 0;
    for (qsizetype k = from; k < end; ++k) {
        const QChar c = line.at(k);
        if (c == u' ' || c == u'\t') continue;
        if (c < u'0' || c > u'9' || ++digits > 9) return CLng(Val(line.mid(from, std::max<qsizetype>(0, end - from))));
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

qint32 frameToMs(qint32 frame, double fps) { return CLng(frame / fps * 1000.0); }

QString msToFrameText(qint32 ms, double fps) {
    const double f = RoundHalfEven(ms / 1000.0 * fps) + 0.0; // no "-0"
    return std::fabs(f) < 9e15 ? QString::number(static_cast<qint64>(f)) : QString::number(f, 'f', 0);
}

void report(const QString& text) { MsgBox(text, vb::Exclamation, QStringLiteral("Error")); }
} // namespace

clsFileTXT::clsFileTXT() : FileOf(false) {}

bool clsFileTXT::Load(clsSubs& Subs) {
    clsFileTXTFrm1* frm = newForm();
    EventsOff off(Subs);
    Subs.Clear();
    QStringList lines;
    if (!readLines(lines)) return false;
    if (lines.isEmpty()) {
        report(QStringLiteral("This is not a valid MicroDVD subtitle file: it is empty."));
        return false;
    }
    qsizetype i = 0;
    if (lines.first().startsWith(kHeader)) {
        frm->setFrameRateText(NumText(Val(lines.first().mid(kHeader.size()))));
        i = 1;
    } else {
        frm->setFrameRateText(QString());
    }
    ShowModal(frm);
    const double fps = frm->FrameRate();
    if (!(fps > 0)) { // the form was closed without a usable rate
        report(QStringLiteral("No valid framerate was given; the file was not read."));
        return false;
    }
    const QString nl = frm->NewLineText();
    const qsizetype n = lines.size();
    try {
        for (; i < n; ++i) {
            const QString& line = lines.at(i);
            const qsizetype p1 = line.indexOf(u'}');
            if (p1 < 0) continue;
            const qsizetype p2 = line.indexOf(u'}', p1 + 1);
            if (p2 < 0) continue;
            // Neither "{" is checked: the fields run from the character after each.
            const qint32 timeIn = frameToMs(frameField(line, 1, p1), fps);
            const qint32 timeOut = frameToMs(frameField(line, p1 + 2, p2), fps);
            QString text = line.mid(p2 + 1);
            if (!nl.isEmpty()) text.replace(nl, kCRLF);
            AppendEntry(Subs, text, timeIn, timeOut);
        }
    } catch (const ListIsFull&) {
        return ListFull(QStringLiteral("MicroDVD"));
    } catch (const RuntimeError& e) {
        // A frame number too large for a time: what was read stays.
        report(QStringLiteral("This is not a valid MicroDVD subtitle file.") + kCRLF + QStringLiteral("Fault in line") +
               Str(static_cast<qint64>(i + 1)) + kCRLF + e.description());
        return false;
    }
    return true;
}

QString clsFileTXT::Compose(const clsSubs& Subs, double fps, const QString& nl) {
    QString out;
    out.reserve(16 + Subs.count() * 48);
    out += kHeader;
    out += NumText(fps);
    out += kCRLF;
    for (int i = 0; i < Subs.count(); ++i) {
        out += u'{';
        out += msToFrameText(Subs.SubTimeIn(i), fps);
        out += QStringLiteral("}{");
        out += msToFrameText(Subs.SubTimeOut(i), fps);
        out += u'}';
        // Every break, also a stray CR or LF, so that the entry stays on its line.
        out += JoinBreaks(Subs.SubText(i), nl);
        out += kCRLF;
    }
    return out;
}

bool clsFileTXT::Save(clsSubs& Subs) {
    clsFileTXTFrm1* frm = form();
    ShowModal(frm);
    const double fps = frm->FrameRate();
    if (!(fps > 0)) { // the form was closed without a usable rate
        report(QStringLiteral("No valid framerate was given; the file was not written."));
        return false;
    }
    return writeText(Compose(Subs, fps, frm->NewLineText()));
}
