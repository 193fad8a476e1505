// Drives a print template pop-up as a user does: a click opens its list, a click on an item picks it.
#pragma once
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

// The first item whose title ends with the sheet description, -1 when none does.
inline int templateIndexOf(const QComboBox* popUp, const QString& description)
{
    for (int i = 0; i < popUp->count(); ++i) {
        if (popUp->itemText(i).endsWith(description))
            return i;
    }
    return -1;
}

// Opens the pop-up with a click and clicks the item in its list. The pop-up ignores a release too
// soon after it opened: callers keep the double-click interval short.
inline void pickTemplate(QComboBox* popUp, int index)
{
    ASSERT_GE(index, 0);
    QTest::mouseClick(popUp, Qt::LeftButton);
    QAbstractItemView* list = popUp->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    list->scrollTo(popUp->model()->index(index, 0));
    // On a loaded machine the list may still take the first click for the one that opened it; a
    // click it ignored leaves it open, so clicking again cannot pick twice.
    for (int attempt = 0; attempt < 3 && list->isVisible(); ++attempt) {
        const QRect item = list->visualRect(popUp->model()->index(index, 0));
        ASSERT_TRUE(item.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        (void)QTest::qWaitFor([&] { return !list->isVisible(); }, 1000);
    }
    EXPECT_FALSE(list->isVisible());
}
