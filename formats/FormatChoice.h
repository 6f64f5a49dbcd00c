// Format choice: which subtitle format a file is read or written in, chosen by the file name,
// its first line or the save dialog's filter, and the file handler for that format. Callers
// never name a format class; they get an intFile from here.
#pragma once

#include "formats/intFile.h"

#include <QString>
#include <memory>
#include <optional>

class QWidget;

enum class FileType { SRT, TXT, SMI, SV1, SV2, SSA, RAW };

// The text after the last "."; RuntimeError(InvalidCall) when there is none or nothing follows it.
QString GetExt(const QString& path);
// The format of an existing file, by extension in any case and, for "sub" and "txt", by its
// first line; an extension of no format's by the first non-blank line ("[Script Info]", "<SAMI",
// otherwise SubRip). Tells the user and gives nothing when it can't be decided.
std::optional<FileType> DetectFileType(const QString& path);
// The format for saving by the extension alone, in any case ("ass" too is SubStation Alpha).
FileType FileTypeByExt(const QString& path);
// The format for the save dialog's filter index minus one (0 and unknown: by extension).
FileType FileTypeByIndex(int index, const QString& path);

// A new handler of the format.
std::unique_ptr<intFile> NewFileHandler(FileType type);

// The handlers for the choices above; nullptr when the format of a file can't be decided
// (DetectFileHandler, after telling the user).
std::unique_ptr<intFile> DetectFileHandler(const QString& path);
std::unique_ptr<intFile> FileHandlerByExt(const QString& path);
std::unique_ptr<intFile> FileHandlerByIndex(int index, const QString& path);

// The save dialog: the chosen path with the chosen filter's extension added when it has none of
// that filter's (a ".ass" name stays when the filter writes SubStation Alpha), or "cancel";
// filterIndex receives the chosen filter's index minus one.
QString GetSaveFile(QWidget* owner, const QString& filterList, const QString& title, const QString& initialFolder,
                    int& filterIndex);
