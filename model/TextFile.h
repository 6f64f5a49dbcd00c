// Reading and writing the users' text files. Files are read whole: a UTF-8 byte-order mark is
// skipped, valid UTF-8 is read as UTF-8 and anything else as Windows-1252, so legacy files keep
// their characters. Files are written as UTF-8 through QSaveFile, so a failed write leaves the
// old file whole.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

QString DecodeText(const QByteArray& bytes);
// The whole file as text; false (and a reason) when it cannot be read.
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr);
// Lines split at CR LF and at a lone LF; a final line end adds no empty line.
QStringList SplitLines(const QString& text);
// Reads and splits; false when the file cannot be read.
bool ReadLines(const QString& path, QStringList& lines, QString* error = nullptr);
// Writes the text (which carries its own CR LF line ends) atomically as UTF-8.
bool WriteTextFile(const QString& path, const QString& text, QString* error = nullptr);
bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);
