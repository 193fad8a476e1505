// A page just opened has written only its page file and stages the rest; the window's export
// commands, which copy or pack the page's folder, still carry every file of it byte for byte.
#include "AppTestSupport.h"

#include "document/DocumentArchiver.h"
#include "document/PendingFolderFiles.h"
#include "model/DRVImage.h"

#include <QDirIterator>
#include <QMap>

namespace {

struct ExportCase
{
    const char* action;
    // The page folder's files the export holds, by path inside that folder.
    std::function<QMap<QString, QByteArray>(const QString& output)> picturesIn;
};

void PrintTo(const ExportCase& c, std::ostream* os)
{
    *os << c.action;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QMap<QString, QByteArray> picturesInArchive(const QString& archive, const QString& prefix)
{
    std::vector<DocumentArchiver::Member> members;
    QMap<QString, QByteArray> pictures;
    if (!DocumentArchiver::readDocument(archive, &members))
        return pictures;
    for (const DocumentArchiver::Member& member : members) {
        if (!member.isFolder && member.relativePath.startsWith(prefix) &&
            (member.relativePath.mid(prefix.size()).startsWith(QLatin1String("image")) ||
             member.relativePath.mid(prefix.size()).contains(u'/')))
            pictures.insert(member.relativePath.mid(prefix.size()), member.bytes);
    }
    return pictures;
}

class FreshOpenExportTest : public WindowedAppTest, public ::testing::WithParamInterface<ExportCase>
{
protected:
    FreshOpenExportTest() { PendingFolderFiles::setBackgroundWritingForTesting(false); }
    ~FreshOpenExportTest() override
    {
        PendingFolderFiles::ensureAllComplete();
        PendingFolderFiles::setBackgroundWritingForTesting(true);
    }
};

} // namespace

TEST_P(FreshOpenExportTest, CarriesEveryFileOfAPageJustOpened)
{
    const QString path = m_root.filePath(QStringLiteral("album.quibpage"));
    {
        DRVDocument page;
        QList<DRVGraphic*> graphics;
        for (int i = 0; i < 2; ++i) {
            auto* image = new DRVImage(&page);
            image->setSlideShowNumber(-99);
            image->setImageName(QStringLiteral("image%1").arg(i));
            image->setImageType(QStringLiteral("png"));
            QImage pixels(QSize(30 + i, 20), QImage::Format_ARGB32_Premultiplied);
            pixels.fill(i ? Qt::darkBlue : Qt::darkRed);
            image->setInputImage(pixels);
            image->setContents(pixels);
            image->setBounds(QRectF(10 + 50 * i, 10, 30 + i, 20));
            graphics.append(image);
        }
        page.insertGraphics(graphics, {0, 1});
        ASSERT_TRUE(page.saveDocumentTo(path));
        // A file the page keeps but never writes itself: only the unpacking brings it back.
        const QString pageFolder = page.tempSavePathLocal() + QStringLiteral("/album");
        QDir().mkpath(pageFolder + QStringLiteral("/extra"));
        QFile notes(pageFolder + QStringLiteral("/extra/notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("kept as it is") == 13);
        notes.close();
        ASSERT_TRUE(DocumentArchiver::zipDocument(pageFolder, path));
    }
    const QMap<QString, QByteArray> stored = picturesInArchive(path, QString());
    ASSERT_TRUE(stored.contains(QStringLiteral("extra/notes.txt")));

    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(window);
    const QString output = m_root.filePath(QStringLiteral("out"));
    QDir().mkpath(output);
    dialogs->queueOpenPanelAnswer({output});
    dialogs->queueSavePanelAnswer(QDir(output).filePath(QStringLiteral("album-mail")));
    choose(window, QString::fromLatin1(GetParam().action));

    const QMap<QString, QByteArray> exported = GetParam().picturesIn(output);
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it)
        EXPECT_EQ(exported.value(it.key()), it.value()) << qPrintable(it.key());
}

INSTANTIATE_TEST_SUITE_P(
    Exports, FreshOpenExportTest,
    ::testing::Values(ExportCase{"exportToRawFiles:",
                                 [](const QString& output) {
                                     QMap<QString, QByteArray> files;
                                     const QDir folder(QDir(output).filePath(QStringLiteral("album")));
                                     QDirIterator it(folder.path(), QDir::Files,
                                                     QDirIterator::Subdirectories);
                                     while (it.hasNext()) {
                                         const QString file = it.next();
                                         files.insert(folder.relativeFilePath(file), fileBytes(file));
                                     }
                                     return files;
                                 }},
                      ExportCase{"exportZip:", [](const QString& output) {
                                     return picturesInArchive(
                                         QDir(output).filePath(QStringLiteral("album-mail.zip")),
                                         QStringLiteral("album/"));
                                 }}));
