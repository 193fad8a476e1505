// libFuzzer target for the page document archive reader: unpacking and finding the page file.
// Seed it with tests/fuzz/corpus-archive; the publishing tests replay that folder.
#include "ArchiveReaderInput.h"

#include <QCoreApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::readArchive(data, size);
    return 0;
}
