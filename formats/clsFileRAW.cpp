#include "formats/clsFileRAW.h"
#include "formats/FormatIO.h"
#include "formats/frmProg.h"
#include "model/Common.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QLabel>
#include <algorithm>
#include <climits>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

// A place in the file: a line index and a 1-based column; the column after a line's last
// character is the end of that line.
struct Pos {
    qsizetype line;
    qsizetype col;
};

// Reads records field by field from the file's lines.
class RawReader {
public:
    RawReader(const QStringList& lines, frmProg& lineProg) : lines_(lines), n_(lines.size()), lineProg_(lineProg) {}

    qsizetype count() const { return n_; }
    qsizetype len(qsizetype line) const { return line < n_ ? lines_.at(line).size() : 0; }

    // The next occurrence of d (ignoring case) at or after from, on from's line only or on any
    // following line too.
    bool FindDelimiter(Pos from, const QString& d, bool ownLine, Pos& at) {
        for (qsizetype l = from.line; l < n_; ++l) {
            const qsizetype i = lines_.at(l).indexOf(d, l == from.line ? from.col - 1 : 0, Qt::CaseInsensitive);
            if (i >= 0) {
                at = {l, i + 1};
                return true;
            }
            if (ownLine) break;
            lineProg_.pump();
        }
        return false;
    }

    // The text from start to end inclusive; the pieces of several lines joined by CR LF.
    QString ExtractRange(Pos start, Pos end) const {
        if (start.line >= n_) return QString();
        // A field that starts at the end of a line and goes on below begins on the next line;
        // one that ends before a line's first character ends with the line above.
        if (end.line > start.line && start.col > len(start.line)) start = {start.line + 1, 1};
        if (end.line > start.line && end.col < 1) end = {end.line - 1, len(end.line - 1)};
        if (end.line == start.line)
            return lines_.at(start.line).mid(start.col - 1, std::max<qsizetype>(0, end.col - start.col + 1));
        QString v = lines_.at(start.line).mid(start.col - 1);
        for (qsizetype l = start.line + 1; l < end.line; ++l) v += kCRLF + lines_.at(l);
        return v + kCRLF + lines_.at(end.line).left(end.col);
    }

private:
    const QStringList& lines_;
    const qsizetype n_;
    frmProg& lineProg_;
};

// Hides the progress windows on every way out of a load.
struct ProgressShown {
    frmProg& a;
    frmProg& b;
    ~ProgressShown() {
        a.hide();
        b.hide();
    }
};

// The layout of the form, refused with a message when it can't delimit its fields (also when
// the form was closed by its close box, which skips the check of OK).
bool layoutUsable(const clsFileRAWFrm1& frm) {
    if (frm.FieldDelimiter().isEmpty() || frm.RecordDelimiter().isEmpty()) {
        MsgBox(QStringLiteral("Invalid delimiters."));
        return false;
    }
    if (frm.fields().empty()) {
        MsgBox(QStringLiteral("No field is selected."));
        return false;
    }
    return frm.DelimitersFit();
}
} // namespace

clsFileRAW::clsFileRAW() = default;

bool clsFileRAW::Load(clsSubs& Subs) {
    // A fresh form: the user states the layout of the file being opened.
    clsFileRAWFrm1* frm = newForm();
    ShowModal(frm);
    const std::vector<RawField> fields = frm->fields();
    const QString fd = frm->FieldDelimiter(), rd = frm->RecordDelimiter(), nlc = frm->NewLineText();
    if (!layoutUsable(*frm)) return false;
    QStringList lines;
    if (!readLines(lines)) return false;
    // Empty lines at the end (such as the one the line-end repair adds) hold no record.
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();

    EventsOff off(Subs);
    Subs.Clear();
    frmProg& fileProg = ProgressWindow();
    frmProg lineProg;
    ProgressShown shown{fileProg, lineProg};
    RawReader in(lines, lineProg);
    const qsizetype n = in.count();
    fileProg.lbIndic->setText(QStringLiteral("Parsing file ..."));
    fileProg.setMin(0);
    fileProg.setMax(static_cast<qint32>(std::min<qsizetype>(n, INT_MAX)));
    fileProg.setValue(0);
    fileProg.show();
    lineProg.lbIndic->setText(QStringLiteral("Parsing line ..."));
    lineProg.setMin(0);
    lineProg.setMax(20);
    lineProg.setValue(0);
    lineProg.move(fileProg.x(), fileProg.y() + fileProg.frameGeometry().height() + 200 / 15);
    lineProg.show();
    fileProg.pump();

    // Records that end at a line end never reach into the next line for a field.
    const bool byLine = rd == kCRLF;
    try {
        Pos pos{0, 1};
        while (pos.line < n) {
            // No record starts at a line's end: the one before ended there.
            if (!byLine && pos.col > in.len(pos.line)) {
                pos = {pos.line + 1, 1};
                continue;
            }
            fileProg.setValue(static_cast<qint32>(pos.line));
            qint32 timeIn = 0, timeOut = 0;
            QString text;
            for (size_t k = 0; k < fields.size(); ++k) {
                lineProg.setMax(static_cast<qint32>(in.len(pos.line)));
                lineProg.setValue(static_cast<qint32>(pos.col));
                const bool last = k + 1 == fields.size();
                const QString& d = last ? rd : fd;
                Pos end, next, at;
                if (d == kCRLF) {
                    end = {pos.line, in.len(pos.line)};
                    next = {pos.line + 1, 1};
                } else if (in.FindDelimiter(pos, d, byLine && !last, at)) {
                    // The position may rest at the end of the line: an empty last field follows.
                    end = {at.line, at.col - 1};
                    next = {at.line, at.col + d.size()};
                } else if (byLine && !last) {
                    end = {pos.line, in.len(pos.line)};
                    next = {pos.line, end.col + 1};
                } else {
                    end = {n - 1, in.len(n - 1)};
                    next = {n, 1};
                }
                const QString value = in.ExtractRange(pos, end);
                switch (fields[k]) {
                case rfTimeIn: timeIn = ParseTime(value); break;
                case rfTimeOut: timeOut = ParseTime(value); break;
                case rfText: text = nlc.isEmpty() ? value : QString(value).replace(nlc, kCRLF); break;
                }
                pos = next;
            }
            AppendEntry(Subs, text, timeIn, timeOut);
        }
    } catch (const ListIsFull&) {
        return ListFull(QStringLiteral("raw text"));
    } catch (const RuntimeError&) {
        MsgBox(QStringLiteral("File format incorrect."), vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    return true;
}

bool clsFileRAW::Save(clsSubs& Subs) {
    clsFileRAWFrm1* frm = form();
    ShowModal(frm);
    const std::vector<RawField> fields = frm->fields();
    const QString fd = frm->FieldDelimiter(), rd = frm->RecordDelimiter();
    if (!layoutUsable(*frm)) return false;
    std::vector<std::array<QString, 3>> records(static_cast<size_t>(Subs.count()));
    for (int i = 0; i < Subs.count(); ++i)
        records[i] = {FormatTime(Subs.SubTimeIn(i)), FormatTime(Subs.SubTimeOut(i)), Subs.SubText(i)};
    bool byRecord = false;
    const int bad = clsFileRAWFrm1::FirstSplitText(records, fields, fd, rd, frm->NewLineText(), byRecord);
    if (bad >= 0) {
        const QString& d = byRecord ? rd : fd;
        MsgBox(QStringLiteral("The text of subtitle %1 holds the %2 delimiter %3, so the file would not read back "
                              "as written. Nothing was saved: please choose other delimiters.")
                   .arg(QString::number(bad), byRecord ? QStringLiteral("line") : QStringLiteral("field"),
                        d == u"\t" ? QStringLiteral("(Tab)") : u'"' + d + u'"'),
               vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    return writeText(clsFileRAWFrm1::Compose(records, fields, fd, rd, frm->NewLineText()));
}
