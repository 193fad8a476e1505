// Shared set-up of the window tests: the edition's working folders and the user defaults inside a
// test's own folder, and the page archiver the save flow needs.
#pragma once
#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void useWorkFoldersIn(const QTemporaryDir& root)
{
    EditionSettings& e = edition();
    e.gTempFolderPath = root.filePath(QStringLiteral("work"));
    e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
    e.gTempSaveFolderPath =
        QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
    QDir().mkpath(e.gTempSaveFolderPath);
    platform::UserDefaults::standard().useStoreFile(root.filePath(QStringLiteral("defaults.ini")));
    DocumentArchiverInstall::install();
}

// A real document window of one edition, its menus chosen as the user would; closing the windows
// at the end answers the save questions with "Don't Save".
class MenuWindowTest : public ::testing::Test
{
protected:
    explicit MenuWindowTest(const QString& editionName) : m_edition(editionName) { useWorkFoldersIn(m_root); }
    ~MenuWindowTest() override
    {
        for (int i = 0; i < 8; ++i)
            m_dialogs->queueAlertAnswer(1);
        for (DRVWindowController* window : m_documents.allWindowControllers())
            window->performClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the item's menu (which validates it), then chooses the item.
    static void choose(DRVWindowController* window, const QString& action)
    {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
        ASSERT_TRUE(item) << qPrintable(action);
        auto* menu = qobject_cast<QMenu*>(item->parent());
        ASSERT_TRUE(menu);
        emit menu->aboutToShow();
        ASSERT_TRUE(item->isVisible()) << qPrintable(action);
        ASSERT_TRUE(item->isEnabled()) << qPrintable(action);
        emit menu->aboutToHide();
        item->trigger();
    }

    // The scroll view the canvas sits in.
    static QAbstractScrollArea* scroller(DRVGraphicView* canvas)
    {
        for (QWidget* w = canvas->parentWidget(); w; w = w->parentWidget()) {
            if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
                return area;
        }
        return nullptr;
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
    platform::ScopedDialogs m_dialogs;
    DocumentController m_documents;
};
