// The plain and responsive table factories' width cases, and table duplication: every property
// carried over, a fresh section number, new picture names with their files copied beside the page,
// and the section-aware position.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

#include "model/TransformView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMetaProperty>

using namespace factorytest;

namespace {

struct WidthCase
{
    QStringList spans;
    int pageWidth;
    QList<int> widths;
    int tableWidth;
};

// Every stored value of a carrier by name, but the ones listed.
QVariantMap storedValues(const QObject* object, const QStringList& skip = {})
{
    QVariantMap values;
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isStored() || skip.contains(QLatin1String(property.name())) ||
            (property.metaType().flags() & QMetaType::PointerToQObject))
            continue;
        values.insert(QLatin1String(property.name()), property.read(object));
    }
    return values;
}

TransformView* picture(const QString& name, int row, int column)
{
    auto* image = new TransformView;
    image->setImage(QImage(4, 3, QImage::Format_RGB32));
    image->setImageName(name);
    image->setImageType(QStringLiteral("png"));
    image->setRowSpot(row);
    image->setColumnSpot(column);
    image->setTemplateName(QStringLiteral("basetemplate"));
    return image;
}

} // namespace

using ResponsiveTableTest = FactoryTest;

TEST_F(ResponsiveTableTest, ColumnWidthsFollowTheSpansOverTheCappedPageWidth)
{
    bind();
    const WidthCase cases[] = {
        {{"6", "6"}, 1200, {500, 500}, 1000}, // capped at 1000
        {{"4", "8"}, 1200, {333, 666}, 1000},
        {{"10", "2"}, 1200, {833, 166}, 1000},
        {{"4", "6"}, 1200, {400, 600}, 1000}, // spans adding up to 10
        {{"3", "3", "3", "3"}, 600, {150, 150, 150, 150}, 600},
        {{"6", "6"}, 0, {500, 500}, 1000}, // a page without a width
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.spans.join(u',').toStdString() + " on " + std::to_string(c.pageWidth));
        doc.setDocSpecificPageWidth(c.pageWidth);
        view.addTable_Responsive(c.spans, int(c.spans.size()), QPointF(20.9, 30.2));
        DRVTable* table = front();
        ASSERT_NE(table, nullptr);
        QList<int> widths;
        for (const myTextView* cell : table->cellHelperArray())
            widths.append(cell->width());
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(table->bounds(), QRectF(20, 30, c.tableWidth, 100));
        EXPECT_EQ(table->cellHelperArray().constFirst()->textView()->borderLine(), QStringLiteral("solid"));
    }
}

TEST_F(ResponsiveTableTest, SpansOfNothingMakeNothing)
{
    bind();
    view.addTable_Responsive({"0", "0"}, 2, QPointF(10, 10));
    view.addTable_Responsive({"6", "6"}, 0, QPointF(10, 10));
    // More columns asked for than spans given: only the spans given.
    view.addTable_Responsive({"12"}, 3, QPointF(10, 10));
    ASSERT_EQ(doc.graphics().size(), 1);
    EXPECT_EQ(front()->numOfColumns(), 1);
    EXPECT_FALSE(view.duplicateTable(nullptr, 0));
    EXPECT_EQ(doc.graphics().size(), 1);
}

TEST_F(ResponsiveTableTest, TheMenuTableGoesToTheInsertionPointAsOneStep)
{
    bind();
    view.addTable();
    ASSERT_EQ(doc.graphics().size(), 1);
    EXPECT_EQ(front()->bounds(), QRectF(100, 30, 800, 100));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Table"));
    doc.undoManager()->undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
}

class DuplicateTableTest : public FactoryTest
{
protected:
    DuplicateTableTest() : FactoryTest("Brumel Responsive Website Designer")
    {
        doc.setPagePath(m_folder.filePath(QStringLiteral("page.html")));
        imageFolder = m_folder.filePath(QStringLiteral("page"));
        QDir().mkpath(imageFolder);
    }

    void writeFile(const QString& name)
    {
        QFile file(QDir(imageFolder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
    }

    // A table of two by two styled cells, with pictures in two of them and a background.
    DRVTable* makeSource(const QString& gridType)
    {
        QList<myTextView*> cells;
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 2; ++c) {
                myTextView* cell = DRVGraphicView::createNewTableCell();
                cell->setRowSpot(r);
                cell->setColumnSpot(c);
                cell->setWidth(120 + c);
                cell->setHeight(40 + r);
                auto* text = new QTextDocument;
                text->setHtml(QStringLiteral("<b>cell</b> %1").arg(r * 2 + c));
                cell->setTextStorage(text);
                cell->setHoverColorString(QStringLiteral("4682B4"));
                cell->setLink(QStringLiteral("page%1.html").arg(c));
                cell->setCornerRadius(6);
                cell->setTopMargin(3 + c);
                cell->setSmallGridColumns(6);
                cell->setSectionNumber(4);
                cells.append(cell);
            }
        }
        QVariantMap p;
        p.insert(QStringLiteral("bounds"), platform::stringFromRect(QRectF(40, 300, 250, 90)));
        p.insert(QStringLiteral("numOfColumns"), QStringLiteral("2"));
        p.insert(QStringLiteral("numOfRows"), QStringLiteral("2"));
        p.insert(QStringLiteral("padding"), QStringLiteral("3"));
        p.insert(QStringLiteral("gridType"), gridType);
        p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
        p.insert(QStringLiteral("imageArray"),
                 QVariant::fromValue(QList<TransformView*>{picture(QStringLiteral("image2"), 0, 0),
                                                           picture(QStringLiteral("image3"), 1, 1)}));
        p.insert(QStringLiteral("tableBackgroundArray"),
                 QVariant::fromValue(QList<TransformView*>{picture(QStringLiteral("image5"), -99, -99)}));
        p.insert(QStringLiteral("borderStyle"), QStringLiteral("solid"));
        p.insert(QStringLiteral("topPaddingType"), QStringLiteral("pixel"));
        p.insert(QStringLiteral("leftMarginLevelString"), QStringLiteral("Large"));
        auto* table = new DRVTable;
        table->initWithProperties(p);
        table->setBorderWidth(7);
        table->setBorderHexColorString(QStringLiteral("112233"));
        table->setTopMargin(12);
        return table;
    }

    QTemporaryDir m_folder;
    QString imageFolder;
};

TEST_F(DuplicateTableTest, EveryPropertyComesOverButTheSectionNumberAndPictureNames)
{
    DRVTable* source = makeSource(QStringLiteral("table"));
    // The page's highest picture name is image7.
    DRVTable* other = sectionpage::makeSection(4, QPointF(0, 600), {300}, 100);
    other->setImageArray({picture(QStringLiteral("image7"), 0, 0)});
    place({source, other});
    for (const char* name : {"image2o.png", "image2.png", "image3o.png", "image5o.png"})
        writeFile(QString::fromLatin1(name));
    bind();

    DRVTable* copy = view.duplicateTable(source, 900);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.graphics().constFirst(), copy);
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Duplicate"));

    // The carriers are compared one by one below.
    const QStringList aside{QStringLiteral("sectionNumber"),      QStringLiteral("interimCopyFlag"),
                            QStringLiteral("interimTranslatedY"), QStringLiteral("cellHelperArray"),
                            QStringLiteral("imageArray"),         QStringLiteral("tableBackgroundArray")};
    EXPECT_EQ(differences(storedValues(copy, aside), storedValues(source, aside)), "");
    QVariantMap sourceProperties = source->properties();
    QVariantMap copyProperties = copy->properties();
    EXPECT_EQ(copyProperties.take(QStringLiteral("sectionNumber")).toString(), QStringLiteral("5"));
    sourceProperties.remove(QStringLiteral("sectionNumber"));
    EXPECT_EQ(differences(copyProperties, sourceProperties), "");
    EXPECT_EQ(copy->borderStyle(), QStringLiteral("solid"));
    EXPECT_EQ(copy->borderWidth(), 7);
    EXPECT_EQ(copy->topMargin(), 12);
    EXPECT_TRUE(copy->interimCopyFlag());
    EXPECT_EQ(source->interimTranslatedY(), 0);

    ASSERT_EQ(copy->cellHelperArray().size(), 4);
    for (int i = 0; i < 4; ++i) {
        const myTextView* from = source->cellHelperArray().at(i);
        const myTextView* to = copy->cellHelperArray().at(i);
        EXPECT_NE(from, to);
        EXPECT_EQ(to->sectionNumber(), 5);
        EXPECT_EQ(differences(storedValues(to, {QStringLiteral("sectionNumber")}),
                              storedValues(from, {QStringLiteral("sectionNumber")})),
                  "");
        EXPECT_EQ(differences(storedValues(to->textView()), storedValues(from->textView())), "");
        EXPECT_EQ(to->textStorage()->toHtml(), from->textStorage()->toHtml());
    }

    // New names above every name on the page, the files copied under them, the old ones kept.
    QStringList names;
    for (const TransformView* image : copy->imageArray())
        names.append(image->imageName());
    EXPECT_EQ(names, (QStringList{QStringLiteral("image8"), QStringLiteral("image9")}));
    ASSERT_NE(copy->tableBackgroundImage(), nullptr);
    EXPECT_EQ(copy->tableBackgroundImage()->imageName(), QStringLiteral("image10"));
    EXPECT_EQ(copy->imageArray().constFirst()->templateName(), QString());
    EXPECT_EQ(copy->imageArray().constFirst()->rowSpot(), 0);
    EXPECT_EQ(copy->imageArray().constLast()->columnSpot(), 1);
    EXPECT_EQ(source->imageArray().constFirst()->imageName(), QStringLiteral("image2"));
    const QDir folder(imageFolder);
    for (const char* name : {"image8o.png", "image8.png", "image9o.png", "image10o.png", "image2o.png"})
        EXPECT_TRUE(folder.exists(QString::fromLatin1(name))) << name;
    QFile copied(folder.filePath(QStringLiteral("image9o.png")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("image3o.png"));

    // One step takes the copy back.
    doc.undoManager()->undo();
    EXPECT_EQ(doc.graphics(), (QList<DRVGraphic*>{source, other}));
}

TEST_F(DuplicateTableTest, OnlyASectionMovesToTheTargetHeight)
{
    DRVTable* section = makeSource(QStringLiteral("section"));
    section->setBounds(QRectF(0, 300, 250, 90));
    DRVTable* sectionTemplate = makeSource(QStringLiteral("sectionTemplate"));
    place({section, sectionTemplate});
    bind();

    DRVTable* copy = view.duplicateTable(section, 900);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->bounds().y(), 900);
    EXPECT_EQ(section->interimTranslatedY(), -600);
    EXPECT_EQ(copy->sectionNumber(), 5);

    DRVTable* templateCopy = view.duplicateTable(sectionTemplate, 900);
    ASSERT_NE(templateCopy, nullptr);
    EXPECT_EQ(templateCopy->bounds(), sectionTemplate->bounds());
    EXPECT_EQ(sectionTemplate->interimTranslatedY(), 0);
    EXPECT_EQ(templateCopy->sectionNumber(), 6);
}

TEST_F(DuplicateTableTest, HostileImageNamesCopyNoFile)
{
    DRVTable* source = makeSource(QStringLiteral("table"));
    source->imageArray().constFirst()->setImageName(QStringLiteral("../../escape"));
    source->imageArray().constLast()->setImageType(QStringLiteral("png/../../x"));
    place({source});
    writeFile(QStringLiteral("image5o.png"));
    bind();
    DRVTable* copy = view.duplicateTable(source, 0);
    ASSERT_NE(copy, nullptr);
    // The copies are named afresh; nothing but the background's original was written.
    QStringList files = QDir(imageFolder).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{QStringLiteral("image5o.png"), QStringLiteral("image8o.png")}));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{});
}
