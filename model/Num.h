// Number conversions shared by the whole program: rounding halves to even, the numeric value
// of a text and printed numbers, always in the C locale whatever the system's settings are.
#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdint>

// Nearest integer, a value exactly halfway going to the even neighbour.
double RoundHalfEven(double v);

// Nearest signed 32-bit integer; RuntimeError(Overflow) outside the range.
qint32 CLng(double v);
// Nearest signed 16-bit integer; RuntimeError(Overflow) outside the range.
int CInt(double v);
// Nearest signed 16-bit integer, saturated to the range instead of failing.
int CIntSat(double v);
// Saturates a 64-bit value to the signed 32-bit range.
qint32 SatLong(qint64 v);

// The leading decimal number of a text: blanks ignored, optional sign, digits and one "."
// as decimal point; reading stops at the first other character; 0 when there is none.
double Val(const QString& s);

// A number as text for messages: a blank before it when it is not negative, "." as
// decimal point.
QString Str(double v);
QString Str(qint64 v);
inline QString Str(int v) { return Str(static_cast<qint64>(v)); }
// The same without the blank.
QString NumText(double v);
