// libFuzzer target for the clipboard decoder: decoding, pasting into a page and drawing.
// Seed it with tests/fuzz/corpus-clipboard; the document tests replay that folder.
#include "ClipboardInput.h"

#include <QApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    // The font library keeps what it allocates at its first use for the whole run: let that
    // happen here rather than be taken for a leak of the first input that draws text.
    QImage warm(16, 16, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&warm);
    painter.drawText(QPointF(1, 12), QStringLiteral("Warm"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::pasteClipboard(data, size);
    return 0;
}
