// Every objects-palette key makes its object at the drop point, at zoom 1 and 2: class, frame and
// the properties that make the item what it is, from one table. Keys whose factories live elsewhere
// (sections, components, tables) must make what their factory makes at that point.
#include "FactoriesTestSupport.h"

#include "model/DRVLine.h"
#include "model/TransformView.h"
#include "platform/Dialogs.h"

#include <QImage>
#include <QSet>
#include <QTemporaryDir>

namespace {

using factorytest::FactoryTest;

struct KeyCase
{
    const char* key;
    const char* className;
    int w = 0; // 0: the frame is not checked
    int h = 0;
    bool zoomed = false; // w and h are divided by the zoom
    // "name=value" pairs of the front graphic's dictionary; a value ending in "/z" is divided by the
    // zoom and truncated.
    const char* properties = "";
    bool continues = false;
};

const KeyCase kCases[] = {
    {"quib_textbox", "DRVText", 300, 150, false, "fontSize=20;textHexColorString=555555;textType=Text"},
    {"quib_textbox_red", "DRVText", 300, 150, false, "textHexColorString=EE0000"},
    {"quib_textbox_yellow", "DRVText", 300, 150, false, "textHexColorString=FFC125"},
    {"quib_textbox_blue", "DRVText", 300, 150, false, "textHexColorString=00B2EE"},
    {"quib_textbox_green", "DRVText", 300, 150, false, "textHexColorString=00CD00"},
    {"quib_textbox_black", "DRVText", 300, 150, false, "textHexColorString=000000"},
    {"quib_bulletedlist", "DRVText", 300, 150, true, "fontSize=25/z"},
    {"quib_numberedlist", "DRVText", 300, 150, true, "fontSize=25/z"},
    {"quib_bulletedlist_html", "DRVText", 350, 150, false, "textType=HTMLSnippet;fontFamily=Lato", true},
    {"quib_numberedlist_html", "DRVText", 350, 150, false, "textType=HTMLSnippet;fontFamily=Lato", true},
    {"quib_textbox_title", "DRVText", 1000, 200, false, "fontSize=80"},
    {"quib_textbox_subtitle", "DRVText", 800, 150, false, "fontSize=50"},
    {"quib_textbox_body", "DRVText", 500, 350, false, "fontSize=18"},
    {"quib_textbox_footnote", "DRVText", 400, 75, false, "fontSize=10"},
    {"quib_textbox_title_kestrin", "DRVText", 1000, 200, false, "fontSize=80;fontFamily=Actor"},
    {"quib_textbox_subtitle_kestrin", "DRVText", 800, 150, false, "fontSize=50"},
    {"quib_textbox_body_kestrin", "DRVText", 350, 50, false, "fontSize=15"},
    {"quib_textbox_body_kestrin_rich", "DRVText", 350, 100, false, "textType=HTMLSnippet", true},
    {"quib_textbox_footnote_kestrin", "DRVText", 400, 75, false, "fontSize=10"},
    // On the 1000 x 800 canvas of these tests.
    {"quib_textbox_label", "DRVText", 750, 600, false, "fontSize=60"},
    {"quib_personaltag_fulladdress", "DRVText", 750, 480, false, "fontSize=36"},
    {"quib_markup_watermark", "DRVText", 325, 70, true, "fontSize=40/z;opacity=0.4;textString=Watermark"},
    {"quib_square_markup_red_dashed", "DRVText", 200, 100, true,
     "borderStyle=dashed;borderHexColorString=EE0000"},
    {"quib_circle_markup_red_dashed", "DRVText", 100, 100, true, "cornerRadius=100/z;borderStyle=dashed"},
    {"quib_square_markup_yellow_dashed", "DRVText", 100, 100, true, "borderHexColorString=FFC125"},
    {"quib_circle_markup_yellow_dashed", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_square_markup_blue_dashed", "DRVText", 100, 100, true, "borderHexColorString=00B2EE"},
    {"quib_circle_markup_blue_dashed", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_square_markup_green_dashed", "DRVText", 100, 100, true, "borderHexColorString=00CD00"},
    {"quib_circle_markup_green_dashed", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_square_markup_black_dashed", "DRVText", 100, 100, true, "borderHexColorString=000000"},
    {"quib_circle_markup_black_dashed", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_markup_blackout", "DRVText", 200, 70, true, "fontSize=40/z;backgroundHexColorString=000000"},
    {"quib_markup_blackout_circle", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_markup_dim", "DRVText", 200, 100, true, "opacity=0.5;backgroundHexColorString=000000"},
    {"quib_markup_dim_circle", "DRVText", 200, 200, true, "opacity=0.5;cornerRadius=100/z"},
    {"quib_markup_whiten", "DRVText", 200, 100, true, "opacity=0.5;backgroundHexColorString=FFFFFF"},
    {"quib_markup_whiten_circle", "DRVText", 200, 200, true, "opacity=0.5"},
    {"quib_square", "DRVText", 100, 100, true, "fontSize=20/z;borderStyle=solid;borderHexColorString=555555"},
    {"quib_square_rounded", "DRVText", 100, 100, true, "cornerRadius=10"},
    {"quib_rectangle", "DRVText", 100, 80, true, "borderStyle=solid"},
    {"quib_rectangle_rounded", "DRVText", 100, 80, true, "cornerRadius=10"},
    {"quib_circle", "DRVText", 100, 100, true, "cornerRadius=100/z"},
    {"quib_numbertag_1", "DRVText", 40, 50, false, "textString=1;fontFamily=Arial Black;cornerRadius=5"},
    {"quib_numbertag_9", "DRVText", 40, 50, false, "textString=9;backgroundHexColorString=4F94CD"},
    {"quib_markup_datestamp", "DRVText", 270, 50, false, "cornerRadius=15;fontSize=30", true},
    {"quib_markup_timestamp", "DRVText", 300, 50, false, "cornerRadius=15;fontSize=20", true},
    {"quib_responsive_button", "DRVText", 240, 50, false, "textString=Click Here;textType=HTMLSnippet"},
    {"quib_markup_approved", "DRVText", 240, 50, false, "textString=Like It;backgroundHexColorString=00CD00"},
    {"quib_markup_error", "DRVText", 240, 50, false, "textString=Special"},
    {"quib_markup_info", "DRVText", 240, 50, false, "textString=Next"},
    {"quib_markup_warning", "DRVText", 240, 50, false, "textString=Important"},
    {"quib_pagenumber", "DRVText", 250, 30, false, "textString=Page [PAGE_NUMBER]"},
    {"quib_personaltag_firstname", "DRVText", 300, 50, true, "textString=[FIRST_NAME];fontSize=40/z"},
    {"quib_personaltag_lastname", "DRVText", 300, 50, true, "textString=[LAST_NAME]"},
    {"quib_zoom_bubble", "DRVText", 100, 100, false, "cornerRadius=0"},
    {"quib_zoom_bubble_circle", "DRVText", 100, 100, false, "cornerRadius=1000"},
    {"quib_shape_star", "DRVText", 100, 100, false, "cornerRadius=1000"},
    {"quib_zoom_bubble_polygon12", "DRVText", 100, 100, false, "cornerRadius=1000"},
    {"quib_line_solid", "DRVLine", 0, 0, false, "borderStyle=solid;borderWidth=10/z"},
    {"quib_line_dotted", "DRVLine", 0, 0, false, "borderStyle=dotted"},
    {"quib_line_dashed_red_start_arrow", "DRVLine", 0, 0, false, "borderStyle=dashed"},
    {"quib_line_solid_section", "DRVLine", 0, 0, false, "borderWidth=2"},
    {"quib_textfield", "DRVText"},
    {"quib_submitbutton", "DRVText"},
    {"quib_link", "DRVImage"},
    {"quib_individual", "DRVImage"},
    {"quib_slideshow", "DRVSlideshow", 500, 300, false, "borderStyle=dashed;linkOption=_self"},
    {"quib_gallery", "DRVGalleryGrid", 500, 200, false, "shadowFlag=0;backdropLightingFlag=1"},
    {"quib_enlargeable_photo", "DRVGalleryGrid", 100, 150, false, "shadowFlag=1;backdropLightingFlag=2"},
    {"quib_htmlsnippet", "DRVText", 250, 100, false,
     "textType=HTMLSnippet;textString=<b>Enter HTML code here</b>"},
    {"quib_video", "DRVText", 640, 480, false, "textType=HTMLSnippet;opacity=0.9", true},
    {"quib_buynowbutton", "DRVText", 700, 200, false, "textType=HTMLSnippet;backgroundHexColorString=DCDCDC",
     true},
};


class LibraryKeysTest : public FactoryTest
{
protected:
    LibraryKeysTest()
    {
        edition().gCanvasWidth = 1000;
        edition().gCanvasHeight = 800;
        bind();
    }

    static QString expected(const QString& value, double zoom)
    {
        if (!value.endsWith(QStringLiteral("/z")))
            return value;
        return QString::number(platform::truncToInt(value.chopped(2).toDouble() / zoom));
    }

    // Numbers compare by value ("20.000000" is 20), everything else as text.
    static std::string comparable(const QString& value)
    {
        bool number = false;
        const double v = value.toDouble(&number);
        return (number ? QString::number(v) : value).toStdString();
    }

    const QPointF drop{200, 300};
    // The buy button's note is answered by the script.
    platform::ScopedDialogs dialogs;
};

TEST_F(LibraryKeysTest, EveryKeyMakesItsObjectAtTheDropPointAtZoomOneAndTwo)
{
    for (const double zoom : {1.0, 2.0}) {
        view.setScale(zoom);
        for (const KeyCase& c : kCases) {
            SCOPED_TRACE(std::string(c.key) + " at zoom " + std::to_string(zoom));
            doc.undoManager()->disableUndoRegistration();
            doc.removeGraphicsAtIndexes([&] {
                QList<int> all;
                for (int i = 0; i < int(doc.graphics().size()); ++i)
                    all.append(i);
                return all;
            }());
            doc.undoManager()->enableUndoRegistration();

            const auto result = view.addLibraryKeyItem(QLatin1String(c.key), view.libraryDropAt(drop));
            EXPECT_EQ(result, c.continues ? DRVGraphicView::LibraryKeyResult::Continues
                                          : DRVGraphicView::LibraryKeyResult::Ends);
            ASSERT_FALSE(doc.graphics().isEmpty());
            const DRVGraphic* made = doc.graphics().constFirst();
            EXPECT_STREQ(made->metaObject()->className(), c.className);
            if (c.w > 0) {
                const double w = c.zoomed ? platform::truncToInt(c.w / zoom) : c.w;
                const double h = c.zoomed ? platform::truncToInt(c.h / zoom) : c.h;
                EXPECT_EQ(made->bounds(), QRectF(drop, QSizeF(w, h)));
            }
            const QVariantMap p = made->properties();
            for (const QString& pair : QString::fromUtf8(c.properties).split(u';', Qt::SkipEmptyParts)) {
                const QString name = pair.section(u'=', 0, 0);
                EXPECT_EQ(comparable(p.value(name).toString()),
                          comparable(expected(pair.section(u'=', 1), zoom)))
                    << qPrintable(name);
            }
        }
    }
}

TEST_F(LibraryKeysTest, ComponentKeysMakeWhatTheirFactoryMakes)
{
    for (const DRVGraphicView::LibraryItem& item : DRVGraphicView::componentLibraryItems()) {
        SCOPED_TRACE(item.key.toStdString());
        DRVDocument direct;
        DRVGraphicView directView;
        directView.bindGraphics(&direct);
        ASSERT_TRUE(directView.addLibraryItem(item.key, drop));

        DRVDocument dropped;
        DRVGraphicView droppedView;
        droppedView.bindGraphics(&dropped);
        EXPECT_EQ(droppedView.addLibraryKeyItem(item.key, droppedView.libraryDropAt(drop)),
                  DRVGraphicView::LibraryKeyResult::Ends);
        ASSERT_EQ(dropped.graphics().size(), direct.graphics().size());
        ASSERT_FALSE(dropped.graphics().isEmpty());
        EXPECT_EQ(factorytest::describe(dropped.graphics().constFirst()),
                  factorytest::describe(direct.graphics().constFirst()));
    }
}

TEST_F(LibraryKeysTest, MarkupBubbleIsACircleAndAPointerInOneNewGroup)
{
    view.addLibraryKeyItem(QStringLiteral("quib_circle_markup_red_bubble"), view.libraryDropAt(drop));
    ASSERT_EQ(doc.graphics().size(), 2);
    auto* line = qobject_cast<DRVLine*>(doc.graphics().at(0));
    const DRVGraphic* circle = doc.graphics().at(1);
    ASSERT_TRUE(line);
    EXPECT_EQ(circle->bounds(), QRectF(200, 300, 100, 100));
    EXPECT_EQ(line->beginPoint(), QPointF(250, 300));
    EXPECT_EQ(line->endPoint(), QPointF(500, 200));
    EXPECT_EQ(line->borderHexColorString(), QStringLiteral("EE0000"));
    EXPECT_NE(circle->groupNumber(), -99);
    EXPECT_EQ(line->groupNumber(), circle->groupNumber());
}

TEST_F(LibraryKeysTest, UnknownKeysAreFilePaths)
{
    // Keys match whole and with their case; anything else is a file path.
    for (const char* other : {"QUIB_TEXTBOX", "quib_textbox ", "quib_section", "/tmp/quib_textbox.png"})
        EXPECT_EQ(view.addLibraryKeyItem(QLatin1String(other), view.libraryDropAt(drop)),
                  DRVGraphicView::LibraryKeyResult::NotAKey)
            << other;
    EXPECT_TRUE(doc.graphics().isEmpty());
}

TEST_F(LibraryKeysTest, PictureKeysAskForTheirFilesAndACancelledPanelMakesNothing)
{
    QTemporaryDir folder;
    const QString wide = folder.filePath(QStringLiteral("wide.png"));
    QImage picture(1200, 900, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(wide));

    dialogs->queueOpenPanelAnswer({});
    EXPECT_EQ(view.addLibraryKeyItem(QStringLiteral("quib_photo"), view.libraryDropAt(drop)),
              DRVGraphicView::LibraryKeyResult::Ends);
    EXPECT_TRUE(doc.graphics().isEmpty());

    dialogs->queueOpenPanelAnswer({wide});
    view.addLibraryKeyItem(QStringLiteral("quib_photo"), view.libraryDropAt(drop));
    ASSERT_EQ(doc.graphics().size(), 1);
    const DRVGraphic* made = doc.graphics().constFirst();
    EXPECT_STREQ(made->metaObject()->className(), "DRVImage");
    // As wide as a new picture may be, in proportion, at the drop point.
    EXPECT_EQ(made->bounds(), QRectF(drop, QSizeF(600, 450)));
    EXPECT_EQ(made->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(dialogs->openRequests().constLast().title, QStringLiteral("Add one or multiple images"));

    // Outside every section the background pattern is the page's.
    dialogs->queueOpenPanelAnswer({wide});
    view.addLibraryKeyItem(QStringLiteral("quib_backgroundpattern"), view.libraryDropAt(drop));
    EXPECT_EQ(doc.backgroundImageFlag(), 2);
    EXPECT_EQ(doc.backgroundImage().size(), QSize(1200, 900));
    EXPECT_EQ(doc.backgroundImageType(), QStringLiteral("PNG"));
    EXPECT_EQ(doc.graphics().size(), 1);
}

TEST_F(LibraryKeysTest, ALabelOnASmallCanvasStillHasAFont)
{
    edition().gCanvasWidth = 400;
    view.addLibraryKeyItem(QStringLiteral("quib_textbox_label"), view.libraryDropAt(drop));
    ASSERT_EQ(doc.graphics().size(), 1);
    EXPECT_EQ(doc.graphics().constFirst()->properties().value(QStringLiteral("fontSize")).toDouble(), 1.0);
}

} // namespace

TEST_F(LibraryKeysTest, ABackgroundPatternDroppedOnASectionBecomesThatSectionsBackground)
{
    edition().gResponsiveLayoutFlag = true;
    view.addLibraryKeyItem(QStringLiteral("quib_section1"), view.libraryDropAt(drop));
    ASSERT_EQ(doc.graphics().size(), 1);
    auto* section = qobject_cast<DRVTable*>(doc.graphics().constFirst());
    ASSERT_TRUE(section);
    // Laid out as drawing the page does.
    view.grab();
    const QPointF inside = section->bounds().center();
    ASSERT_NE(view.grabOverLappingSectionCell(inside), QRectF());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pattern.jpg"));
    QImage picture(400, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    ASSERT_TRUE(picture.save(path));
    dialogs->queueOpenPanelAnswer({path});
    view.addLibraryKeyItem(QStringLiteral("quib_backgroundpattern"), view.libraryDropAt(inside));
    ASSERT_TRUE(section->tableBackgroundImage());
    const int width = int(section->bounds().width());
    EXPECT_EQ(section->tableBackgroundImage()->image().size(), QSize(width, 100 * width / 400));
    EXPECT_EQ(section->tableBackgroundImage()->imageType(), QStringLiteral("JPG"));
    EXPECT_EQ(doc.backgroundImageFlag(), 0);
}
