// libFuzzer target for the page parser. Seed it with tests/fixtures/pages; inputs that found faults
// go into tests/fuzz/corpus, which the document tests replay.
#include "document/PageParser.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PageParseInput in;
    in.pageText = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    in.pageName = in.templatePageName = QStringLiteral("index");
    // Half the inputs read as form pages.
    in.pageFileExtension = (size % 2) ? QStringLiteral("php") : QStringLiteral("html");
    const PageParseResult result = PageParser::presentObjects(in);
    (void)result.alerts();
    return 0;
}
