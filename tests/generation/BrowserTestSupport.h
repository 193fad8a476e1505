// Generated pages in headless Chromium through tests/browser/run-page.js, with the project's own
// jQuery and Bootstrap copies and no network.
#pragma once
#include "common/ExternalTools.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

namespace browsertest {

inline const QString& browserFolder()
{
    static const QString folder = QStringLiteral(QUIB_FIXTURES_DIR "/../browser");
    return folder;
}

// Skips where chromium or node is missing, but fails on CI, where they must be there.
#define QUIB_REQUIRE_BROWSER()                                                                               \
    do {                                                                                                     \
        if (!haveBrowserOrFail())                                                                            \
            return;                                                                                          \
    } while (false)

// The page text written as folder/index.html, as a browser would be given it; "" when it could
// not be written.
inline QString writePage(const QString& folder, const QString& page)
{
    const QString path = folder + QStringLiteral("/index.html");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page.toUtf8()) < 0)
        return {};
    return path;
}

// Loads page with the check script of tests/browser and returns run-page.js's report; extra
// options (--height, --fonts, --screenshot) are passed on.
inline QJsonObject runPage(const QString& page, const QString& check, int width, const QStringList& extra = {})
{
    QProcess node;
    node.start(QStringLiteral("node"),
               QStringList{browserFolder() + QStringLiteral("/run-page.js"), QStringLiteral("--page"), page,
                           QStringLiteral("--check"), browserFolder() + u'/' + check, QStringLiteral("--width"),
                           QString::number(width), QStringLiteral("--web"),
                           QStringLiteral(QUIB_RESOURCES_DIR "/web")} +
                   extra);
    if (!node.waitForFinished(90000)) {
        node.kill();
        node.waitForFinished();
    }
    const QByteArray out = node.readAllStandardOutput();
    const QJsonObject report = QJsonDocument::fromJson(out.trimmed().split('\n').last()).object();
    EXPECT_FALSE(report.isEmpty()) << out.toStdString() << node.readAllStandardError().toStdString();
    return report;
}

inline QString compact(const QJsonValue& value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
}

inline void expectNoScriptErrors(const QJsonObject& report)
{
    EXPECT_TRUE(report.value("errors").toArray().isEmpty()) << compact(report).toStdString();
    EXPECT_TRUE(report.value("consoleErrors").toArray().isEmpty()) << compact(report).toStdString();
}

} // namespace browsertest
