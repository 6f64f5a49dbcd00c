#include "model/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QSysInfo>
#include <iconv.h>
#include <uchardet.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {
const QByteArray kUtf8 = QByteArrayLiteral("UTF-8");
const QByteArray kUtf16LE = QByteArrayLiteral("UTF-16LE");
const QByteArray kUtf16BE = QByteArrayLiteral("UTF-16BE");
const QByteArray kCp1252 = QByteArrayLiteral("windows-1252");
const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kUtf16LEBom = QByteArrayLiteral("\xFF\xFE");
const QByteArray kUtf16BEBom = QByteArrayLiteral("\xFE\xFF");
// QString's own byte order, for the C library's converter.
const char* const kHostUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; its five unused bytes keep their C1 codes
// so that every byte reads as some character and writes back as itself.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar cp1252Char(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b); }

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) d[i] = cp1252Char(static_cast<unsigned char>(bytes[i]));
    return out;
}

bool encodeCp1252(QStringView text, QByteArray& out) {
    out.resize(text.size());
    char* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        int b = -1;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = u;
        } else {
            for (int k = 0; k < 32 && b < 0; ++k)
                if (kCp1252High[k] == u) b = 0x80 + k;
        }
        if (b < 0) return false;
        d[i] = static_cast<char>(b);
    }
    return true;
}

// Text that is UTF-8 but for some stray bytes: the valid sequences as UTF-8, every other byte
// as Windows-1252 (the likeliest source of a stray letter in such a file). Without out, only
// counts: the valid multi-byte sequences and the stray bytes.
void scanUtf8(QByteArrayView b, qsizetype& sequences, qsizetype& stray, QString* out = nullptr) {
    sequences = stray = 0;
    const qsizetype n = b.size();
    // At most one UTF-16 unit per byte: a four-byte sequence gives two.
    QChar* d = nullptr;
    if (out) {
        out->resize(n);
        d = out->data();
    }
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(b[i]);
        if (c < 0x80) {
            if (d) *d++ = QChar(c);
            continue;
        }
        const int len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        char32_t cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            const auto x = static_cast<unsigned char>(b[i + k]);
            ok = (x & 0xC0) == 0x80;
            cp = (cp << 6) | (x & 0x3F);
        }
        if (ok && len == 3) ok = cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
        if (ok && len == 4) ok = cp >= 0x10000 && cp <= 0x10FFFF;
        if (!ok) {
            if (d) *d++ = cp1252Char(c);
            ++stray;
            continue;
        }
        if (d) {
            if (cp > 0xFFFF) {
                *d++ = QChar(QChar::highSurrogate(cp));
                *d++ = QChar(QChar::lowSurrogate(cp));
            } else {
                *d++ = QChar(char16_t(cp));
            }
        }
        ++sequences;
        i += len - 1;
    }
    if (out) out->truncate(d - out->data());
}

// The encoding uchardet names for the bytes; empty when it knows none.
QByteArray detect(QByteArrayView bytes) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> ud(uchardet_new(), uchardet_delete);
    if (!ud) return {};
    // The lines that hold bytes beyond ASCII tell the encoding; a few thousand of them do.
    QByteArray sample;
    // Lines without their own line ends, so that neither the line-end style nor its repair
    // changes the guess.
    for (qsizetype start = 0; start < bytes.size() && sample.size() < 64 * 1024;) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        const QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            sample += line;
            sample += '\n';
        }
    }
    if (uchardet_handle_data(ud.get(), sample.constData(), size_t(sample.size())) != 0) return {};
    uchardet_data_end(ud.get());
    const char* name = uchardet_get_charset(ud.get());
    return name ? QByteArray(name) : QByteArray();
}

// Conversion through the C library, for the few encodings that Qt's converters lack; false
// when the library doesn't know the encoding or a character has no exact place in the target.
bool iconvConvert(const char* from, const char* to, QByteArrayView in, QByteArray& out) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return false;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t left = size_t(in.size());
    size_t done = 0;
    bool ok = true;
    for (bool flushing = false;;) {
        char* dst = out.data() + done;
        size_t room = size_t(out.size()) - done;
        const size_t r = flushing ? iconv(cd, nullptr, nullptr, &dst, &room) : iconv(cd, &src, &left, &dst, &room);
        done = size_t(dst - out.data());
        if (r == size_t(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A positive count is of characters put in as substitutes.
        if (r != 0) {
            ok = false;
            break;
        }
        if (flushing) break;
        flushing = true;
    }
    iconv_close(cd);
    out.truncate(qsizetype(done));
    return ok;
}

// The text of bytes in the named encoding; false when no converter knows it or the bytes are not
// text in it. name becomes the name that converts back.
bool decodeAs(QByteArray& name, QByteArrayView bytes, QString& text) {
    // Stateless: an unfinished character at the end is an error, not silently held back.
    QStringDecoder d(name.constData(), QStringDecoder::Flag::Stateless);
    if (d.isValid()) {
        text = d.decode(bytes);
        if (d.hasError()) return false;
        if (d.name()) name = d.name();
        return true;
    }
    QByteArray utf16;
    if (!iconvConvert(name.constData(), kHostUtf16, bytes, utf16)) return false;
    text = QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
    return true;
}

// The bytes of text in the named encoding, false when a character has no place in it.
bool encodeAs(const QByteArray& name, const QString& text, QByteArray& bytes) {
    QStringEncoder e(name.constData());
    if (!e.isValid())
        return iconvConvert(kHostUtf16, name.constData(),
                            QByteArrayView(reinterpret_cast<const char*>(text.utf16()), text.size() * 2), bytes);
    bytes = e.encode(text);
    if (e.hasError()) return false;
    // A character the encoding lacks may come out as a substitute without an error: only an
    // exact way back counts.
    QStringDecoder d(name.constData());
    return d.decode(bytes) == text && !d.hasError();
}

// Bytes 0x80-0x9F are control codes in the ISO-8859 sets and letters or punctuation in their
// Windows siblings; a text file that holds them is in the Windows set.
QByteArray windowsSibling(const QByteArray& upperName, QByteArrayView bytes) {
    static const std::pair<const char*, const char*> siblings[] = {{"ISO-8859-2", "windows-1250"},
                                                                   {"ISO-8859-7", "windows-1253"},
                                                                   {"ISO-8859-8", "windows-1255"},
                                                                   {"ISO-8859-9", "windows-1254"},
                                                                   {"ISO-8859-13", "windows-1257"}};
    for (const auto& [iso, windows] : siblings) {
        if (upperName != iso) continue;
        for (char c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80 && static_cast<unsigned char>(c) < 0xA0) return windows;
    }
    return {};
}

// Whether a guess of uchardet's may be taken over Windows-1252. Its guesses between the Latin
// sets rest on the few letters beyond ASCII, and a handful of accents or curly quotes in a
// Western file is often taken for a Mac, IBM or rarely used ISO set: such guesses count only
// with enough evidence, and the rare sets never. Other scripts are told apart reliably.
bool trustGuess(const QByteArray& upper, qsizetype beyondAscii) {
    static const QList<QByteArray> rare = {"MAC-CENTRALEUROPE", "IBM852",      "ISO-8859-3", "ISO-8859-4",
                                           "ISO-8859-10",       "ISO-8859-13", "ISO-8859-16"};
    static const QList<QByteArray> latin = {"ISO-8859-2",   "ISO-8859-9",   "ISO-8859-15",  "WINDOWS-1250",
                                            "WINDOWS-1254", "WINDOWS-1257", "WINDOWS-1258", "VISCII"};
    if (rare.contains(upper)) return false;
    if (latin.contains(upper)) return beyondAscii >= 16;
    return true;
}

// A byte-order mark at the start of a line is what is left of a file joined onto another: it
// belongs to no line.
QString lineAt(const QString& text, qsizetype start, qsizetype end) {
    if (start < end && text.at(start) == QChar(0xFEFF)) ++start;
    return text.mid(start, end - start);
}

QString withoutNul(QString text) {
    if (text.contains(QChar(0))) text.remove(QChar(0));
    return text;
}

QString decode(const QByteArray& bytes, TextEncoding& enc) {
    QByteArrayView view(bytes);
    enc = TextEncoding();
    qsizetype sequences, stray;
    QString text;
    if (view.startsWith(kUtf8Bom)) {
        // The mark says UTF-8: bytes that don't fit are strays, never a reason to doubt it.
        enc.bom = true;
        scanUtf8(view.sliced(3), sequences, stray, &text);
        return text;
    }
    if (view.startsWith(kUtf16LEBom) || view.startsWith(kUtf16BEBom)) {
        const bool le = view.startsWith(kUtf16LEBom);
        enc = {le ? kUtf16LE : kUtf16BE, true};
        QStringDecoder d(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, QStringDecoder::Flag::Stateless);
        return d.decode(view.sliced(2));
    }
    // Counted first: Qt's decoder is slow on bytes that are not UTF-8.
    scanUtf8(view, sequences, stray);
    if (stray == 0) return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless).decode(view);
    auto utf8WithStrays = [&] {
        scanUtf8(view, sequences, stray, &text);
        return text;
    };
    // Valid multi-byte sequences hardly ever arise by chance in another encoding, but the byte
    // pairs of the East Asian ones often form a few: only a file of UTF-8 letters with a handful
    // of stray bytes is taken for UTF-8 on sight. It keeps its letters, and a save writes it as
    // clean UTF-8.
    if (sequences >= 2 * stray) return utf8WithStrays();

    QByteArray found = detect(view);
    // A real byte-order mark was honoured above; bytes that merely look like one inside the
    // sample do not make the file UTF-16 or UTF-32.
    if (found.toUpper().startsWith("UTF-16") || found.toUpper().startsWith("UTF-32")) found.clear();
    const QByteArray upper = found.toUpper();
    if (const QByteArray w = windowsSibling(upper, view); !w.isEmpty()) found = w;
    // The Korean set uchardet names is Windows' extension of EUC-KR.
    if (upper == "UHC") found = QByteArrayLiteral("windows-949");
    const auto beyondAscii = std::count_if(view.begin(), view.end(), [](char c) { return c & 0x80; });
    if (!found.isEmpty() && trustGuess(found.toUpper(), beyondAscii) && upper != "ASCII" && upper != "UTF-8" &&
        upper != "ISO-8859-1" && upper != "WINDOWS-1252" && decodeAs(found, view, text)) {
        enc = {found, false};
        return text;
    }
    // Without a guess to trust, valid sequences are the best evidence there is.
    if (sequences > 0 && stray <= 4 * sequences) return utf8WithStrays();
    // Latin-1 as uchardet reports it is read as its superset, which every byte maps into.
    enc = {kCp1252, false};
    return decodeCp1252(view);
}
} // namespace

QString DecodeText(const QByteArray& bytes, TextEncoding* used) {
    TextEncoding enc;
    QString text = withoutNul(decode(bytes, enc));
    if (used) *used = enc;
    return text;
}

bool EncodeText(const QString& raw, const TextEncoding& enc, QByteArray& bytes) {
    const QString text = withoutNul(raw);
    if (enc.name == kUtf8) {
        bytes = (enc.bom ? kUtf8Bom : QByteArray()) + text.toUtf8();
        return true;
    }
    if (enc.name == kCp1252) return encodeCp1252(text, bytes);
    QByteArray body;
    if (!encodeAs(enc.name, text, body)) return false;
    QByteArray bom;
    if (enc.bom) bom = enc.name == kUtf16LE ? kUtf16LEBom : enc.name == kUtf16BE ? kUtf16BEBom : QByteArray();
    bytes = bom + body;
    return true;
}

bool ReadTextFile(const QString& path, QString& text, QString* error, TextEncoding* used) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    text = DecodeText(f.readAll(), used);
    return true;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    const QChar* d = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = d[i];
        if (c != u'\n' && c != u'\r') continue;
        // A second text-mode conversion turns CR LF into CR CR LF: still one line end.
        qsizetype end = i;
        if (c == u'\r') {
            if (i + 1 < n && d[i + 1] == u'\n') ++i;
            else if (i + 2 < n && d[i + 1] == u'\r' && d[i + 2] == u'\n') i += 2;
        }
        lines.append(lineAt(text, start, end));
        start = i + 1;
    }
    if (start < n) lines.append(lineAt(text, start, n));
    return lines;
}

bool ReadLines(const QString& path, QStringList& lines, QString* error, TextEncoding* used) {
    QString text;
    if (!ReadTextFile(path, text, error, used)) return false;
    lines = SplitLines(text);
    return true;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    bool ok = f.open(QIODevice::WriteOnly);
    // A short write (a full disk, a file-size limit) gives no reason; the write of the rest
    // fails with the system's.
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const qint64 w = f.write(bytes.constData() + done, bytes.size() - done);
        if (w <= 0) ok = false;
        else done += w;
    }
    if (ok) ok = f.commit();
    if (!ok && error) *error = f.errorString();
    return ok;
}

bool WriteTextFile(const QString& path, const QString& text, QString* error, TextEncoding& enc) {
    TextEncoding written = enc;
    QByteArray bytes;
    if (!EncodeText(text, written, bytes)) {
        written = TextEncoding();
        EncodeText(text, written, bytes);
    }
    if (!WriteBytes(path, bytes, error)) return false;
    enc = written;
    return true;
}

bool WriteTextFile(const QString& path, const QString& text, QString* error) {
    TextEncoding utf8;
    return WriteTextFile(path, text, error, utf8);
}
