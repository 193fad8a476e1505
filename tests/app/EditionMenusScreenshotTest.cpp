// The menus of three edition families opened in a window and photographed: a web-site designer, a
// label maker and a patient-record edition. The pictures are kept beside the test program (run it
// under xvfb-run to see them as the X server draws them).
#include "AppTestSupport.h"

#include <QDir>
#include <QMenu>
#include <QTest>
#include <memory>

namespace {

class EditionMenusScreenshotTest : public WindowedAppTest
{
};

QString artefactsFolder()
{
    const QString folder =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("app-artefacts"));
    QDir().mkpath(folder);
    return folder;
}

} // namespace

TEST_F(EditionMenusScreenshotTest, OpenedMenusOfThreeEditionFamilies)
{
    const struct
    {
        const char* edition;
        const char* file;
    } editions[] = {{"HTML Quib Pro", "web"}, {"Kestrin Label Maker", "labels"}, {"Cardell", "records"}};
    for (const auto& e : editions) {
        ScopedEdition running{QString::fromUtf8(e.edition)};
        DRVWindowController* window = documents.addDocument(std::make_unique<DRVDocument>());
        ASSERT_TRUE(window);
        const QList<MenuDescription> model = MenuModel::menus();
        const QList<QAction*> bar = window->window()->menuBar()->actions();
        ASSERT_EQ(bar.size(), model.size());
        for (qsizetype m = 0; m < bar.size(); ++m) {
            const QString id = model.at(m).id;
            if (id != QLatin1String("fileMenu") && id != QLatin1String("formatMenu"))
                continue;
            QMenu* menu = bar.at(m)->menu();
            menu->popup(window->window()->mapToGlobal(QPoint(10, 30)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            // What the edition leaves out stays out of the opened menu.
            for (const MenuItemDescription& item : model.at(m).items) {
                if (item.isSeparator())
                    continue;
                const QAction* action = MenuModel::actionWithId(window->window()->menuBar(), item.id);
                ASSERT_TRUE(action) << qPrintable(item.id);
                if (item.hidden) {
                    EXPECT_FALSE(action->isVisible()) << e.edition << " " << qPrintable(item.id);
                }
            }
            const QImage shot = menu->grab().toImage();
            EXPECT_FALSE(shot.isNull());
            const QString path =
                QDir(artefactsFolder())
                    .filePath(QStringLiteral("menus-%1-%2.png").arg(QLatin1String(e.file), id));
            EXPECT_TRUE(shot.save(path)) << qPrintable(path);
            menu->hide();
        }
        window->performClose();
    }
}
