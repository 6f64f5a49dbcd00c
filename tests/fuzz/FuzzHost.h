// What the fuzz targets share: a headless application whose message boxes and modal forms are
// answered by stand-ins, a scratch folder for the inputs, the check that stops a run when a
// rule of the program is broken, and the load-save-load round of a subtitle format.
#pragma once

#include "formats/FormatChoice.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

class QDialog;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// Stops the run with the input's fault when ok is false; the fuzzer keeps the input.
void Check(bool ok, const char* rule);

// Message boxes shown since the last call.
int TakeBoxes();

// Lets the application handle what the input left queued, as the editor's event loop does
// after every command; without it, queued events pile up from input to input.
void Settle();

// Fills a properties form before its OK button is pressed.
using FormFill = std::function<void(QDialog*)>;
// Every modal form from now on is filled by fill (nothing when empty), confirmed with OK, and
// closed with its close box when OK leaves it open.
void SetFormFill(FormFill fill);

// A file of that name in the scratch folder.
QString ScratchPath(const QString& name);
QString WriteScratch(const QString& name, QByteArrayView bytes);
QByteArray ReadScratch(const QString& path);

// Loads the input as a file of the format, saves what was read over a new file and loads that
// file again, checking that every failure is reported and that what is written reads back.
void RoundTrip(FileType type, const QString& ext, QByteArrayView input);

inline QByteArrayView Bytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace fuzz
