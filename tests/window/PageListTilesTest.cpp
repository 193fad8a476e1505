// Page tiles and the page list's drop targets: which drags the list takes, the copy question for a
// page from outside, the reorder drag, the tile's clicks and drawing, and the link field's drop.
#include "WindowTestSupport.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "window/ListingIconView.h"
#include "window/PageListingClipView.h"
#include "window/PageListingScrollview.h"
#include "window/QuibNSButton.h"
#include "window/QuibNSTextField.h"

#include <QApplication>
#include <QDrag>
#include <QDragLeaveEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

class PageListTilesTest : public WindowTest
{
protected:
    PageListTilesTest() { edition().gDocumentExtension = QStringLiteral("quibpage"); }

    static QMimeData* filesData(const QList<QUrl>& urls)
    {
        auto* data = new QMimeData;
        data->setUrls(urls);
        return data;
    }

    platform::ScopedDialogs dialogs;
};

struct DropRecorder
{
    PageListingClipViewDelegate delegate()
    {
        PageListingClipViewDelegate d;
        d.rearrangePageOrder = [this](QWidget* sender, const QString& name, QPoint point) {
            moves.append(name);
            movePoints.append(point);
            senders.append(sender);
        };
        d.grabDraggedInPage = [this](QWidget* sender, bool save, const QString& path) {
            copies.append(path);
            saves.append(save);
            senders.append(sender);
        };
        return d;
    }
    QStringList moves;
    QList<QPoint> movePoints;
    QStringList copies;
    QList<bool> saves;
    QList<QWidget*> senders;
};

bool sendDrop(QWidget* target, QMimeData* data, QPoint point)
{
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(point), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

TEST_F(PageListTilesTest, TheListTakesPageDocumentsAndTilesOnly)
{
    const struct
    {
        std::function<QMimeData*()> make;
        Qt::DropAction expected;
        const char* what;
    } rows[] = {
        {[] { return filesData({QUrl::fromLocalFile("/tmp/x/about.quibpage")}); }, Qt::CopyAction, "page document"},
        {[] { return filesData({QUrl::fromLocalFile("/tmp/x/form.selvaro")}); }, Qt::CopyAction, "form page"},
        {[] { return filesData({QUrl::fromLocalFile("/tmp/x/picture.png")}); }, Qt::IgnoreAction, "picture"},
        {[] { return filesData({QUrl::fromLocalFile("/tmp/x/quibpage")}); }, Qt::IgnoreAction, "no extension"},
        {[] { return filesData({QUrl::fromLocalFile("/tmp/x/about.QUIBPAGE")}); }, Qt::IgnoreAction, "other case"},
        {[] { return filesData({QUrl("https://example.com/about.quibpage")}); }, Qt::IgnoreAction, "remote"},
        {[] { return PageListingClipView::tileMimeData("form.selvaro"); }, Qt::CopyAction, "form tile"},
        {[] { return PageListingClipView::tileMimeData("about.quibpage"); }, Qt::CopyAction, "tile"},
        {[] {
             auto* data = new QMimeData;
             data->setText("DragAndDrop/about.quibpage");
             return data;
         },
         Qt::IgnoreAction, "plain text"},
        {[] { return new QMimeData; }, Qt::IgnoreAction, "empty"},
    };
    for (const auto& row : rows) {
        std::unique_ptr<QMimeData> data(row.make());
        EXPECT_EQ(PageListingClipView::dragOperationForMimeData(data.get()), row.expected) << row.what;
    }
}

TEST_F(PageListTilesTest, APageFromOutsideIsCopiedOnlyAfterProceed)
{
    PageListingClipView clip;
    clip.resize(200, 300);
    PageListingScrollview scroll;
    scroll.resize(200, 300);
    const QString path = QStringLiteral("/tmp/elsewhere/about.quibpage");
    for (QWidget* target : {static_cast<QWidget*>(&clip), static_cast<QWidget*>(scroll.viewport())}) {
        DropRecorder recorder;
        clip.setDelegate(recorder.delegate());
        scroll.setDelegate(recorder.delegate());
        const int alertsBefore = int(dialogs->alerts().size());
        dialogs->queueAlertAnswer(1); // Cancel
        std::unique_ptr<QMimeData> cancelled(filesData({QUrl::fromLocalFile(path)}));
        sendDrop(target, cancelled.get(), QPoint(20, 20));
        EXPECT_TRUE(recorder.copies.isEmpty());
        dialogs->queueAlertAnswer(0); // Proceed
        std::unique_ptr<QMimeData> proceeded(filesData({QUrl::fromLocalFile(path)}));
        EXPECT_TRUE(sendDrop(target, proceeded.get(), QPoint(20, 20)));
        EXPECT_EQ(recorder.copies, QStringList{path});
        EXPECT_EQ(recorder.saves, QList<bool>{true});
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + 2);
        const platform::Alert alert = dialogs->alerts().constLast();
        EXPECT_EQ(alert.title, QStringLiteral("Copying New Page"));
        EXPECT_EQ(alert.informativeText,
                  QStringLiteral("Are you sure you wish to copy over document \"about.quibpage\"?\n\n"
                                 "This file is currently located at\n/tmp/elsewhere/about.quibpage"));
        EXPECT_EQ(alert.buttons, (QStringList{"Proceed", "Cancel"}));
    }
    // A picture is refused without a question.
    const int alertsBefore = int(dialogs->alerts().size());
    std::unique_ptr<QMimeData> picture(filesData({QUrl::fromLocalFile("/tmp/p.png")}));
    EXPECT_FALSE(sendDrop(&clip, picture.get(), QPoint(20, 20)));
    EXPECT_EQ(dialogs->alerts().size(), alertsBefore);
}

TEST_F(PageListTilesTest, ATileDroppedBackAsksTheDelegateToMoveIt)
{
    PageListingClipView clip;
    clip.resize(200, 300);
    DropRecorder recorder;
    clip.setDelegate(recorder.delegate());
    std::unique_ptr<QMimeData> data(PageListingClipView::tileMimeData("contact.quibpage"));
    EXPECT_TRUE(sendDrop(&clip, data.get(), QPoint(30, 140)));
    EXPECT_EQ(recorder.moves, QStringList{"contact.quibpage"});
    EXPECT_EQ(recorder.movePoints, QList<QPoint>{QPoint(30, 140)});
    EXPECT_EQ(recorder.senders, QList<QWidget*>{&clip});
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(PageListTilesTest, TheReorderDragStartsOnlyWithTheSidebarInspector)
{
    QMimeData* carried = nullptr;
    auto saved = ListingIconView::dragRunner();
    ListingIconView::dragRunner() = [&](QDrag* drag) { carried = drag->mimeData(); };
    ListingIconView view;
    view.resize(120, 160);
    auto* tile = new QuibNSButton;
    PageRecord record;
    record.pageName = QStringLiteral("about.quibpage");
    record.documentName = record.pageName;
    tile->setRecord(record);
    tile->setGeometry(10, 5, 100, 120);
    view.setQuibButton(tile);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    edition().gSidebarInspectorFlag = false;
    EXPECT_FALSE(view.mouseDragged(QPoint(20, 20)));
    EXPECT_EQ(carried, nullptr);

    edition().gSidebarInspectorFlag = true;
    QSignalSpy clicks(tile, &QAbstractButton::clicked);
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(20, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 70), tile->mapToGlobal(QPointF(60, 70)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tile, &move);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(60, 70));
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(QString::fromUtf8(carried->data(PageListingClipView::tileMimeType())),
              QStringLiteral("DragAndDrop/about.quibpage"));
    // The drag does not also open the page.
    EXPECT_EQ(clicks.count(), 0);
    ListingIconView::dragRunner() = saved;
}

TEST_F(PageListTilesTest, AClickAnywhereInATileIsTheTilesClick)
{
    QuibNSButton tile;
    tile.resize(100, 120);
    auto* inside = new QLabel(QStringLiteral("caption"), &tile);
    inside->setGeometry(10, 10, 60, 20);
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    QSignalSpy clicks(&tile, &QAbstractButton::clicked);
    QTest::mouseClick(&tile, Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_EQ(clicks.count(), 1);

    // In edit mode a press only marks the tile.
    tile.setEditModeFlag(true);
    QTest::mouseClick(&tile, Qt::LeftButton, {}, QPoint(50, 80));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(tile.borderFlag());
}

TEST_F(PageListTilesTest, TilesDrawTheirBorderOrSwatchColour)
{
    QImage picture(80, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QuibNSButton tile;
    tile.resize(80, 100);
    tile.setImage(picture);
    tile.setBorderFlag(true);
    tile.setEditModeFlag(true);
    QImage shot = tile.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 50).name(), QStringLiteral("#3d9140"));
    EXPECT_EQ(shot.pixelColor(40, 50).name(), QStringLiteral("#ffffff"));
    // Drawing ends edit mode.
    EXPECT_FALSE(tile.editModeFlag());

    QuibNSButton swatch;
    swatch.resize(30, 30);
    swatch.setButtonColor(QColor(QStringLiteral("#123456")));
    shot = swatch.grab().toImage();
    EXPECT_EQ(shot.pixelColor(15, 15).name(), QStringLiteral("#123456"));
}

TEST_F(PageListTilesTest, ALinkFieldTurnsADroppedPageIntoItsPublishedName)
{
    const struct
    {
        const char* path;
        const char* field;
    } rows[] = {{"/home/u/site/about.quibpage", "about.html"},
                {"/tmp/other folder/about.quibpage", "about.html"},
                {"/home/u/pictures/photo.png", "photo.png"},
                {"/home/u/site/form.selvaro", "form.selvaro"},
                {"/home/u/site/archive.tar.quibpage", "archive.tar.html"}};
    for (const auto& row : rows) {
        QuibNSTextField field;
        field.setText(QStringLiteral("before"));
        std::unique_ptr<QMimeData> data(filesData({QUrl::fromLocalFile(QString::fromUtf8(row.path))}));
        EXPECT_TRUE(sendDrop(&field, data.get(), QPoint(5, 5))) << row.path;
        EXPECT_EQ(field.text(), QString::fromUtf8(row.field)) << row.path;
    }
}

TEST_F(PageListTilesTest, ALinkFieldIgnoresADragThatEndsElsewhere)
{
    QuibNSTextField field;
    field.setText(QStringLiteral("index.html"));
    std::unique_ptr<QMimeData> data(filesData({QUrl::fromLocalFile("/home/u/site/about.quibpage")}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&field, &enter);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(&field, &leave);
    EXPECT_EQ(field.text(), QStringLiteral("index.html"));
}
