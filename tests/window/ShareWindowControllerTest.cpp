// The share panel's buttons per edition: which, in which order, with which titles, and that every
// panel builds its own.
#include "WindowTestSupport.h"

#include "window/FlippedNSView.h"
#include "window/ShareWindowController.h"

#include <QDialog>
#include <QToolButton>

namespace {

class ShareWindowControllerTest : public WindowTest
{
};

QStringList titles(const ShareWindowController& panel)
{
    QStringList out;
    for (const QToolButton* button : panel.shareButtons())
        out.append(button->text());
    return out;
}

} // namespace

TEST_F(ShareWindowControllerTest, ShareButtonsFollowTheEditionTable)
{
    const struct
    {
        const char* edition;
        QStringList titles;
    } rows[] = {
        {"Kestrin PDF Author",
         {"Save Page As PDF", "Save As PDF Book", "Fast Export", "Copy Page", "Post Page on FB", "Tweet This Page",
          "Email Page", "Rate App"}},
        {"HTML Quib Pro", {"Launch In Safari", "Copy To Clipboard", "Email", "Facebook", "Twitter", "Rate App"}},
        {"Corvane Envelope Designer", {"Email", "Save As PNG", "Copy To Clipboard", "Rate App"}},
        // Messaging and nearby-device sending have no service here and are never offered.
        {"Kestrin Label Maker", {"Save As PNG", "Copy To Clipboard", "Email", "Rate App"}},
        {"Femmock", {"Save As PNG", "Copy To Clipboard", "Rate App"}},
        {"Haskavel Pro",
         {"Save As PNG", "Save As JPEG", "Save As PDF", "Copy To Clipboard", "Facebook", "Twitter", "Email",
          "Rate App"}},
        // Names missing from the table, one differing only by a suffix and one by letter case.
        {"Haskavel Pro 2", {}},
        {"Cardell", {}},
        {"kestrin pdf author", {}},
    };
    for (const auto& row : rows) {
        edition().gEditionDisplayName = QString::fromUtf8(row.edition);
        ShareWindowController panel(nullptr);
        EXPECT_EQ(titles(panel), row.titles) << row.edition;
        EXPECT_EQ(ShareWindowController::gShareButtons().size(), row.titles.size()) << row.edition;
    }
}

TEST_F(ShareWindowControllerTest, SharePanelLaysOutRowsOfFourAndAgainInTheSamePlaces)
{
    const struct
    {
        const char* edition;
        QList<QPoint> places;
    } rows[] = {
        // Eight: two full rows.
        {"Kestrin PDF Author",
         {{0, 0}, {130, 0}, {260, 0}, {390, 0}, {0, 130}, {130, 130}, {260, 130}, {390, 130}}},
        // Six: four, then two.
        {"HTML Quib Pro", {{0, 0}, {130, 0}, {260, 0}, {390, 0}, {0, 130}, {130, 130}}},
        // Three: one short row.
        {"Femmock", {{0, 0}, {130, 0}, {260, 0}}},
    };
    for (const auto& row : rows) {
        edition().gEditionDisplayName = QString::fromUtf8(row.edition);
        ShareWindowController panel(nullptr);
        for (int showing = 0; showing < 2; ++showing) {
            panel.layOutShareButtons();
            const QList<QToolButton*> buttons = panel.shareButtons();
            ASSERT_EQ(buttons.size(), row.places.size()) << row.edition;
            for (qsizetype i = 0; i < buttons.size(); ++i) {
                EXPECT_EQ(buttons.at(i)->geometry(), QRect(row.places.at(i), QSize(100, 100))) << row.edition << i;
                EXPECT_EQ(buttons.at(i)->parentWidget(), panel.mainView());
                EXPECT_FALSE(buttons.at(i)->isHidden()) << i;
            }
            // Built once: fourteen buttons, whether the edition lists them or not.
            EXPECT_EQ(panel.mainView()->findChildren<QToolButton*>().size(), 14);
        }
    }
    // Buttons the edition does not list stay out of sight.
    edition().gEditionDisplayName = QStringLiteral("Kestrin PDF Author");
    ShareWindowController panel(nullptr);
    panel.layOutShareButtons();
    EXPECT_TRUE(panel.button(ShareWindowController::ShareButtonKind::SaveAsPNG)->isHidden());
    EXPECT_EQ(panel.button(ShareWindowController::ShareButtonKind::SaveAsPNG)->text(), QStringLiteral("Save As PNG"));
}

TEST_F(ShareWindowControllerTest, ShareButtonsWaitForAnOperationAndServicesThisDesktopLacksStayGreyed)
{
    edition().gEditionDisplayName = QStringLiteral("Kestrin Markup");
    ShareWindowController panel(nullptr);
    using Kind = ShareWindowController::ShareButtonKind;
    int pressed = 0;
    for (QToolButton* button : panel.shareButtons())
        EXPECT_FALSE(button->isEnabled()) << qPrintable(button->text());
    for (Kind kind : {Kind::SaveAsPNG, Kind::ShareOnMessage, Kind::SendToAirdrop})
        panel.setButtonAction(kind, [&pressed] { ++pressed; });
    EXPECT_TRUE(panel.button(Kind::SaveAsPNG)->isEnabled());
    EXPECT_FALSE(panel.button(Kind::ShareOnMessage)->isEnabled());
    EXPECT_FALSE(panel.button(Kind::SendToAirdrop)->isEnabled());
    panel.button(Kind::SaveAsPNG)->click();
    panel.button(Kind::ShareOnMessage)->click();
    EXPECT_EQ(pressed, 1);
    // Pointing it elsewhere replaces the first operation; none greys it again.
    panel.setButtonAction(Kind::SaveAsPNG, [&pressed] { pressed += 10; });
    panel.button(Kind::SaveAsPNG)->click();
    EXPECT_EQ(pressed, 11);
    panel.setButtonAction(Kind::SaveAsPNG, {});
    EXPECT_FALSE(panel.button(Kind::SaveAsPNG)->isEnabled());
}

TEST_F(ShareWindowControllerTest, EachSharePanelOwnsItsButtons)
{
    edition().gEditionDisplayName = QStringLiteral("Femmock");
    auto first = std::make_unique<ShareWindowController>(nullptr);
    ShareWindowController second(nullptr);
    ASSERT_EQ(first->shareButtons().size(), 3);
    for (qsizetype i = 0; i < first->shareButtons().size(); ++i)
        EXPECT_NE(first->shareButtons().at(i), second.shareButtons().at(i));
    first.reset();
    second.layOutShareButtons();
    ASSERT_EQ(second.shareButtons().size(), 3);
    for (QToolButton* button : second.shareButtons())
        EXPECT_EQ(button->parentWidget(), second.mainView());
}
