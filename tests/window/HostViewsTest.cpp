// The small host views: label font fitting, the flipped view's touch point and drop border.
#include "window/FlippedNSView.h"
#include "window/ProfileViewController.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QSizeF measured(const QString& text, int size)
{
    QFont font(QString::fromLatin1(ProfileViewController::kLabelFontName));
    font.setPixelSize(size);
    return QFontMetricsF(font).size(0, text);
}

} // namespace

TEST(ProfileLabels, LargestSizeThatFitsTheFrame)
{
    const QString text = QStringLiteral("Jane Doe");
    const QString font = QString::fromLatin1(ProfileViewController::kLabelFontName);
    const int size = ProfileViewController::calcFontSizeToFitRect(QRectF(0, 0, 200, 40), text, font);
    ASSERT_GT(size, 5);
    ASSERT_LT(size, 299);
    const QSizeF fits = measured(text, size);
    const QSizeF next = measured(text, size + 1);
    EXPECT_LE(fits.width(), 200);
    EXPECT_LE(fits.height(), 40);
    EXPECT_TRUE(next.width() > 200 || next.height() > 40);
}

TEST(ProfileLabels, EdgeSizes)
{
    const QString font = QString::fromLatin1(ProfileViewController::kLabelFontName);
    // Too wide already at size 5.
    EXPECT_EQ(
        ProfileViewController::calcFontSizeToFitRect(QRectF(0, 0, 3, 100), QStringLiteral("Wide text"), font),
        4);
    // Every size up to 299 fits a huge frame.
    EXPECT_EQ(
        ProfileViewController::calcFontSizeToFitRect(QRectF(0, 0, 100000, 100000), QStringLiteral("x"), font),
        299);
    // A frame exactly as large as the text at some size still takes that size.
    const QSizeF at20 = measured(QStringLiteral("Exact"), 20);
    const QSizeF at21 = measured(QStringLiteral("Exact"), 21);
    if (at21.width() > at20.width() || at21.height() > at20.height()) {
        EXPECT_EQ(ProfileViewController::calcFontSizeToFitRect(QRectF(QPointF(), at20),
                                                               QStringLiteral("Exact"), font),
                  20);
    }
}

TEST(ProfileLabels, AdjustGivesEachLabelItsFittingSize)
{
    ProfileViewController controller;
    controller.labelTextField()->setText(QStringLiteral("A long name for a small label"));
    controller.labelTextField3()->setText(QStringLiteral("Short"));
    controller.adjustFontSize();
    const QString font = QString::fromLatin1(ProfileViewController::kLabelFontName);
    EXPECT_EQ(controller.labelTextField()->font().pixelSize(),
              ProfileViewController::calcFontSizeToFitRect(controller.labelTextField()->geometry(),
                                                           controller.labelTextField()->text(), font));
    EXPECT_EQ(controller.labelTextField3()->font().pixelSize(),
              ProfileViewController::calcFontSizeToFitRect(controller.labelTextField3()->geometry(),
                                                           QStringLiteral("Short"), font));
}

TEST(FlippedView, ContextMenuRecordsTheTouchPointInViewCoordinates)
{
    FlippedNSView view;
    view.resize(100, 100);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 2), QPoint(501, 402));
    EXPECT_EQ(view.menuForEvent(&event), nullptr);
    EXPECT_EQ(view.lastTouchPoint(), QPointF(1, 2));
}

TEST(FlippedView, BorderOnlyWhenTheRectangleIsAsTallAsTheView)
{
    FlippedNSView view;
    view.resize(100, 100);
    QImage image(120, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.drawBorder(&painter, QRectF(0, 0, 100, 50));
    }
    EXPECT_EQ(image.pixel(3, 25), QColor(Qt::white).rgb());
    {
        QPainter painter(&image);
        view.drawBorder(&painter, QRectF(0, 0, 100, 100));
    }
    EXPECT_EQ(QColor(image.pixel(3, 50)), QColor(Qt::red));
}
