// The link, tooltip and layer-index editors run from the Format menu: the project's pages as link
// targets, what each kind of graphic takes from the link editor, and the layer index's number rule.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/LinkPageList.h"
#include "canvas/QuibPopover.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVSlideshow.h"
#include "model/DRVText.h"
#include "model/TransformView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LinkEditorsTest : public WindowedAppTest
{
protected:
    ~LinkEditorsTest() override { LinkPageList::setProvider({}); }

    // Validates the item as opening its menu does, then chooses it.
    static QuibPopover* open(DRVWindowController* window, const QString& action)
    {
        QAction* item = validatedItem(window, action);
        if (!item || !item->isEnabled())
            return nullptr;
        item->trigger();
        return window->graphicView()->quibPopOver();
    }

    static DRVText* textBox(const QRectF& bounds)
    {
        auto* text = new DRVText;
        text->setBounds(bounds);
        text->setTextType(QStringLiteral("Text"));
        return text;
    }
};

} // namespace

TEST_F(LinkEditorsTest, ThePagesOfTheProjectAreOfferedAsTargets)
{
    LinkPageList::setProvider([](const DRVGraphicView*) {
        return QStringList{QStringLiteral("index.html"), QStringLiteral("about.html"),
                           QStringLiteral("contact.php")};
    });
    auto* text = textBox({10, 10, 120, 30});
    text->setLink(QStringLiteral("old.html"));
    DRVWindowController* window = windowOnPage({text});
    window->graphicView()->changeSelectionIndexes({0});

    QuibPopover* popover = open(window, QStringLiteral("applyLinkPopOver:"));
    ASSERT_TRUE(popover);
    auto* pages = popover->findChild<QComboBox*>(QStringLiteral("selectPagePopButton"));
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->itemText(0), QStringLiteral("---- Select a page within the website ----"));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->itemText(2), QStringLiteral("about.html"));
    auto* field = popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"));

    keepScreenshot(popover, QStringLiteral("link-popover-pages.png"));

    // The heading item leaves the field alone; a page puts its file name there.
    pages->activated(0);
    EXPECT_EQ(field->text(), QStringLiteral("old.html"));
    pages->setCurrentIndex(2);
    pages->activated(2);
    EXPECT_EQ(field->text(), QStringLiteral("about.html"));
    QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->link(), QStringLiteral("about.html"));
}

TEST_F(LinkEditorsTest, WithoutPagesThePopUpIsHiddenAndUnderTheFlagThePageControlsGo)
{
    auto* text = textBox({10, 10, 120, 30});
    DRVWindowController* window = windowOnPage({text});
    window->graphicView()->changeSelectionIndexes({0});

    QuibPopover* popover = open(window, QStringLiteral("applyLinkPopOver:"));
    ASSERT_TRUE(popover);
    EXPECT_FALSE(popover->findChild<QComboBox*>(QStringLiteral("selectPagePopButton")));
    EXPECT_TRUE(popover->findChild<QComboBox*>(QStringLiteral("linkOptionSegmentedControl")));
    popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"))->setText(QStringLiteral(" a b.html \n"));
    QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(text->link(), QStringLiteral("a%20b.html"));

    LinkPageList::setProvider(
        [](const DRVGraphicView*) { return QStringList{QStringLiteral("index.html")}; });
    edition().gHideLinkToPageFlag = true;
    popover = open(window, QStringLiteral("applyLinkPopOver:"));
    ASSERT_TRUE(popover);
    for (const char* removed :
         {"selectPagePopButton", "linkOptionSegmentedControl", "linkTypeSegmentedControl"})
        EXPECT_FALSE(popover->findChild<QComboBox*>(QString::fromLatin1(removed))) << removed;
    EXPECT_TRUE(popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox")));
}

TEST_F(LinkEditorsTest, ImageAndTextTogetherTakeWhatTheirKindCarries)
{
    auto* text = textBox({10, 10, 120, 30});
    text->setLinkType(QStringLiteral("text"));
    auto* image = new DRVImage;
    image->setBounds({10, 60, 40, 40});
    auto* shape = new DRVRectangle;
    shape->setBounds({100, 100, 20, 20});
    DRVWindowController* window = windowOnPage({text, image, shape});
    DRVGraphicView* canvas = window->graphicView();
    canvas->changeSelectionIndexes({0});
    // Validated with the text box alone, as a user would open it, then both selected.
    ASSERT_TRUE(validatedItem(window, QStringLiteral("applyLinkPopOver:"))->isEnabled());
    canvas->changeSelectionIndexes({0, 1, 2});
    canvas->applyLinkPopOver();
    QuibPopover* popover = canvas->quibPopOver();
    ASSERT_TRUE(popover);
    popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"))->setText(QStringLiteral("shop.html"));
    popover->findChild<QComboBox*>(QStringLiteral("linkOptionSegmentedControl"))->setCurrentIndex(1);
    popover->findChild<QComboBox*>(QStringLiteral("linkTypeSegmentedControl"))->setCurrentIndex(1);
    popover->findChild<QLineEdit*>(QStringLiteral("onClickShowTextField"))->setText(QStringLiteral("panel1"));
    popover->findChild<QLineEdit*>(QStringLiteral("onClickHideTextField"))->setText(QStringLiteral("panel2"));
    QTest::mouseClick(popover->saveButton(), Qt::LeftButton);

    EXPECT_EQ(text->link(), QStringLiteral("shop.html"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(text->linkType(), QStringLiteral("shape"));
    EXPECT_EQ(text->onClickShowString(), QStringLiteral("panel1"));
    EXPECT_EQ(text->onClickHideString(), QStringLiteral("panel2"));
    EXPECT_EQ(image->link(), QStringLiteral("shop.html"));
    EXPECT_EQ(image->linkOption(), QStringLiteral("_blank"));
    EXPECT_NE(image->linkType(), QStringLiteral("shape"));
    EXPECT_EQ(image->onClickShowString(), QString());
    EXPECT_EQ(shape->link(), QString()); // a shape takes no link
    // One undo step puts every link back.
    window->performAction(QStringLiteral("undo:"));
    EXPECT_EQ(text->link(), QString());
    EXPECT_EQ(image->link(), QString());
}

TEST_F(LinkEditorsTest, ASlideshowLinksItsShownSlideWithoutATarget)
{
    auto* slideshow = new DRVSlideshow;
    slideshow->setBounds({0, 0, 100, 80});
    for (int i = 0; i < 2; ++i)
        slideshow->addIntoImageArray(new TransformView);
    slideshow->setCurrentImageIndex(1);
    DRVWindowController* window = windowOnPage({slideshow});
    DRVGraphicView* canvas = window->graphicView();
    canvas->changeSelectionIndexes({0});
    canvas->applyLinkPopOver();
    QuibPopover* popover = canvas->quibPopOver();
    ASSERT_TRUE(popover);
    EXPECT_FALSE(popover->findChild<QComboBox*>(QStringLiteral("linkOptionSegmentedControl")));
    EXPECT_FALSE(popover->findChild<QComboBox*>(QStringLiteral("linkTypeSegmentedControl")));
    popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"))->setText(QStringLiteral("slide.html"));
    QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(slideshow->imageArray().at(1)->link(), QStringLiteral("slide.html"));
    EXPECT_EQ(slideshow->imageArray().at(0)->link(), QString());
}

TEST_F(LinkEditorsTest, LayerIndexTakesTheLeadingNumber)
{
    auto* shape = new DRVRectangle;
    shape->setBounds({10, 10, 40, 40});
    DRVWindowController* window = windowOnPage({shape});
    window->graphicView()->changeSelectionIndexes({0});
    const struct
    {
        const char* typed;
        int stored;
    } cases[] = {{"12abc", 12}, {"abc", 0}, {" 7 8", 7}, {"-3", -3}, {"", 0}};
    for (const auto& c : cases) {
        QuibPopover* popover = open(window, QStringLiteral("applyLayerIndex:"));
        ASSERT_TRUE(popover) << c.typed;
        popover->findChild<QLineEdit*>(QStringLiteral("zindexTextbox"))->setText(QString::fromUtf8(c.typed));
        QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
        EXPECT_EQ(shape->manualLayerIndex(), c.stored) << c.typed;
    }
}
