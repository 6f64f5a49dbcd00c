// Shared pieces of the split and merge tests: documents filled with numbered entries and the
// SubRip text of entries.
#pragma once

#include "model/clsSubs.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Entry i: "Line i", from 1000 + 2000 i to 2500 + 2000 i ms.
inline void FillNumbered(clsSubs& s, int n, qint32 offset = 0) {
    for (int i = 0; i < n; ++i)
        s.AddSub(QStringLiteral("Line %1").arg(i), offset + 1000 + 2000 * i, offset + 2500 + 2000 * i);
}

// The SubRip file our writer makes for (in, out, text) entries numbered from 1.
struct SrtEntry {
    qint32 in, out;
    QString text;
};
QByteArray SrtBytes(const std::vector<SrtEntry>& entries);
std::vector<SrtEntry> EntriesOf(const clsSubs& s);
