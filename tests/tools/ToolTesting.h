// Shared pieces of the tool tests: documents filled with numbered entries, SubRip text of
// entries, and a main window stand-in that records what the tools report back.
#pragma once

#include "model/clsSubs.h"
#include "tools/CSubOps.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

struct RecordingSplitHost : SplitHost {
    QStringList calls;
    void setMainCaption(const QString& caption) override { calls << QStringLiteral("caption ") + caption; }
    void LoadReset(const QString& filename) override { calls << QStringLiteral("LoadReset ") + filename; }
};
