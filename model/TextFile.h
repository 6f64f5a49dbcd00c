// Reading and writing the users' text files. Files are read whole: byte-order marks of UTF-8 and
// UTF-16 are honoured, valid UTF-8 is read as UTF-8, and anything else is detected with uchardet,
// falling back to Windows-1252; the encoding found travels with the text so that a save over the
// same file keeps it. Files are written through QSaveFile, so a failed write leaves the old file
// whole. NUL characters are never part of a text.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a file's bytes stand for its text: an encoding name that Qt's converters know ("UTF-8",
// "UTF-16LE", "UTF-16BE", "windows-1252", or any other that the system's ICU knows), or else the
// C library's iconv, and whether the file starts with a byte-order mark. The default is what new files get: UTF-8, no
// mark.
struct TextEncoding {
    QByteArray name = QByteArrayLiteral("UTF-8");
    bool bom = false;
    bool operator==(const TextEncoding&) const = default;
};

QString DecodeText(const QByteArray& bytes, TextEncoding* used = nullptr);
// The bytes of text in enc, mark included; false when a character has no place in enc.
bool EncodeText(const QString& text, const TextEncoding& enc, QByteArray& bytes);
// The whole file as text; false (and a reason) when it cannot be read.
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr, TextEncoding* used = nullptr);
// Lines split at CR LF, at a lone LF and at a lone CR (CR CR LF is one line end too), each
// without a byte-order mark at its start; a final line end adds no empty line.
QStringList SplitLines(const QString& text);
// Reads and splits; false when the file cannot be read.
bool ReadLines(const QString& path, QStringList& lines, QString* error = nullptr, TextEncoding* used = nullptr);
// Writes the text (which carries its own CR LF line ends) atomically in enc when every character
// fits, otherwise as UTF-8; enc becomes the encoding written.
bool WriteTextFile(const QString& path, const QString& text, QString* error, TextEncoding& enc);
bool WriteTextFile(const QString& path, const QString& text, QString* error = nullptr);
bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);
