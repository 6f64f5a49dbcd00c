// Format choice by name and first line, and the line-end repair, on arbitrary bytes. The first
// byte chooses the file's extension; the rest is the file.
#include "model/CFileFnc.h"
#include "model/TextFile.h"
#include "tests/fuzz/FuzzHost.h"

#include <QFile>
#include <QStringList>
#include <iterator>

namespace {
const char* const kNames[] = {"in.srt", "in.ssa", "in.smi", "in.sami", "in.sub", "in.txt", "in.SUB",
                              "in",     "in.",    "in.SMI", "in.Ssa",  "in.ass", "in.xyz"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    for (const char* n : kNames) QFile::remove(fuzz::ScratchPath(QString::fromLatin1(n)));
    const QString path =
        fuzz::WriteScratch(QString::fromLatin1(kNames[data[0] % std::size(kNames)]), fuzz::Bytes(data + 1, size - 1));
    fuzz::TakeBoxes();
    if (!DetectFileType(path)) fuzz::Check(fuzz::TakeBoxes() > 0, "a file of no known format is reported");

    QStringList before;
    fuzz::Check(ReadLines(path, before), "the input can be read");
    FixLineEnds(path);
    QStringList after;
    fuzz::Check(ReadLines(path, after), "the repaired file can be read");
    // The repair changes only line ends: the readers see the same lines, at most one empty line
    // more at the end (the repair ends the file with a line end).
    if (after.size() == before.size() + 1 && after.last().isEmpty()) after.removeLast();
    fuzz::Check(after == before, "the line-end repair keeps every line's text");
    fuzz::Settle();
    return 0;
}
