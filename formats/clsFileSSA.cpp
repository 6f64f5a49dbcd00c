#include "formats/clsFileSSA.h"
#include "formats/FontChoice.h"
#include "formats/FormatIO.h"
#include "formats/LineStore.h"
#include "formats/WarningsList.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kNotSsa = QStringLiteral("This is not a valid SSA v4(+) subtitle file : ");
const QString kProgramWebAddress = QStringLiteral("https://lumerin.sourceforge.io/");

struct KeyLine {
    bool ok = false;
    QString key;   // as written, trimmed
    QString lower; // the key lower-cased, for comparing
    QString value; // trimmed
};

// "Key: value" lines; lines starting with ";" are comments.
KeyLine keyLine(const QString& s) {
    KeyLine k;
    if (s.isEmpty() || s.at(0) == u';') return k;
    const qsizetype p = s.indexOf(u':');
    if (p < 0) return k;
    k.ok = true;
    k.key = s.left(p).trimmed();
    k.lower = k.key.toLower();
    k.value = s.mid(p + 1).trimmed();
    return k;
}

bool isHeader(const QString& s, QStringView header) {
    return QStringView(s).trimmed().compare(header, Qt::CaseInsensitive) == 0;
}

QStringList splitTrimmed(const QString& value, bool lower) {
    QStringList out = value.split(u',');
    for (QString& f : out) f = lower ? f.trimmed().toLower() : f.trimmed();
    return out;
}

// A colour field: decimal (negative when the alpha byte is 128 or more) or "&H" hexadecimal;
// its low 32 bits.
quint32 colourValue(const QString& text) {
    const QString t = text.trimmed();
    if (t.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        quint32 v = 0;
        for (qsizetype i = 2; i < t.size(); ++i) {
            const char16_t c = t.at(i).unicode();
            const int d = c >= u'0' && c <= u'9'   ? c - u'0'
                          : c >= u'a' && c <= u'f' ? c - u'a' + 10
                          : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                   : -1;
            if (d < 0) break;
            v = (v << 4) | quint32(d);
        }
        return v;
    }
    double d = RoundHalfEven(Val(t));
    if (!std::isfinite(d)) return 0;
    d = std::fmod(d, 4294967296.0);
    if (d < 0) d += 4294967296.0;
    return static_cast<quint32>(static_cast<quint64>(d));
}

QString numberOf(const QString& text) { return NumText(Val(text)); }

// A style value's number for a box: decimal text without blanks, within 32 bits.
QString boxNumber(const QString& text) { return NumText(std::clamp(Val(text), -2147483648.0, 2147483647.0)); }

class Reader {
public:
    Reader(const QStringList& lines, clsFileSSAFrm1& form, clsSubs& subs) : L(lines), F(form), Subs(subs) {}
    bool run();

private:
    bool nextLine(QString& s) {
        if (idx_ + 1 >= L.size()) {
            idx_ = int(L.size());
            return false;
        }
        s = L[++idx_];
        if (progress_) progress_->at(idx_);
        return true;
    }
    void warn(const QString& text, int line) { warnings_ << Str(line) + QStringLiteral(" : ") + text; }
    void warn(const QString& text) { warn(text, idx_); }
    static bool fail(const QString& text) {
        MsgBox(text, vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    QLineEdit* infoBox(const QString& key) const;
    void applyStyle(const QStringList& fields, const QStringList& values, int line);
    void setColour(int slot, const QString& value);
    void addEntry(const QStringList& fields, const QString& value);

    const QStringList& L;
    clsFileSSAFrm1& F;
    clsSubs& Subs;
    int idx_ = -1;
    bool v4plus_ = false;
    QStringList warnings_;
    std::optional<LineProgress> progress_;
};

QLineEdit* Reader::infoBox(const QString& key) const {
    static const char* const keys[] = {"title",
                                       "original script",
                                       "original translation",
                                       "original editing",
                                       "original timing",
                                       "synch point",
                                       "script updated by",
                                       "update details",
                                       "script type",
                                       "collisions",
                                       "wrapstyle",
                                       "playresx",
                                       "playresy",
                                       "playdepth",
                                       "timer"};
    QLineEdit* const boxes[] = {
        F.txtSSATitle,         F.txtSSAScript,          F.txtSSATrans,        F.txtSSAEdit,       F.txtSSATiming,
        F.txtSSASynch,         F.txtSSAScriptUpdatedBy, F.txtSSAScriptUpdate, F.txtSSAScriptType, F.txtSSACollisions,
        F.txtSSAWordWrapStyle, F.txtSSAPlayResX,        F.txtSSAPlayResY,     F.txtSSAPlayDepth,  F.txtSSATimer};
    for (int i = 0; i < 15; ++i)
        if (key == QLatin1String(keys[i])) return boxes[i];
    return nullptr;
}

bool Reader::run() {
    QString s;
    if (!nextLine(s) || !isHeader(s, u"[script info]"))
        return fail(kNotSsa + QStringLiteral("invalid [script info] tag"));

    progress_.emplace(QStringLiteral("Parsing : [Script Info]"), 0, int(L.size()));

    // Script information, up to the styles.
    for (;;) {
        if (!nextLine(s)) return fail(kNotSsa + QStringLiteral("Premature file ending"));
        if (isHeader(s, u"[v4 styles]") || isHeader(s, u"[v4+ styles]")) break;
        const KeyLine k = keyLine(s);
        if (!k.ok || k.key == QStringLiteral("!")) continue;
        if (QLineEdit* box = infoBox(k.lower)) box->setText(k.value);
        else warn(QStringLiteral("- Unknown [Script Info] Tag : '") + k.key + u'\'');
    }
    v4plus_ = isHeader(s, u"[v4+ styles]");
    progress_->setStep(QStringLiteral("Parsing : ") + s.trimmed());

    // Styles: the Format line and the first Style line after it, up to the events.
    QStringList styleFields, styleValues;
    bool haveFormat = false, haveStyle = false, atEvents = false;
    int styleLine = -1;
    while (nextLine(s)) {
        if (isHeader(s, u"[events]")) {
            atEvents = true;
            break;
        }
        const KeyLine k = keyLine(s);
        if (!k.ok) continue;
        if (k.lower == QStringLiteral("format") && !haveFormat) {
            styleFields = splitTrimmed(k.value, true);
            haveFormat = true;
        } else if (k.lower == QStringLiteral("style") && haveFormat && !haveStyle) {
            styleValues = splitTrimmed(k.value, false);
            styleLine = idx_;
            haveStyle = true;
        }
    }
    if (haveStyle) {
        applyStyle(styleFields, styleValues, styleLine);
    } else {
        if (!atEvents) return fail(kNotSsa + QStringLiteral("Premature file ending"));
        // The events are still worth reading: the form keeps its own style.
        warn(QStringLiteral("- No style found: the style keeps the values of this form"));
    }
    if (!atEvents) return fail(QStringLiteral("This is not a valid SSA v4 subtitle file : Premature file ending"));

    // Events.
    progress_->setStep(QStringLiteral("Parsing : [Events]"));
    QStringList eventFields;
    bool haveEventFormat = false;
    while (nextLine(s)) {
        const KeyLine k = keyLine(s);
        if (k.ok && k.lower == QStringLiteral("format")) {
            eventFields = splitTrimmed(k.value, true);
            haveEventFormat = true;
            break;
        }
    }
    if (!haveEventFormat) return fail(kNotSsa + QStringLiteral("Premature file ending"));
    while (nextLine(s)) {
        if (isHeader(s, u"[fonts]")) break;
        const KeyLine k = keyLine(s);
        if (!k.ok || k.key == QStringLiteral("!") || k.lower == QStringLiteral("comment")) continue;
        if (k.lower == QStringLiteral("dialogue")) addEntry(eventFields, k.value);
        else warn(QStringLiteral("- Ignoring [events] tag : '") + k.key + u'\'');
    }

    const int n = warnings_.size();
    if (n == 0) {
        F.lbWarnings->setText(QStringLiteral("No warnings"));
    } else {
        F.SSTab1->setTabText(1, QStringLiteral("Warnings (") + QString::number(n) + u')');
        // Each warning follows a line break; after them an empty line and the count.
        F.lbWarnings->setText(u'\n' + warnings_.join(u'\n') + QStringLiteral("\n\n") + Str(n) +
                              QStringLiteral(" warnings"));
    }
    return true;
}

void Reader::setColour(int slot, const QString& value) {
    const quint32 c = colourValue(value);
    F.CScroll[3 * slot]->setValue(int(c & 0xFF));
    F.CScroll[3 * slot + 1]->setValue(int((c >> 8) & 0xFF));
    F.CScroll[3 * slot + 2]->setValue(int((c >> 16) & 0xFF));
    // A version 4 colour carries no alpha: opaque.
    F.scrAlpha[slot]->setValue(v4plus_ ? int(c >> 24) : 0);
}

void Reader::applyStyle(const QStringList& fields, const QStringList& values, int line) {
    const int n = int(std::min(fields.size(), values.size()));
    for (int i = 0; i < n; ++i) {
        const QString& f = fields[i];
        const QString& v = values[i];
        if (f == u"name" || f == u"alphalevel" || f == u"encoding") continue;
        if (f == u"fontname") {
            if (!v.isEmpty()) F.SelFont(v); // an empty name keeps the form's font
        } else if (f == u"fontsize") F.txtFontSize->setText(v);
        else if (f == u"primarycolour") setColour(0, v);
        else if (f == u"secondarycolour") setColour(1, v);
        else if (f == u"tertiarycolour" || f == u"outlinecolour") setColour(2, v);
        else if (f == u"backcolour") setColour(3, v);
        else if (f == u"bold") F.cBold->setChecked(Val(v) == -1);
        else if (f == u"italic") F.cItalic->setChecked(Val(v) == -1);
        else if (f == u"underline") F.cUnderline->setChecked(Val(v) == -1);
        else if (f == u"strikeout") F.cStrike->setChecked(Val(v) == -1);
        else if (f == u"scalex") F.txtScaleX->setText(boxNumber(v));
        else if (f == u"scaley") F.txtScaleY->setText(boxNumber(v));
        else if (f == u"angle") F.txtAngle->setText(boxNumber(v));
        else if (f == u"spacing") F.txtCharSpace->setText(boxNumber(v));
        else if (f == u"borderstyle") F.txtBorderStyle->setText(boxNumber(v));
        else if (f == u"outline") F.txtOutline->setText(boxNumber(v));
        else if (f == u"shadow") F.txtShadow->setText(boxNumber(v));
        else if (f == u"marginl") F.txtMarginLeft->setText(boxNumber(v));
        else if (f == u"marginr") F.txtMarginRight->setText(boxNumber(v));
        else if (f == u"marginv") F.txtMarginV->setText(boxNumber(v));
        else if (f == u"alignment") {
            const qint32 a = ClampLong(Val(v));
            if (v4plus_) {
                F.setAlignment(a);
            } else {
                // Version 4: 1-3 bottom, 5-7 top, 9-11 middle; other values leave the form's choice.
                if (a >= 1 && a <= 3) F.setAlignment(a);
                else if (a >= 5 && a <= 7) F.setAlignment(a + 2);
                else if (a >= 9 && a <= 11) F.setAlignment(a - 5);
            }
        } else {
            warn(QStringLiteral("- unknown format field : ") + f, line);
        }
    }
    if (values.size() < fields.size()) warn(QStringLiteral("- Style tag ended prematurely"), line);
    else if (fields.size() < values.size()) warn(QStringLiteral("- Format tag ended prematurely"), line);
}

void Reader::addEntry(const QStringList& fields, const QString& value) {
    qint32 start = 0, end = 0;
    QString text;
    static const QStringList ignored{QStringLiteral("marked"),  QStringLiteral("layer"),   QStringLiteral("style"),
                                     QStringLiteral("name"),    QStringLiteral("marginl"), QStringLiteral("marginr"),
                                     QStringLiteral("marginv"), QStringLiteral("effect")};
    qsizetype p = 0;
    for (const QString& f : fields) {
        if (f == u"text") {
            text = value.mid(p); // the rest of the line, commas included
            break;
        }
        qsizetype c = p > value.size() ? -1 : value.indexOf(u',', p);
        if (c < 0) c = value.size();
        if (f == u"start") start = clsFileSSA::ParseSsaTime(value.mid(p, c - p));
        else if (f == u"end") end = clsFileSSA::ParseSsaTime(value.mid(p, c - p));
        else if (!ignored.contains(f)) warn(QStringLiteral("- unknown dialogue field : ") + f);
        p = c + 1;
    }
    if (text.contains(u'\\')) {
        text.replace(QStringLiteral("\\n"), kCrLf);
        text.replace(QStringLiteral("\\N"), kCrLf);
    }
    Subs.AddSub(text, start, end);
}
} // namespace

clsFileSSA::clsFileSSA() = default;

QString clsFileSSA::SsaTime(qint32 ms) {
    if (ms < 0) return QStringLiteral("0:00:00.00");
    const qint32 m = ms / 60000 % 60, sec = ms / 1000 % 60, cs = ms % 1000 / 10;
    QString t = QString::number(ms / 3600000);
    const char16_t tail[] = {u':', char16_t(u'0' + m / 10),   char16_t(u'0' + m % 10),
                             u':', char16_t(u'0' + sec / 10), char16_t(u'0' + sec % 10),
                             u'.', char16_t(u'0' + cs / 10),  char16_t(u'0' + cs % 10)};
    t.append(reinterpret_cast<const QChar*>(tail), 9);
    return t;
}

qint32 clsFileSSA::ParseSsaTime(const QString& text) {
    QString t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    if (negative) t.remove(0, 1);
    const QStringList f = t.split(u':');
    const qsizetype n = f.size();
    const double h = n >= 3 ? NumberOf(f[n - 3]) : 0, m = n >= 2 ? NumberOf(f[n - 2]) : 0;
    const QString& sec = f[n - 1];
    const qsizetype dot = sec.indexOf(u'.');
    const double s = NumberOf(dot < 0 ? QStringView(sec) : QStringView(sec).first(dot));
    qint64 ms = 0;
    if (dot >= 0) {
        QString digits;
        for (qsizetype i = dot + 1; i < sec.size() && sec.at(i).isDigit() && digits.size() < 12; ++i)
            digits += sec.at(i);
        if (!digits.isEmpty()) {
            const qint64 v = digits.toLongLong();
            const int len = int(digits.size());
            if (len <= 3) {
                ms = v * (len == 1 ? 100 : len == 2 ? 10 : 1);
            } else {
                qint64 div = 1;
                for (int i = 3; i < len; ++i) div *= 10;
                ms = v / div;
                const qint64 r = v % div;
                if (2 * r > div || (2 * r == div && (ms & 1))) ++ms;
            }
        }
    }
    const double total = ((h * 60 + m) * 60 + s) * 1000 + double(ms);
    return ClampLong(negative ? -total : total);
}

bool clsFileSSA::Load(clsSubs& Subs) {
    QStringList lines;
    if (!readLines(lines)) return false;
    lines_ = std::move(lines);
    clsFileSSAFrm1* F = newForm();
    {
        EventsOff off(Subs);
        Subs.Clear();
        try {
            if (!Reader(lines_, *F, Subs).run()) return false;
        } catch (const RuntimeError& e) {
            if (Subs.full()) return ListFull(QStringLiteral("SubStation Alpha"));
            MsgBox(kNotSsa + e.description(), vb::Exclamation, QStringLiteral("Error"));
            return false;
        }
    }
    ShowModal(F);
    return true;
}

QString clsFileSSA::Compose(const clsSubs& Subs, const clsFileSSAFrm1& F) {
    auto colour = [&F](int slot) {
        const quint32 v = quint32(F.CScroll[3 * slot]->value()) | (quint32(F.CScroll[3 * slot + 1]->value()) << 8) |
                          (quint32(F.CScroll[3 * slot + 2]->value()) << 16) |
                          (quint32(F.scrAlpha[slot]->value()) << 24);
        return QString::number(static_cast<qint32>(v));
    };
    auto flag = [](const QCheckBox* c) { return c->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"); };
    QString out;
    out.reserve(1500 + Subs.count() * 80);
    out += QStringLiteral("[Script Info]\r\n"
                          "; This is a Sub Station Alpha v4+ script.\r\n"
                          "; For a description of the format, see the ASS File Format Guide of libass:\r\n"
                          "; https://github.com/libass/libass/wiki/ASS-File-Format-Guide\r\n"
                          ";\r\n"
                          "; Generated by Lumerin\r\n");
    out += QStringLiteral("; ") + kProgramWebAddress + kCrLf + QStringLiteral(";\r\n");
    out += QStringLiteral("Title: ") + F.txtSSATitle->text() + kCrLf;
    out += QStringLiteral("Original Script: ") + F.txtSSAScript->text() + kCrLf;
    out += QStringLiteral("Original Translation: ") + F.txtSSATrans->text() + kCrLf;
    out += QStringLiteral("Original Editing: ") + F.txtSSAEdit->text() + kCrLf;
    out += QStringLiteral("Original Timing: ") + F.txtSSATiming->text() + kCrLf;
    out += QStringLiteral("Synch Point: ") + F.txtSSASynch->text() + kCrLf;
    out += QStringLiteral("Script Updated By:") + F.txtSSAScriptUpdatedBy->text() + kCrLf;
    out += QStringLiteral("Update Details: ") + F.txtSSAScriptUpdate->text() + kCrLf;
    out += QStringLiteral("Script Type: v4.00+\r\n");
    out += QStringLiteral("Collisions: ") + F.txtSSACollisions->text() + kCrLf;
    out += QStringLiteral("PlayResY: ") + numberOf(F.txtSSAPlayResY->text()) + kCrLf;
    out += QStringLiteral("PlayResX: ") + numberOf(F.txtSSAPlayResX->text()) + kCrLf;
    out += QStringLiteral("PlayDepth: ") + numberOf(F.txtSSAPlayDepth->text()) + kCrLf;
    out += QStringLiteral("Timer: ") + numberOf(F.txtSSATimer->text()) + kCrLf;
    out += QStringLiteral("WrapStyle: ") + F.txtSSAWordWrapStyle->text().left(1) + kCrLf;
    out += QStringLiteral("\r\n[V4+ Styles]\r\n"
                          "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
                          "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
                          "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, "
                          "Encoding\r\n");
    const QStringList style{QStringLiteral("Style: Default"),
                            F.lstFonts->fontName(),
                            numberOf(F.txtFontSize->text()),
                            colour(0),
                            colour(1),
                            colour(2),
                            colour(3),
                            flag(F.cBold),
                            flag(F.cItalic),
                            flag(F.cUnderline),
                            flag(F.cStrike),
                            numberOf(F.txtScaleX->text()),
                            numberOf(F.txtScaleY->text()),
                            numberOf(F.txtCharSpace->text()),
                            numberOf(F.txtAngle->text()),
                            F.txtBorderStyle->text().left(1),
                            numberOf(F.txtOutline->text()),
                            numberOf(F.txtShadow->text()),
                            QString::number(F.alignment()),
                            numberOf(F.txtMarginLeft->text()),
                            numberOf(F.txtMarginRight->text()),
                            numberOf(F.txtMarginV->text()),
                            QString(),
                            QStringLiteral("0")};
    out += style.join(u',') + kCrLf;
    // Events in the standard field order, line breaks as the hard break "\N", so that every
    // player finds them.
    out += QStringLiteral("\r\n[Events]\r\n"
                          "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n");
    for (int i = 0; i < Subs.count(); ++i) {
        QString text = Subs.SubText(i);
        text.replace(kCrLf, QStringLiteral("\\N"));
        out += QStringLiteral("Dialogue: 0,") + SsaTime(Subs.SubTimeIn(i)) + u',' + SsaTime(Subs.SubTimeOut(i)) +
               QStringLiteral(",Default,") + QString::number(i) + QStringLiteral(",0000,0000,0000,,") + text + kCrLf;
    }
    return out;
}

bool clsFileSSA::Save(clsSubs& Subs) {
    clsFileSSAFrm1* F = form();
    ShowModal(F);
    return writeText(Compose(Subs, *F));
}
