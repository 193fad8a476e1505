// Personalization tags, the address block, the person card, page-link badges, preset text styles and
// shapes, and text carriers made into graphics: where each lands, what it groups, and that each user
// command is one undo step.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/UndoManager.h"

#include <memory>

namespace {

class TagsBadgesPresetsTest : public CanvasTest
{
protected:
    TagsBadgesPresetsTest()
    {
        EditionSettings& e = edition();
        e.gCanvasWidth = 1200;
        e.gCanvasHeight = 2000;
        e.gDefaultFontSize = 15;
        e.gInsertedImageMaxWidth = 0;
        e.gDateStampNewTextFlag = false;
        e.gProductSiteURL = QStringLiteral("https://quib.example/");
        view.bindGraphics(&doc);
    }

    QString text(int index) const { return view.graphics().at(index)->textString(); }
    QString value(int index, const char* key) const
    {
        return view.graphics().at(index)->properties().value(QString::fromLatin1(key)).toString();
    }

    // A preset tile as the window layer builds them: a record whose values are read by name.
    static std::shared_ptr<QObject> tile(QRectF frame, const QColor& fill, const QColor& text,
                                         const QString& preview, int corner = 0)
    {
        auto record = std::make_shared<QObject>();
        record->setProperty("frame", frame);
        record->setProperty("fillColor", fill);
        record->setProperty("textColor", text);
        record->setProperty("font", QFont(QStringLiteral("Lato"), 30));
        record->setProperty("textString", preview);
        record->setProperty("cornerRadius", corner);
        return record;
    }

    DRVDocument doc;
    DRVGraphicView view;
};

} // namespace

TEST_F(TagsBadgesPresetsTest, TagCommandsPlaceOneGroupedBoxEachAsOneUndoStep)
{
    view.addPerson_FirstName();
    ASSERT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(text(0), QStringLiteral("[FIRST_NAME]"));
    EXPECT_EQ(view.graphics().at(0)->bounds(), QRectF(155, 110, 150, 45));
    EXPECT_EQ(value(0, "fontSize"), QStringLiteral("15.000000"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Personalization Tag"));

    view.addPerson_Address_Zipcode();
    EXPECT_EQ(text(0), QStringLiteral("[ZIPCODE]"));
    // Each tag has its own new group.
    EXPECT_NE(view.graphics().at(0)->groupNumber(), view.graphics().at(1)->groupNumber());
    EXPECT_EQ(view.graphics().at(0)->groupNumber(), view.graphics().at(1)->groupNumber() + 1);

    doc.undoManager()->undo();
    ASSERT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(text(0), QStringLiteral("[FIRST_NAME]"));

    view.addPerson_FullAddress();
    EXPECT_EQ(view.graphics().at(0)->bounds(), QRectF(10, 10, 300, 105));
    EXPECT_EQ(text(0), QStringLiteral("[TITLE] [FIRST_NAME] [LAST_NAME]\n[JOB_TITLE]\n[COMPANY_NAME]\n"
                                      "[STREET]\n[CITY] [STATE] [ZIPCODE]"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Address Block"));
}

TEST_F(TagsBadgesPresetsTest, ATagPointIsCutToWholePixelsBeforeItsOffset)
{
    view.addPersonalizationTag(QStringLiteral("[CITY]"), QPointF(112.7, 140.9));
    EXPECT_EQ(view.graphics().at(0)->bounds(), QRectF(167, 150, 150, 45));
}

TEST_F(TagsBadgesPresetsTest, ThePersonCardIsOneGroupWithItsPictureInFront)
{
    view.addIndividual_drag(QPointF(40.8, 60.2));
    ASSERT_EQ(view.graphics().size(), 3);
    auto* picture = qobject_cast<DRVImage*>(view.graphics().at(0));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bounds(), QRectF(40, 60, 100, 100));
    EXPECT_FALSE(picture->inputImage().isNull());
    EXPECT_EQ(picture->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(view.graphics().at(1)->bounds(), QRectF(140, 60, 200, 200));
    EXPECT_EQ(text(1), QStringLiteral("First Name Last Name\nBirth Date\nLocation\nProfile Details"));
    EXPECT_EQ(view.graphics().at(2)->bounds(), QRectF(40, 60, 300, 200));
    EXPECT_EQ(value(2, "backgroundHexColorString"), QStringLiteral("FDF5E6"));
    EXPECT_EQ(value(2, "cornerRadius"), QStringLiteral("10.000000"));
    const int group = picture->groupNumber();
    EXPECT_GT(group, 0);
    for (DRVGraphic* graphic : view.graphics())
        EXPECT_EQ(graphic->groupNumber(), group);
}

TEST_F(TagsBadgesPresetsTest, BadgesLinkToTheProductSiteFromTheInsertionPoint)
{
    const struct
    {
        void (DRVGraphicView::*command)();
        const char* text;
        int width;
    } cases[] = {{&DRVGraphicView::addQuibLink, "Made with HTML Quib Pro", 200},
                 {&DRVGraphicView::addQuibLink2, "Made on my Mac with Quib", 200},
                 {&DRVGraphicView::addQuibLink3, "Powered by Quib", 200},
                 {&DRVGraphicView::addQuibLink4, "Proudly web designed with Quib", 220}};
    const QPointF at = view.calculateOriginPoint(); // (100, 30) outside a window
    int lastGroup = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        (view.*c.command)();
        auto* picture = qobject_cast<DRVImage*>(view.graphics().at(0));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->bounds(), QRectF(at, QSizeF(50, 50)));
        EXPECT_EQ(picture->link(), QStringLiteral("https://quib.example/"));
        EXPECT_EQ(text(1), QString::fromUtf8(c.text));
        EXPECT_EQ(view.graphics().at(1)->bounds(), QRectF(at + QPointF(55, 10), QSizeF(c.width, 40)));
        EXPECT_EQ(value(1, "link"), QStringLiteral("https://quib.example/"));
        EXPECT_EQ(value(1, "fontFamily"), QStringLiteral("Actor"));
        EXPECT_EQ(picture->groupNumber(), view.graphics().at(1)->groupNumber());
        EXPECT_GT(picture->groupNumber(), lastGroup);
        lastGroup = picture->groupNumber();
        EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Page Link Badge"));
    }
    // Both parts of a badge go with one undo.
    doc.undoManager()->undo();
    EXPECT_EQ(view.graphics().size(), 6);
    // A narrow picture limit narrows the badge picture.
    edition().gInsertedImageMaxWidth = 30;
    view.addQuibLink_drag(QPointF(10, 10));
    EXPECT_EQ(view.graphics().at(0)->bounds().size(), QSizeF(30, 30));
}

TEST_F(TagsBadgesPresetsTest, PresetTextStylesAndShapesBecomeBoxesAtTheInsertionPoint)
{
    edition().gPresetTextViews = {tile({0, 0, 200, 40}, Qt::white, QColor(0x4F, 0x4C, 0x4C), "Title"),
                                  tile({0, 0, 400, 42}, QColor(0xC0, 0x39, 0x2B), Qt::white, "Alert")};
    edition().gPresetShapes = {tile({0, 0, 60, 60}, QColor(0x4F, 0x94, 0xCD), Qt::black, "", 100)};

    view.addNewSelectedTextView(0);
    ASSERT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(view.graphics().at(0)->bounds(), QRectF(100, 30, 300, 120));
    EXPECT_EQ(text(0), QStringLiteral("New text box"));
    // A white style gives a transparent box; the font is the style's family at the edition's size.
    EXPECT_EQ(value(0, "backgroundHexColorString"), QStringLiteral("CLEAR0"));
    EXPECT_EQ(value(0, "fontColor"), QStringLiteral("4F4C4C"));
    EXPECT_EQ(value(0, "fontFamily"), QStringLiteral("Lato"));
    EXPECT_EQ(value(0, "fontSize"), QStringLiteral("15.000000"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Text Box"));

    edition().gDateStampNewTextFlag = true;
    view.addNewSelectedTextView(1);
    EXPECT_EQ(value(0, "backgroundHexColorString"), QStringLiteral("C0392B"));
    EXPECT_TRUE(text(0).startsWith(QStringLiteral("Alert - "))) << qPrintable(text(0));
    EXPECT_TRUE(text(0).contains(QString::number(QDate::currentDate().year())));

    view.addNewShape(0);
    EXPECT_EQ(view.graphics().at(0)->bounds(), QRectF(100, 30, 120, 120));
    EXPECT_EQ(text(0), QStringLiteral(" "));
    EXPECT_EQ(value(0, "backgroundHexColorString"), QStringLiteral("4F94CD"));
    EXPECT_EQ(value(0, "cornerRadius"), QStringLiteral("100.000000"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Shape"));

    // An index the pickers never offer adds nothing.
    for (int index : {-1, 1, 99})
        view.addNewShape(index);
    view.addNewSelectedTextView(2);
    EXPECT_EQ(view.graphics().size(), 3);
}

TEST_F(TagsBadgesPresetsTest, ACarrierBecomesATextGraphicWithItsGapsFilled)
{
    myTextView carrier(QRectF(20, 30, 200, 60));
    carrier.textView()->setString(QStringLiteral("Your e-mail"));
    carrier.textView()->setFont(QFont(QStringLiteral("Lato"), 18));
    carrier.textView()->setAlignment(Qt::AlignRight);
    carrier.textView()->setBorderLine(QStringLiteral("solid"));
    carrier.textView()->setBorderWidth(1);
    carrier.setAlphaValue(1.0);
    carrier.setFormTag(4);
    carrier.setTextType(QStringLiteral("Text"));
    carrier.setGroupNumber(-99);
    DRVGraphic* graphic = view.convertTextViewToDRVGraphic(&carrier);
    ASSERT_EQ(view.graphics().value(0), graphic);
    EXPECT_EQ(graphic->bounds(), QRectF(20, 30, 200, 60));
    EXPECT_EQ(carrier.link(), QStringLiteral(""));
    EXPECT_EQ(carrier.familyName(), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(carrier.formType(), QStringLiteral(""));
    EXPECT_EQ(value(0, "fontAlignment"), QStringLiteral("2"));
    EXPECT_EQ(value(0, "fontSize"), QStringLiteral("18.000000"));
    EXPECT_EQ(value(0, "formTag"), QStringLiteral("4"));
    // No colour string: a transparent fill.
    EXPECT_FALSE(graphic->fillColor().isValid() && graphic->fillColor().alpha() > 0);

    // A carrier marked clear is transparent too, not the black its name would read as.
    carrier.setColorString(QStringLiteral("CLEAR0"));
    DRVGraphic* clear = view.convertTextViewToDRVGraphic(&carrier);
    EXPECT_FALSE(clear->fillColor().isValid() && clear->fillColor().alpha() > 0);
    carrier.setColorString(QStringLiteral("C0392B"));
    EXPECT_EQ(DataCentre::asHexString(view.convertTextViewToDRVGraphic(&carrier)->fillColor()),
              QStringLiteral("C0392B"));
}

TEST_F(TagsBadgesPresetsTest, BadgesDroppedAtOnePointKeepTheirOwnGroups)
{
    for (int i = 0; i < 3; ++i)
        view.addQuibLink_drag(QPointF(200, 300));
    ASSERT_EQ(view.graphics().size(), 6);
    QSet<int> groups;
    for (DRVGraphic* graphic : view.graphics()) {
        groups.insert(graphic->groupNumber());
        EXPECT_EQ(graphic->bounds().topLeft(),
                  qobject_cast<DRVImage*>(graphic) ? QPointF(200, 300) : QPointF(255, 310));
    }
    EXPECT_EQ(groups.size(), 3);
}
