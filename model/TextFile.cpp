#include "model/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}
} // namespace

QString DecodeText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) return text;
    return decodeCp1252(view);
}

bool ReadTextFile(const QString& path, QString& text, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    text = DecodeText(f.readAll());
    return true;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype lf = text.indexOf(u'\n', start);
        if (lf < 0) {
            lines.append(text.mid(start));
            break;
        }
        qsizetype end = lf;
        if (end > start && text.at(end - 1) == u'\r') --end;
        lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
    return lines;
}

bool ReadLines(const QString& path, QStringList& lines, QString* error) {
    QString text;
    if (!ReadTextFile(path, text, error)) return false;
    lines = SplitLines(text);
    return true;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

bool WriteTextFile(const QString& path, const QString& text, QString* error) {
    return WriteBytes(path, text.toUtf8(), error);
}
