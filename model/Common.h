// Shared text procedures: the "hh:mm:ss.mmm" time text in which the program shows and types
// times, zero padding, token popping, hexadecimal text, whole-word search and the " None"
// display of unset values.
#pragma once

#include <QString>
#include <QtGlobal>

QString FormatTime(qint32 ms);
// Reads hours, minutes and seconds at fixed positions and milliseconds from the last three
// characters; unreadable fields count as 0. RuntimeError(Overflow) beyond 32 bits.
qint32 ParseTime(const QString& text);

QString PadZeros(const QString& s, int n);
QString PadZeros(qint64 v, int n);
// Cuts the text before the first separator (case-insensitive) out of source.
QString PopToken(QString& source, const QString& separator);
QString HexPad(qint64 value, int n);

// 1-based position of search in text from start, 0 when absent. With whole, only hits with
// a word delimiter (or the text's edge) on both sides count.
int InStrWord(int start, const QString& text, const QString& search, Qt::CaseSensitivity compare, bool whole);
bool IsWordDelimiter(QChar c, Qt::CaseSensitivity compare);
// Whether a hit that ends before index after of text stands as a whole word; before is the
// character ahead of it, or a null QChar at the start of the text.
bool IsWholeWord(QChar before, const QString& text, qsizetype after, Qt::CaseSensitivity compare);
// The text of the settings window's new-line field, which also delimits words ("¤" until set).
void SetNewLineField(const QString& s);
QString NewLineField();

QString IndexOrNone(int i);
QString TimeOrNone(qint32 t);

// Filter lists of the file dialogs: description and pattern pairs separated by NUL characters.
// The save dialog's filter index minus one selects the subtitle format.
QString SubFileFilter();
QString MediaFileFilter();
