#include "tests/tools/SplitMergeTesting.h"

namespace {
// Written out here rather than through the program's own time text.
QString srtTime(qint32 ms) {
    return QString::asprintf("%02d:%02d:%02d,%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
}
} // namespace

QByteArray SrtBytes(const std::vector<SrtEntry>& entries) {
    QString out;
    int k = 0;
    for (const SrtEntry& e : entries) {
        out += QString::number(++k) + QStringLiteral("\r\n") + srtTime(e.in) + QStringLiteral(" --> ") +
               srtTime(e.out) + QStringLiteral("\r\n") + e.text + QStringLiteral("\r\n\r\n");
    }
    return out.toUtf8();
}

std::vector<SrtEntry> EntriesOf(const clsSubs& s) {
    std::vector<SrtEntry> v;
    for (int i = 0; i < s.count(); ++i) v.push_back({s.SubTimeIn(i), s.SubTimeOut(i), s.SubText(i)});
    return v;
}
