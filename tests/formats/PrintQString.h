// Lets GoogleTest print QStrings as text in the formats' test messages.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    QString shown = s;
    shown.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t"));
    *os << '"' << shown.toStdString() << '"';
}
