#include "platform/LoadableModule.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

const QString kQtCore = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6");

TEST(LoadableModuleTest, SaysWhyAModuleCannotBeHadAndLoadsAGoodOne)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString notALibrary = root.filePath(QStringLiteral("libtext.so"));
    QFile text(notALibrary);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a library\n");
    text.close();
    const QString missing = root.filePath(QStringLiteral("missing/libnothing.so"));

    const struct
    {
        const char* what;
        QString path;
        const char* function;
        bool found;
        QString reason;
    } cases[] = {
        {"a missing file", missing, "qVersion", false, missing + QStringLiteral(" is missing")},
        {"a file that is no library", notALibrary, "qVersion", false,
         QStringLiteral("Cannot load library ") + notALibrary},
        {"a library without the function", kQtCore, "quibNoSuchFunction", false,
         kQtCore + QStringLiteral(" is not a test module")},
        {"a library with it", kQtCore, "qVersion", true, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoadableModule module("libnothing.so", "test");
        module.setPath(c.path);
        EXPECT_EQ(module.path(), c.path);
        QString error = QStringLiteral("stale");
        const QFunctionPointer function = module.function(c.function, error);
        EXPECT_EQ(function != nullptr, c.found);
        EXPECT_TRUE(error.startsWith(c.reason)) << qPrintable(error);
        if (c.found) {
            EXPECT_TRUE(error.isEmpty());
            using Version = const char* (*)();
            EXPECT_STREQ(reinterpret_cast<Version>(function)(), qVersion());
        }
    }
}

TEST(LoadableModuleTest, ANewPathIsTriedAgainAndNoPathMeansBesideTheProgram)
{
    LoadableModule module("libnothing.so", "test");
    EXPECT_TRUE(module.path().endsWith(QStringLiteral("/libnothing.so")));
    QString error;
    EXPECT_FALSE(module.function("qVersion", error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("libnothing.so is missing"))) << qPrintable(error);
    // Asked again, it answers from the first attempt without looking again.
    EXPECT_FALSE(module.function("qVersion", error));
    EXPECT_TRUE(error.endsWith(QStringLiteral(" is missing")));

    module.setPath(kQtCore);
    EXPECT_TRUE(module.function("qVersion", error));
    EXPECT_TRUE(error.isEmpty());
    module.setPath(QString());
    EXPECT_FALSE(module.function("qVersion", error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("libnothing.so is missing")));
}

} // namespace
