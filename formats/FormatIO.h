// Small pieces that the line-based format readers and writers share: a cursor over a file's
// lines that reports a premature end, line-break joins for one-line fields, and the reports
// of files that can't be read or written.
#pragma once

#include "model/TextFile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

class clsSubs;

// Thrown by a reader's helpers when the file breaks the format; the reader reports it with its
// own message.
struct BadFormat {};

class LineCursor {
public:
    explicit LineCursor(const QStringList& lines) : lines_(lines) {}
    bool atEnd() const { return i_ >= lines_.size(); }
    // The line that next() gives next, without taking it; null at the end.
    const QString* peek() const { return atEnd() ? nullptr : &lines_.at(i_); }
    // The next line; a file that ends here is not a valid file of the format.
    const QString& next() {
        if (atEnd()) throw BadFormat{};
        return lines_.at(i_++);
    }

private:
    const QStringList& lines_;
    qsizetype i_ = 0;
};

// The text's line breaks (CR LF, and a stray CR or LF) written as sep, so that a field stays on
// one line of the file.
QString JoinBreaks(const QString& text, const QString& sep);
// The value of the two hexadecimal digits at index at, or -1 when they aren't two such digits.
int HexPair(const QString& s, qsizetype at);
// A header value on one line: its line breaks removed.
QString SingleLine(const QString& text);

// Tells the user that the list filled up before the file's end; false for the reader to return.
bool ListFull(const QString& format);
// Thrown by AppendEntry when the list already holds its most; the reader answers with ListFull.
struct ListIsFull {};
// Appends an entry and gives its index.
int AppendEntry(clsSubs& Subs, const QString& text = QString(), qint32 timeIn = 0, qint32 timeOut = 0);

// True for an empty line or one of spaces only.
bool IsBlankLine(QStringView s);
// True when every character is whitespace (tab, no-break space, ideographic space...), also
// for an empty line. Other tools leave such lines where a blank separator belongs.
bool IsAllWhitespace(QStringView s);

// Reads the file's lines (and the encoding they were in); false after telling the user when it
// can't be read.
bool ReadLinesOrReport(const QString& path, QStringList& lines, TextEncoding* used = nullptr);
// Writes the whole text in enc when it fits, else UTF-8 (enc becomes what was written); false
// after telling the user when nothing was written.
bool WriteOrReport(const QString& path, const QString& text, TextEncoding& enc);
