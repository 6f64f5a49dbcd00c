// What the SAMI and SubStation Alpha readers share over the lines of a file: progress by
// line, blank trimming that leaves line breaks alone, and number clamping.
#pragma once

#include <QString>
#include <QStringView>

inline bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
// Moves the progress window to a reader's line about once per hundredth of the file (the
// window repaints from there), and hides it on every way out of the reader.
class LineProgress {
public:
    LineProgress(const QString& step, int min, int max);
    ~LineProgress();
    LineProgress(const LineProgress&) = delete;
    LineProgress& operator=(const LineProgress&) = delete;
    void at(int line) {
        if (line >= next_) report(line);
    }
    void setStep(const QString& step);

private:
    void report(int line);
    int next_ = 0;
    int stride_ = 1;
};

// Without leading and trailing blanks (spaces and tabs); CR and LF stay.
QString TrimBlanks(QStringView s);
// The numeric value of a text as Val gives it, with a quick path for whole numbers (the
// readers meet hundreds of thousands of them).
double NumberOf(QStringView s);
// The nearest 32-bit value, beyond the range the range's end (NaN gives 0).
qint32 ClampLong(double v);
