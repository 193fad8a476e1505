// libFuzzer target for the clipboard decoder: decoding, pasting into a page and drawing.
// Seed it with tests/fuzz/corpus-clipboard; the document tests replay that folder.
#include "ClipboardInput.h"

#include <QApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::pasteClipboard(data, size);
    return 0;
}
