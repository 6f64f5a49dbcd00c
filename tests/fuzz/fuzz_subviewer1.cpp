// The SubViewer 1.0 reader and writer on arbitrary bytes: load, save what was read, load it again.
#include "tests/fuzz/FuzzHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RoundTrip(FileType::SV1, QStringLiteral("sub"), fuzz::Bytes(data, size));
    return 0;
}
