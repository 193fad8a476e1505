// Shared set-up of the application tests: the default edition with working folders in a temporary
// folder, a private defaults store, the page archive, and small saved page documents.
#pragma once
#include "app/DRVAppDelegate.h"
#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVLine.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class AppTest : public ::testing::Test
{
protected:
    AppTest() : m_edition(QStringLiteral("Quib"))
    {
        useWorkingFolders();
        platform::UserDefaults::standard().useStoreFile(m_root.filePath(QStringLiteral("defaults.ini")));
        DocumentArchiverInstall::install();
    }

    // The edition's working folders inside the test's folder (again after choosing another edition).
    void useWorkingFolders()
    {
        EditionSettings& e = edition();
        e.gTempFolderPath = m_root.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath =
            QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
    }

    // A page document with one thick line per colour (hex strings), saved through the save flow.
    QString savedPage(const QString& name, const QStringList& colours = {QStringLiteral("CC0000")})
    {
        DRVDocument document;
        document.undoManager()->disableUndoRegistration();
        QList<DRVGraphic*> graphics;
        QList<int> indexes;
        for (int i = 0; i < colours.size(); ++i) {
            auto* line = new DRVLine;
            line->setBeginPoint(QPointF(20 + 60 * i, 30));
            line->setEndPoint(QPointF(60 + 60 * i, 110));
            line->setBorderWidth(8);
            line->setBorderStyle(QStringLiteral("solid"));
            line->setBorderHexColorString(colours.at(i));
            line->setOpacity(1.0);
            graphics.append(line);
            indexes.append(i);
        }
        document.insertGraphics(graphics, indexes);
        document.undoManager()->enableUndoRegistration();
        const QString path = m_root.filePath(name + QStringLiteral(".quibpage"));
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        return path;
    }

    static void deleteLaterObjects() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A picture file of one colour in the test's folder, its format from the name's extension.
    QString picture(const QString& fileName, QSize size, const QColor& colour = Qt::darkGreen)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_root.filePath(fileName);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // A file of these bytes in the test's folder.
    QString fileWith(const QString& fileName, const QByteArray& bytes)
    {
        const QString path = m_root.filePath(fileName);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
};

// An application being launched: the delegate, scripted dialogs, and every window of the shared
// document controller closed without saving afterwards.
class LaunchTest : public AppTest
{
protected:
    ~LaunchTest() override
    {
        for (int i = 0; i < 8; ++i)
            dialogs->queueAlertAnswer(1);
        for (DRVWindowController* window : DocumentController::shared().allWindowControllers())
            window->performClose();
        deleteLaterObjects();
    }

    platform::ScopedDialogs dialogs;
    DRVAppDelegate delegate;
};

// Application tests with document windows and scripted dialogs; the windows still open at the end
// close without saving.
class WindowedAppTest : public AppTest
{
protected:
    ~WindowedAppTest() override
    {
        for (int i = 0; i < 8; ++i)
            dialogs->queueAlertAnswer(1);
        for (DRVWindowController* window : documents.allWindowControllers())
            window->performClose();
        deleteLaterObjects();
    }

    // Opens the item's menu (which validates it) and answers the item.
    static QAction* validatedItem(DRVWindowController* window, const QString& action)
    {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
        if (item)
            emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        return item;
    }

    // Right-clicks the window's canvas at inside and chooses the item titled so, from the submenu
    // titled submenu when one is given; false when it is not offered.
    static bool chooseFromCanvasMenu(DRVWindowController* window, const QString& title, QPoint inside,
                                     const QString& submenu = QString())
    {
        DRVGraphicView* canvas = window->graphicView();
        QContextMenuEvent click(QContextMenuEvent::Mouse, inside, canvas->mapToGlobal(inside));
        QCoreApplication::sendEvent(canvas, &click);
        QMenu* menu = canvas->contextMenu();
        if (!menu)
            return false;
        for (QAction* action : menu->actions()) {
            if (!submenu.isEmpty() && action->text() == submenu && action->menu())
                menu = action->menu();
        }
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == title)
                chosen = action;
        }
        if (chosen)
            chosen->trigger();
        if (canvas->contextMenu())
            canvas->contextMenu()->close();
        return chosen != nullptr;
    }

    // Validates the item as opening its menu does, then chooses it.
    static void choose(DRVWindowController* window, const QString& action)
    {
        QAction* item = validatedItem(window, action);
        ASSERT_TRUE(item && item->isEnabled() && item->isVisible()) << qPrintable(action);
        item->trigger();
    }

    // A window on a new page of the graphics (front to back), each selectable.
    DRVWindowController* windowOnPage(const QList<DRVGraphic*>& graphics)
    {
        auto document = std::make_unique<DRVDocument>();
        document->undoManager()->disableUndoRegistration();
        QList<int> indexes;
        for (int i = 0; i < int(graphics.size()); ++i) {
            graphics.at(i)->setSelectable(true);
            indexes.append(i);
        }
        document->insertGraphics(graphics, indexes);
        document->undoManager()->enableUndoRegistration();
        return documents.addDocument(std::move(document));
    }

    // Keeps a picture of the window among the build's gui artefacts.
    static void keepScreenshot(QWidget* window, const QString& name)
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(QDir(folder).filePath(name)));
    }

    platform::ScopedDialogs dialogs;
    DocumentController documents;
};
