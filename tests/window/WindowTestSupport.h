// Shared set-up of the window tests: known edition values put back afterwards and a private
// user-defaults store.
#pragma once
#include "editions/EditionSettings.h"
#include "platform/UserDefaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class WindowTest : public ::testing::Test
{
protected:
    WindowTest() : m_saved(edition())
    {
        EditionSettings& e = edition();
        e.gCanvasDisplayScale = 1.0f;
        e.gSelectionHandleSize = 2.0f;
        e.gCanvasWidth = 200;
        e.gCanvasHeight = 150;
        e.gClearCanvasBackgroundFlag = false;
        e.gCustomGridSpacingFlag = false;
        e.gRulerUnitName = QString();
        // Pages the tests open or add land in the test's own folder, never in the shared /tmp.
        e.gTempFolderPath = m_store.path();
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
    }
    ~WindowTest() override { edition() = m_saved; }

    QTemporaryDir m_store;

private:
    EditionSettings m_saved;
};
