// Drawing files as they come from e-mail and the web: read into one
// document (reused, so runs are fast), drawn, saved, and read back.
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FuzzReadDrawing(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
