// quib_bench_open_save: times opening and saving page documents of growing size in-process.
// Pages of mixed text boxes, shapes, lines, tables and images are built in code and saved through
// the application's own writer; each is then opened, and an edited copy saved, several times after
// a warm-up. Prints one table row per size: median open and save in milliseconds, and the median
// time of the thumbnails alone (drawn and encoded as each save does), which the save includes.
//
//   quib_bench_open_save [--runs N] [--keep FOLDER] [--edition NAME] SIZE...
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/WorkingFolders.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextStream>
#include <algorithm>

namespace {

myTextView* cell(int row, int column, const QString& text)
{
    auto* c = new myTextView(QRectF(0, 0, 90, 24));
    c->setRowSpot(row);
    c->setColumnSpot(column);
    c->setWidth(90);
    c->setHeight(24);
    c->setFamilyName(QStringLiteral("Liberation Sans"));
    c->setFontSize(12);
    c->setTextColorString(QStringLiteral("000000"));
    c->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    c->setBorderHexColorString(QStringLiteral("000000"));
    c->setTextAlignment(QStringLiteral("left"));
    auto* storage = new QTextDocument;
    storage->setPlainText(text);
    c->setTextStorage(storage);
    return c;
}

// One graphic of the mix: half text boxes (the commonest kind on a real page), then shapes (text
// boxes with an outline), lines, tables and images.
DRVGraphic* makeGraphic(DRVDocument& document, int i, const QString& pageName)
{
    const QRectF bounds(20 + (i % 8) * 120, 20 + (i / 8) * 70, 110, 60);
    DRVGraphic* graphic = nullptr;
    switch (i % 10) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: {
        auto* text = new DRVText(&document);
        text->setTextType(QStringLiteral("Text"));
        text->setFontFamily(QStringLiteral("Helvetica Neue"));
        text->setScriptingContents(QStringLiteral("Text box %1: caf\u00e9 & \u201cquotes\u201d < >").arg(i));
        text->refreshStyle();
        graphic = text;
        break;
    }
    case 5:
    case 6: {
        // A shape: a text box drawn as a preset outline.
        auto* shape = new DRVText(&document);
        shape->setTextType(QStringLiteral("Text"));
        shape->setFontFamily(QStringLiteral("Helvetica Neue"));
        shape->setShapeFlag(1);
        shape->setBubbleShape(i % 10 == 5 ? QStringLiteral("star") : QStringLiteral("octagon"));
        shape->setScriptingContents(QStringLiteral("Shape %1").arg(i));
        shape->refreshStyle();
        graphic = shape;
        break;
    }
    case 7: {
        auto* line = new DRVLine(&document);
        line->setBeginPoint(bounds.topLeft());
        line->setEndPoint(bounds.bottomRight());
        line->setBorderWidth(2);
        line->setBorderHexColorString(QStringLiteral("336699"));
        graphic = line;
        break;
    }
    case 8: {
        auto* table = new DRVTable(&document);
        table->setNumOfRows(2);
        table->setNumOfColumns(2);
        table->setCellHelperArray({cell(0, 0, QStringLiteral("A1")), cell(0, 1, QStringLiteral("B1")),
                                   cell(1, 0, QStringLiteral("A2")), cell(1, 1, QStringLiteral("B2"))});
        graphic = table;
        break;
    }
    default: {
        auto* image = new DRVImage(&document);
        image->setSlideShowNumber(-99);
        image->setImageName(QStringLiteral("image%1").arg(i));
        image->setImageType(QStringLiteral("png"));
        QImage pixels(QSize(40, 30), QImage::Format_ARGB32_Premultiplied);
        pixels.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
        image->setInputImage(pixels);
        image->setContents(pixels);
        graphic = image;
        break;
    }
    }
    if (i % 10 != 7)
        graphic->setBounds(bounds);
    graphic->setTemplateName(pageName);
    return graphic;
}

bool buildPage(const QString& path, int count)
{
    DRVDocument document;
    const QString pageName = QFileInfo(path).completeBaseName();
    QList<DRVGraphic*> graphics;
    QList<int> indexes;
    for (int i = 0; i < count; ++i) {
        graphics.append(makeGraphic(document, i, pageName));
        indexes.append(i);
    }
    document.insertGraphics(graphics, indexes);
    return document.saveDocumentTo(path);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int runs = 5;
    QString keep;
    QString editionName = QStringLiteral("HTML Quib Pro");
    QList<int> sizes;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--runs") && i + 1 < arguments.size())
            runs = std::clamp(arguments.at(++i).toInt(), 1, 100);
        else if (argument == QLatin1String("--keep") && i + 1 < arguments.size())
            keep = arguments.at(++i);
        else if (argument == QLatin1String("--edition") && i + 1 < arguments.size())
            editionName = arguments.at(++i);
        else if (const int n = argument.toInt(); n > 0 && n <= 100000)
            sizes.append(n);
        else {
            QTextStream(stderr)
                << "usage: quib_bench_open_save [--runs N] [--keep FOLDER] [--edition NAME] SIZE..."
                << Qt::endl;
            return 2;
        }
    }
    if (sizes.isEmpty())
        sizes = {50, 500, 2000, 5000};

    QTemporaryDir scratch;
    platform::UserDefaults::standard().useStoreFile(scratch.filePath(QStringLiteral("defaults.ini")));
    // A base of its own outside the scratch folder: the working root outlives main's locals.
    WorkingFolders::setProcessBase(QDir::temp().filePath(QStringLiteral("quib-bench")));
    DataCentre::setLaunchDisplayName(editionName);
    DataCentre::initializeData();
    DocumentArchiverInstall::install();
    platform::ScopedDialogs dialogs;

    const QString folder = keep.isEmpty() ? scratch.filePath(QStringLiteral("pages")) : keep;
    QDir().mkpath(folder);
    QTextStream out(stdout);
    out << "graphics\topen_ms\tsave_ms\tthumb_ms\tfile\n";
    for (int size : sizes) {
        const QString path = QDir(folder).filePath(QStringLiteral("bench%1.quibpage").arg(size));
        if (!buildPage(path, size)) {
            QTextStream(stderr) << "cannot build " << path << Qt::endl;
            return 1;
        }
        QList<double> opens;
        QList<double> saves;
        QList<double> thumbnails;
        for (int run = 0; run <= runs; ++run) { // run 0 warms up
            QElapsedTimer timer;
            timer.start();
            std::unique_ptr<DRVDocument> page = DRVDocument::openDocument(path);
            // Whatever the open left for the event loop is part of the open.
            QCoreApplication::processEvents();
            const double openMs = msSince(timer);
            if (!page || page->graphics().size() != size) {
                QTextStream(stderr) << "open of " << path << " gave " << (page ? page->graphics().size() : -1)
                                    << " graphics" << Qt::endl;
                return 1;
            }
            // An edited save: one graphic moved, then saved to a copy.
            DRVGraphic* first = page->graphics().constFirst();
            first->setBounds(first->bounds().translated(1 + run, 0));
            // The move's undo group closes when the event that made it ends, as in the window:
            // only then does the page count as edited.
            QCoreApplication::processEvents();
            if (!page->isDocumentEdited()) {
                QTextStream(stderr) << "the move did not mark " << path << " edited" << Qt::endl;
                return 1;
            }
            const QString copy = QDir(folder).filePath(QStringLiteral("edited%1.quibpage").arg(size));
            timer.restart();
            const bool saved = page->saveDocumentTo(copy);
            const double saveMs = msSince(timer);
            if (!saved) {
                QTextStream(stderr) << "save of " << copy << " failed" << Qt::endl;
                return 1;
            }
            // The thumbnails once more on their own: the part of the save that is not the page.
            timer.restart();
            page->saveScreenshot();
            const double thumbnailMs = msSince(timer);
            if (run > 0) {
                opens.append(openMs);
                saves.append(saveMs);
                thumbnails.append(thumbnailMs);
            }
        }
        out << size << '\t' << QString::number(median(opens), 'f', 1) << '\t'
            << QString::number(median(saves), 'f', 1) << '\t' << QString::number(median(thumbnails), 'f', 1)
            << '\t' << path << '\n';
        out.flush();
    }
    return 0;
}
