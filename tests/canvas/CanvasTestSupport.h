// Shared set-up of the canvas tests: known edition values put back afterwards, a private
// user-defaults store, pixel comparison.
#pragma once
#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "platform/UserDefaults.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class CanvasTest : public ::testing::Test
{
protected:
    CanvasTest() : m_saved(edition())
    {
        EditionSettings& e = edition();
        e.gCanvasDisplayScale = 1.0f;
        e.gSelectionHandleSize = 2.0f;
        e.gCanvasWidth = 200;
        e.gCanvasHeight = 150;
        e.gResponsiveLayoutFlag = false;
        e.gOverlapCheckFlag = false;
        e.gClearCanvasBackgroundFlag = false;
        e.gCustomGridSpacingFlag = false;
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
    }
    ~CanvasTest() override { edition() = m_saved; }

    QTemporaryDir m_store;

private:
    EditionSettings m_saved;
};

// A canvas bound to a document of its own and to a selection of that document.
class BoundCanvasTest : public CanvasTest
{
protected:
    BoundCanvasTest()
    {
        selection.setContent(&doc);
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
    }

    DRVDocument doc;
    DRVSelectionModel selection;
    DRVGraphicView view;
};

inline bool near(QRgb pixel, const QColor& colour, int tolerance = 12)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance &&
           qAbs(qGreen(pixel) - colour.green()) <= tolerance &&
           qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}
