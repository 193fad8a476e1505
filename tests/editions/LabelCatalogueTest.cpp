#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <optional>
#include <vector>

namespace {

// Puts the edition record and the ruler hook back after a test that changes them.
class SavedEdition
{
public:
    SavedEdition() : m_saved(edition()) {}
    ~SavedEdition()
    {
        edition() = m_saved;
        DataCentre::setRulerUnitHook({});
    }
    SavedEdition(const SavedEdition&) = delete;
    SavedEdition& operator=(const SavedEdition&) = delete;

private:
    EditionSettings m_saved;
};

// Parsed without the C library's locale, which the application object may have set.
float parseFloat(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    float value = 0.0f;
    const auto [end, error] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    EXPECT_TRUE(error == std::errc() && end == bytes.constData() + bytes.size()) << text.toStdString();
    return value;
}

struct ExpectedRow
{
    int number = 0;
    LabelHelper row;
};

std::vector<ExpectedRow> readCatalogueFixture()
{
    std::vector<ExpectedRow> rows;
    QFile file(QStringLiteral(QUIB_FIXTURES_DIR "/labels/catalogue.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot open " << file.fileName().toStdString();
        return rows;
    }
    QTextStream in(&file);
    bool header = true;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 15) {
            ADD_FAILURE() << "bad fixture line: " << line.toStdString();
            continue;
        }
        ExpectedRow e;
        e.number = f[0].toInt();
        LabelHelper& r = e.row;
        r.printObjectType = f[1];
        r.printDescription = f[2];
        r.printNumOfColumnsPerSheet = f[3].toInt();
        r.printNumOfRowsPerSheet = f[4].toInt();
        r.printSingleLabelWidthInch = parseFloat(f[5]);
        r.printSingleLabelHeightInch = parseFloat(f[6]);
        r.printLabelColumnSpacingInch = parseFloat(f[7]);
        r.printLabelRowSpacingInch = parseFloat(f[8]);
        r.printSheetTopMarginInch = r.printSheetBottomMarginInch = parseFloat(f[9]);
        r.printSheetLeftMarginInch = r.printSheetRightMarginInch = parseFloat(f[10]);
        r.canvasWidth = f[11].toInt();
        r.canvasHeight = f[12].toInt();
        r.paperSize = f[13];
        r.canvasPixelFactor = parseFloat(f[14]);
        rows.push_back(e);
    }
    return rows;
}

const LabelHelper* rowNamed(const char* description)
{
    for (const LabelHelper& row : DataCentre::printLabels()) {
        if (row.printDescription == QString::fromUtf8(description))
            return &row;
    }
    return nullptr;
}

} // namespace

TEST(LabelCatalogue, HoldsEveryLayoutOfTheTableInOrder)
{
    DataCentre::loadPrintLabels();
    const std::vector<ExpectedRow> expected = readCatalogueFixture();
    const QList<LabelHelper>& rows = DataCentre::printLabels();
    ASSERT_EQ(static_cast<size_t>(rows.size()), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const LabelHelper& want = expected[i].row;
        const LabelHelper& got = rows[static_cast<qsizetype>(i)];
        SCOPED_TRACE(testing::Message()
                     << "row " << expected[i].number << " " << want.printDescription.toStdString());
        EXPECT_EQ(got.printObjectType, want.printObjectType);
        EXPECT_EQ(got.printDescription, want.printDescription);
        EXPECT_EQ(got.printNumOfColumnsPerSheet, want.printNumOfColumnsPerSheet);
        EXPECT_EQ(got.printNumOfRowsPerSheet, want.printNumOfRowsPerSheet);
        EXPECT_EQ(got.printSingleLabelWidthInch, want.printSingleLabelWidthInch);
        EXPECT_EQ(got.printSingleLabelHeightInch, want.printSingleLabelHeightInch);
        EXPECT_EQ(got.printLabelColumnSpacingInch, want.printLabelColumnSpacingInch);
        EXPECT_EQ(got.printLabelRowSpacingInch, want.printLabelRowSpacingInch);
        EXPECT_EQ(got.printSheetTopMarginInch, want.printSheetTopMarginInch);
        EXPECT_EQ(got.printSheetBottomMarginInch, want.printSheetBottomMarginInch);
        EXPECT_EQ(got.printSheetLeftMarginInch, want.printSheetLeftMarginInch);
        EXPECT_EQ(got.printSheetRightMarginInch, want.printSheetRightMarginInch);
        // The canvas is worked out in the code and written out by hand in the fixture: this checks the
        // single-precision truncation on every row.
        EXPECT_EQ(got.canvasWidth, want.canvasWidth);
        EXPECT_EQ(got.canvasHeight, want.canvasHeight);
        EXPECT_EQ(got.paperSize, want.paperSize);
        EXPECT_EQ(got.canvasPixelFactor, want.canvasPixelFactor);
    }
}

TEST(LabelCatalogue, CanvasPixelsTruncateInSinglePrecision)
{
    EXPECT_EQ(LabelHelper::canvasPixels(3.34646f, 300.0f), 1003);
    EXPECT_EQ(LabelHelper::canvasPixels(0.6666f, 300.0f), 199);
    EXPECT_EQ(LabelHelper::canvasPixels(8.8f, 72.0f), 633);
    // 3.3333333f x 300 is 999.99997 in double precision but rounds to 1000 in single precision.
    EXPECT_EQ(LabelHelper::canvasPixels(3.3333333f, 300.0f), 1000);
}

TEST(LabelCatalogue, ReloadKeepsRowsInPlace)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    const LabelHelper* before = DataCentre::grabLabelHelper(QStringLiteral("Label - 1 Per Letter Sheet"));
    ASSERT_NE(before, nullptr);
    const LabelHelper copy = *before;
    DataCentre::loadPrintLabels();
    // A row handed out earlier stays valid and unchanged.
    EXPECT_EQ(*before, copy);
    EXPECT_EQ(DataCentre::grabLabelHelper(QStringLiteral("Label - 1 Per Letter Sheet")), before);
    EXPECT_EQ(before->printSingleLabelWidthInch, 8.0f);
    EXPECT_EQ(before->printSingleLabelHeightInch, 11.5f);
    EXPECT_EQ(before->canvasWidth, 2400);
    EXPECT_EQ(before->canvasHeight, 3450);
    EXPECT_EQ(before->paperSize, QStringLiteral("na-letter"));
}

TEST(LabelCatalogue, DescriptionLookupSelectsTheSheetAndItsRulerUnits)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    std::vector<std::pair<double, double>> registered;
    DataCentre::setRulerUnitHook([&](double inch, double cm) { registered.emplace_back(inch, cm); });
    edition().gSelectedLabelSheet = QStringLiteral("previous");

    const LabelHelper* row = DataCentre::grabLabelHelper(QStringLiteral("Label - 30 Per Letter Sheet"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row, &DataCentre::printLabels()[8]);
    EXPECT_EQ(row->printNumOfColumnsPerSheet, 3);
    EXPECT_EQ(row->printNumOfRowsPerSheet, 10);
    EXPECT_EQ(row->canvasWidth, 1575);
    EXPECT_EQ(row->canvasHeight, 600);
    EXPECT_EQ(edition().gSelectedLabelSheet, QStringLiteral("Label - 30 Per Letter Sheet"));
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0].first, 600.0);
    EXPECT_EQ(registered[0].second, 236.25);
}

TEST(LabelCatalogue, DescriptionLookupMissChangesNothing)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    int calls = 0;
    DataCentre::setRulerUnitHook([&](double, double) { ++calls; });
    edition().gSelectedLabelSheet = QStringLiteral("Post Card - 5\" x 7\"");

    for (const QString& description :
         {QStringLiteral("label - 30 per letter sheet"), QStringLiteral("Label - 30 Per Letter Sheet "),
          QString(), QStringLiteral(""), QStringLiteral("No Such Sheet")}) {
        SCOPED_TRACE(description.toStdString());
        EXPECT_EQ(DataCentre::grabLabelHelper(description), nullptr);
        EXPECT_EQ(edition().gSelectedLabelSheet, QStringLiteral("Post Card - 5\" x 7\""));
    }
    EXPECT_EQ(calls, 0);
}

TEST(LabelCatalogue, CentimetreRulerUsesTheSixtyThirdsDivisor)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    std::optional<std::pair<double, double>> last;
    DataCentre::setRulerUnitHook([&](double inch, double cm) { last = {inch, cm}; });

    const struct
    {
        const char* description;
        double inch;
        double centimetre;
    } cases[] = {
        {"US Letter - Landscape - 72 DPI", 72.0, static_cast<double>(28.35f)},
        {"US Letter - Portrait", 150.0, 59.0625},
        {"Post Card - 4\" x 6\"", 300.0, 118.125},
        {"Label - 30 Per Letter Sheet Foil", 600.0, 236.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        last.reset();
        ASSERT_NE(DataCentre::grabLabelHelper(QString::fromUtf8(c.description)), nullptr);
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(last->first, c.inch);
        EXPECT_EQ(last->second, c.centimetre);
    }
}

TEST(LabelCatalogue, PaperAndCountLookupTakesTheFirstMatch)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    edition().gSelectedLabelSheet = QStringLiteral("unchanged");

    const struct
    {
        int count;
        const char* paper;
        const char* description; // nullptr: no row
    } cases[] = {
        {10, "na-letter", "Business Card - 10 Per Letter Sheet"},
        {8, "na-letter", "Business Card - 8 Per Letter Sheet"},
        {10, "A4", "Business Card - 10 Per A4 Sheet"},
        {8, "A4", "Business Card - 8 Per A4 Sheet"},
        {30, "na-letter", "Label - 30 Per Letter Sheet"},
        {1, "na-letter", "Post Card - 4\" x 6\""},
        {7, "na-letter", nullptr},
        {10, "na-legal", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.paper);
        const LabelHelper* row =
            DataCentre::grabLabelHelperBasedOnSelection(c.count, QString::fromUtf8(c.paper));
        if (!c.description) {
            EXPECT_EQ(row, nullptr);
            continue;
        }
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->printDescription, QString::fromUtf8(c.description));
        EXPECT_EQ(row, rowNamed(c.description));
    }
    EXPECT_EQ(edition().gSelectedLabelSheet, QStringLiteral("unchanged"));
}

TEST(LabelCatalogue, HdFlyerRowsAreFoundUnderTheirOwnDescriptions)
{
    SavedEdition saved;
    DataCentre::loadPrintLabels();
    const std::pair<const char*, const char*> twins[] = {
        {"US Letter - Landscape HD", "US Letter - Landscape"},
        {"US Letter - Portrait HD", "US Letter - Portrait"},
        {"US Legal - Landscape HD", "US Legal - Landscape"},
        {"US Legal - Portrait HD", "US Legal - Portrait"},
        {"A4 - Landscape HD", "A4 - Landscape"},
        {"A4 - Portrait HD", "A4 - Portrait"},
    };
    for (const auto& [hd, plain] : twins) {
        SCOPED_TRACE(hd);
        const LabelHelper* hdRow = DataCentre::grabLabelHelper(QString::fromUtf8(hd));
        const LabelHelper* plainRow = DataCentre::grabLabelHelper(QString::fromUtf8(plain));
        ASSERT_NE(hdRow, nullptr);
        ASSERT_NE(plainRow, nullptr);
        EXPECT_NE(hdRow, plainRow);
        EXPECT_EQ(hdRow->printDescription, QString::fromUtf8(hd));
        LabelHelper renamed = *plainRow;
        renamed.printDescription = hdRow->printDescription;
        EXPECT_EQ(*hdRow, renamed);
    }
}
