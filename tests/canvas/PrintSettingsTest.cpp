// The print settings window: the first free label's row and column, shown as 1 until set, kept
// for the process, and read back as at least 1 by sheet composition.
#include "CanvasTestSupport.h"

#include "canvas/PrintSettingsWindowController.h"
#include "print/PrintStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PrintSettingsTest : public BoundCanvasTest
{
protected:
    ~PrintSettingsTest() override
    {
        gPrintStartingRow = 0;
        gPrintStartingColumn = 0;
    }

    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
};

} // namespace

TEST_F(PrintSettingsTest, SavedStartIsShownAgainAndReadBySheetComposition)
{
    view.launchPrintSettings();
    PrintSettingsWindowController* c = view.printSettingsWindowController();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->window()->isVisible());
    EXPECT_EQ(c->window()->windowTitle(), QStringLiteral("Print Settings"));
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("1"));
    EXPECT_EQ(c->startingColumnSpotTextField()->text(), QStringLiteral("1"));
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(c->window()->grab().save(artefacts + QStringLiteral("/print-settings.png")));

    typeInto(c->startingRowSpotTextField(), QStringLiteral("3"));
    typeInto(c->startingColumnSpotTextField(), QStringLiteral("2"));
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(c->window()->isVisible());
    EXPECT_EQ(printStartingRow(), 3);
    EXPECT_EQ(printStartingColumn(), 2);
    view.launchPrintSettings();
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("3"));
    EXPECT_EQ(c->startingColumnSpotTextField()->text(), QStringLiteral("2"));

    // Nothing below 1: a 0 is kept as typed, shown and used as 1.
    typeInto(c->startingRowSpotTextField(), QStringLiteral("0"));
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_EQ(gPrintStartingRow, 0);
    EXPECT_EQ(printStartingRow(), 1);
    view.launchPrintSettings();
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("1"));
}
