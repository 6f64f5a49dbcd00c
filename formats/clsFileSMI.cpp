#include "formats/clsFileSMI.h"
#include "formats/FormatIO.h"
#include "formats/LineStore.h"
#include "formats/WarningsList.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <optional>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kNotSami = QStringLiteral("This is not a valid SAMI subtitle file : ");

// A place in the line store; col is a 0-based index, col == the line's length means "nothing
// more on this line". Ranges are [from, to).
struct Pos {
    int line = 0;
    int col = 0;
};

// Views into the line store, which outlives the reading.
struct Tag {
    bool found = false; // false at the end of the text (then the rest is empty)
    QStringView text;   // between "<" and ">"
    QStringView name;   // first word, without the "/" of "<BR/>"; compared without case
    Pos lt;             // the "<"
    Pos after;          // just after the ">"

    bool is(QStringView upper) const { return found && name.compare(upper, Qt::CaseInsensitive) == 0; }
    // The closing tag of open ("/" and its name).
    bool closes(const Tag& open) const {
        return found && name.size() == open.name.size() + 1 && name.startsWith(u'/') &&
               name.sliced(1).compare(open.name, Qt::CaseInsensitive) == 0;
    }
};

QStringView nameOf(QStringView tagText) {
    qsizetype n = 0;
    while (n < tagText.size() && !IsBlank(tagText[n])) ++n;
    QStringView name = tagText.first(n);
    if (name.size() > 1 && name.endsWith(u'/')) name.chop(1);
    return name;
}

// The value of an attribute of a tag (name compared without case), quoted or not, with or
// without blanks around its "="; "" when the tag has no such attribute.
QStringView attribute(QStringView tagText, QStringView wanted) {
    const qsizetype n = tagText.size();
    qsizetype i = 0;
    while (i < n && !IsBlank(tagText[i])) ++i; // the tag's name
    while (i < n) {
        while (i < n && IsBlank(tagText[i])) ++i;
        const qsizetype nameStart = i;
        while (i < n && !IsBlank(tagText[i]) && tagText[i] != u'=') ++i;
        const QStringView name = tagText.sliced(nameStart, i - nameStart);
        qsizetype j = i;
        while (j < n && IsBlank(tagText[j])) ++j;
        QStringView value;
        if (j < n && tagText[j] == u'=') {
            ++j;
            while (j < n && IsBlank(tagText[j])) ++j;
            if (j < n && (tagText[j] == u'"' || tagText[j] == u'\'')) {
                const QChar quote = tagText[j++];
                qsizetype k = tagText.indexOf(quote, j);
                if (k < 0) k = n;
                value = tagText.sliced(j, k - j);
                i = k + 1;
            } else {
                const qsizetype k = j;
                while (j < n && !IsBlank(tagText[j])) ++j;
                value = tagText.sliced(k, j - k);
                i = j;
            }
        }
        if (!name.isEmpty() && name.compare(wanted, Qt::CaseInsensitive) == 0) return value;
        if (i == nameStart) ++i; // a stray "=" or quote
    }
    return {};
}

qint32 syncStart(const Tag& t) { return ClampLong(NumberOf(attribute(t.text, u"Start"))); }

// Builds an entry's text: stretches of lines between tags, joined where a line ends by one
// blank, and line breaks for P and BR. Blanks at the edges of a line or next to a break go;
// blanks next to markup kept in the text stay, so words are not glued to it.
class EntryText {
public:
    // Adds the piece of line `line` from `from` to `to`.
    void add(int line, QStringView piece) {
        if (segLine_ >= 0 && line != segLine_) endLine();
        segLine_ = line;
        line_ += piece;
    }
    void lineBreak() {
        flush();
        // Only trimmed, non-empty stretches join the text, so a text that is not empty holds
        // more than blanks.
        if (!text_.isEmpty()) text_ += kCrLf;
    }
    QString finish() {
        flush();
        return text_;
    }

private:
    // A finished line of the stretch joins the text without its edge blanks.
    void endLine() {
        const QStringView t = trimmed(line_);
        if (!t.isEmpty()) {
            if (!seg_.isEmpty()) seg_ += u' ';
            seg_ += t;
        }
        line_.clear();
    }
    void flush() {
        endLine();
        text_ += seg_;
        seg_.clear();
        segLine_ = -1;
    }
    static QStringView trimmed(QStringView s) {
        qsizetype a = 0, b = s.size();
        while (a < b && IsBlank(s[a])) ++a;
        while (b > a && IsBlank(s[b - 1])) --b;
        return s.sliced(a, b - a);
    }
    QString text_;
    QString seg_;  // the stretch since the last break, lines joined
    QString line_; // the stretch's current line
    int segLine_ = -1;
};

class Reader {
public:
    Reader(const QStringList& lines, clsFileSMIFrm1& form, clsSubs& subs) : L(lines), F(form), Subs(subs) {}

    // Reads the file into the form and the document; false after telling the user.
    bool run();

private:
    Tag next();
    QStringView piece(int line, Pos from, Pos to) const {
        const QString& s = L[line];
        const qsizetype a = line == from.line ? std::min<qsizetype>(from.col, s.size()) : 0;
        const qsizetype b = line == to.line ? std::min<qsizetype>(to.col, s.size()) : s.size();
        return b > a ? QStringView(s).sliced(a, b - a) : QStringView();
    }
    QStringList parts(Pos from, Pos to) const {
        QStringList out;
        for (int l = from.line; l <= to.line && l < L.size(); ++l) out << piece(l, from, to).toString();
        return out;
    }
    void collect(EntryText& text, Pos from, Pos to) const {
        for (int l = from.line; l <= to.line && l < L.size(); ++l) text.add(l, piece(l, from, to));
    }
    void appendLines(Pos from, Pos to, QString& text, bool trimComment = false) const;
    void warn(const QString& text) { warnings_ << text; }
    bool fail(const QString& why) const {
        MsgBox(kNotSami + why, vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    bool readHead();
    bool readBody(Tag& t);
    void readEntry(Tag& t);
    void progress(int line) { progress_->at(line); }

    const QStringList& L;
    clsFileSMIFrm1& F;
    clsSubs& Subs;
    Pos pos_;
    Pos prevEnd_;
    QStringList warnings_;
    std::optional<QString> pclass_; // the class of the last P tag, for the form
    // The markup before and after the subtitles, given to the body boxes once: a box's text
    // set again for every tag would make the load grow with the square of the markup.
    QString body1_, body2_;
    std::optional<LineProgress> progress_;
};

Tag Reader::next() {
    for (int l = pos_.line; l < L.size(); ++l) {
        const QString& s = L[l];
        qsizetype from = l == pos_.line ? pos_.col : 0;
        for (;;) {
            const qsizetype p = s.indexOf(u'<', from);
            if (p < 0) break;
            if (QStringView(s).sliced(p).startsWith(u"<!--")) {
                from = p + 4;
                continue;
            }
            const qsizetype q = s.indexOf(u'>', p + 1);
            if (q < 0) break; // a "<" without its ">" on the line is text
            Tag t;
            t.found = true;
            t.text = QStringView(s).sliced(p + 1, q - p - 1);
            t.name = nameOf(t.text);
            t.lt = {l, int(p)};
            t.after = {l, int(q + 1)};
            pos_ = t.after;
            prevEnd_ = t.lt;
            return t;
        }
    }
    Tag none;
    if (!L.isEmpty()) prevEnd_ = {int(L.size() - 1), int(L.last().size())};
    pos_ = prevEnd_;
    none.lt = none.after = prevEnd_;
    return none;
}

// Appends the stretch's lines that hold more than blanks to text (a box's text), one per line.
void Reader::appendLines(Pos from, Pos to, QString& text, bool trimComment) const {
    QStringList p = parts(from, to);
    if (trimComment) {
        // A style sheet wrapped in "<!--" and "-->" loses the marks.
        while (!p.isEmpty() && TrimBlanks(p.first()).isEmpty()) p.removeFirst();
        if (!p.isEmpty()) {
            QString& first = p.first();
            qsizetype i = 0;
            while (i < first.size() && IsBlank(first[i])) ++i;
            if (QStringView(first).sliced(i).startsWith(u"<!--")) first.remove(0, i + 4);
        }
        while (!p.isEmpty() && TrimBlanks(p.last()).isEmpty()) p.removeLast();
        if (!p.isEmpty()) {
            QString& last = p.last();
            qsizetype j = last.size();
            while (j > 0 && IsBlank(last[j - 1])) --j;
            if (QStringView(last).first(j).endsWith(u"-->")) last.truncate(j - 3);
        }
    }
    // Each piece of markup starts a line of its own rather than being glued onto the last.
    if (!text.isEmpty() && !text.endsWith(kCrLf)) text += kCrLf;
    for (const QString& part : p)
        if (!TrimBlanks(part).isEmpty()) text += part + kCrLf;
    if (text.endsWith(kCrLf)) text.chop(2);
}

bool Reader::run() {
    Tag t = next();
    if (!t.is(u"SAMI")) return fail(QStringLiteral("invalid main signature"));
    t = next();
    if (!t.is(u"HEAD")) return fail(QStringLiteral("invalid head signature"));
    if (!readHead()) return false;

    progress_.emplace(QStringLiteral("Parsing SAMI body..."), pos_.line, int(L.size()));
    t = next();
    const bool whole = readBody(t);
    progress_.reset(); // gone before any message about the body
    if (pclass_) F.txtPClass->setText(*pclass_);
    clsFileSMIFrm1::setBoxText(F.txtSMIBody1, body1_);
    clsFileSMIFrm1::setBoxText(F.txtSMIBody2, body2_);
    if (!whole) return fail(QStringLiteral("premature file ending"));

    const int n = warnings_.size();
    if (n > 0) {
        F.SSTab1->setTabText(3, QStringLiteral("Warnings (") + QString::number(n) + QStringLiteral(") "));
        warn(Str(n) + QStringLiteral(" warnings"));
    } else {
        warn(QStringLiteral("No Warnings"));
    }
    F.lbWarnings->setText(warnings_.join(u'\n'));
    return true;
}

bool Reader::readHead() {
    Tag t = next();
    while (t.found && !t.is(u"/HEAD") && t.text.compare(u"BODY", Qt::CaseInsensitive) != 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QPlainTextEdit* box = nullptr;
        if (t.is(u"SAMIPARAM")) box = F.txtSMIParam;
        else if (t.is(u"STYLE")) box = F.txtSMICss;
        if (box || t.is(u"TITLE")) {
            const Pos start = t.after;
            const Tag close = next();
            const bool closed = close.closes(t);
            if (!closed)
                warn(QStringLiteral("- ") + t.name.toString().toUpper() + QStringLiteral(" tag not properly closed"));
            if (box) {
                QString text;
                appendLines(start, prevEnd_, text, box == F.txtSMICss);
                clsFileSMIFrm1::setBoxText(box, text);
            } else {
                // The title is one line of text, kept as written, blanks included.
                QString title;
                for (const QString& part : parts(start, prevEnd_))
                    if (!TrimBlanks(part).isEmpty())
                        title += (title.isEmpty() ? QString() : QStringLiteral(" ")) + part;
                F.txtSMITitle->setText(title);
            }
            // A missing closing tag does not swallow the tag that stands in its place.
            t = closed ? next() : close;
            continue;
        }
        warn(QStringLiteral("- Unknown Tag :") + t.text.toString());
        t = next();
    }
    if (!t.found) return fail(QStringLiteral("premature file ending"));
    if (t.is(u"/HEAD")) {
        t = next();
        if (!t.is(u"BODY")) return fail(QStringLiteral("invalid body signature"));
    } else {
        warn(QStringLiteral("- Head tag not properly closed"));
    }
    return true;
}

bool Reader::readBody(Tag& t) {
    bool metSync = false;
    while (t.found && !t.is(u"/SAMI") && !t.is(u"/BODY")) {
        progress(t.lt.line);
        if (t.is(u"SYNC")) {
            metSync = true;
            readEntry(t);
            continue;
        }
        // Markup around the subtitles goes to the body boxes.
        QString& target = metSync ? body2_ : body1_;
        const Tag n = next();
        if (n.closes(t)) {
            appendLines(t.lt, n.after, target);
            t = next();
        } else {
            if (!target.isEmpty() && !target.endsWith(kCrLf)) target += kCrLf;
            target += u'<' + t.text.toString() + u'>' + kCrLf;
            t = n;
        }
    }
    if (!t.found) return false; // the caller reports it once the progress window is gone
    if (t.is(u"/BODY")) {
        if (!next().is(u"/SAMI")) warn(QStringLiteral("- Sami tag not properly closed"));
    } else {
        warn(QStringLiteral("- Body tag not properly closed"));
    }
    return true;
}

// t is a SYNC; on return it is the tag that ended the entry.
void Reader::readEntry(Tag& t) {
    const qint32 timeIn = syncStart(t);
    EntryText text;
    Pos start = t.after;
    Tag n;
    for (;;) {
        n = next();
        if (!n.found || n.is(u"/BODY") || n.is(u"SYNC") || n.is(u"/SAMI")) break;
        progress(n.lt.line);
        collect(text, start, prevEnd_);
        if (n.is(u"P") || n.is(u"BR")) {
            if (n.is(u"P")) {
                const QStringView c = attribute(n.text, u"Class");
                if (!pclass_ || *pclass_ != c) pclass_ = c.toString();
            }
            text.lineBreak();
            start = n.after;
        } else if (n.is(u"/P") || n.is(u"/SYNC")) {
            start = n.after; // closers of the structure are not text
        } else {
            start = n.lt; // other markup stays in the text
        }
    }
    collect(text, start, prevEnd_);
    const qint32 timeOut = n.is(u"SYNC") ? syncStart(n) : SatLong(qint64(timeIn) + 3000);
    const QString s = text.finish();
    if (!TrimBlanks(s).isEmpty()) Subs.AddSub(s, timeIn, timeOut);
    t = n;
}
} // namespace

clsFileSMI::clsFileSMI() = default;

bool clsFileSMI::Load(clsSubs& Subs) {
    QStringList lines;
    if (!readLines(lines)) return false;
    lines_ = std::move(lines);
    EventsOff off(Subs);
    Subs.Clear();
    clsFileSMIFrm1* F = newForm();
    try {
        if (!Reader(lines_, *F, Subs).run()) return false;
    } catch (const RuntimeError& e) {
        if (Subs.full()) return ListFull(QStringLiteral("SAMI"));
        MsgBox(kNotSami + e.description(), vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    ShowModal(F);
    return true;
}

QString clsFileSMI::Compose(const clsSubs& Subs, const clsFileSMIFrm1& F) {
    const QString pclass = TrimBlanks(F.txtPClass->text());
    const QString para =
        QStringLiteral("      <P") + (pclass.isEmpty() ? QString() : QStringLiteral(" CLASS=") + pclass) + u'>';
    QString out;
    out.reserve(200 + Subs.count() * 80);
    out += QStringLiteral("<SAMI>\r\n  <HEAD>\r\n    <TITLE>") + F.txtSMITitle->text() + QStringLiteral("</TITLE>\r\n");
    out += QStringLiteral("    <SAMIParam>\r\n      ") + TrimBlanks(clsFileSMIFrm1::boxText(F.txtSMIParam)) + kCrLf;
    out += QStringLiteral("    </SAMIParam>\r\n    <STYLE TYPE=\"text/css\"><!--\r\n      ");
    out += TrimBlanks(clsFileSMIFrm1::boxText(F.txtSMICss)) + kCrLf;
    out += QStringLiteral("    --></STYLE>\r\n  </HEAD>\r\n  <BODY>\r\n");
    out += clsFileSMIFrm1::boxText(F.txtSMIBody1) + kCrLf;
    const QString sync = QStringLiteral("    <SYNC Start=");
    qint32 prevOut = 0;
    for (int i = 0; i < Subs.count(); ++i) {
        const qint32 in = Subs.SubTimeIn(i), tOut = Subs.SubTimeOut(i);
        // An entry that starts where (or before) the previous one ends shares its clearing SYNC.
        if (i == 0 || in > prevOut) out += sync + QString::number(in) + QStringLiteral(">\r\n");
        QString text = Subs.SubText(i);
        text.replace(kCrLf, QStringLiteral("<BR>"));
        out += para + text + kCrLf;
        out += sync + QString::number(tOut) + QStringLiteral(">\r\n");
        prevOut = tOut;
    }
    out += clsFileSMIFrm1::boxText(F.txtSMIBody2) + kCrLf;
    out += QStringLiteral("  </BODY>\r\n</SAMI>\r\n");
    return out;
}

bool clsFileSMI::Save(clsSubs& Subs) {
    clsFileSMIFrm1* F = form();
    ShowModal(F);
    return writeText(Compose(Subs, *F));
}
