// A turned text box or picture turns on the page as it does on the canvas: its rule carries a CSS
// transform beside the stored angle, the page opened again keeps the angle, and saving it again gives
// the same page.
#include "PageRoundTrip.h"

#include "document/StyleRuleTokens.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "model/TransformView.h"

#include <QImage>

using generationtest::GenerationTest;
using generationtest::ofClass;
using generationtest::reopen;

namespace {

// The first rule of the page text that starts with selector.
QString ruleOf(const QString& page, const QString& selector)
{
    const qsizetype start = page.indexOf(selector + u'{');
    if (start < 0)
        return {};
    return page.mid(start, page.indexOf(u'}', start) - start + 1);
}

struct Turn
{
    float degrees;
    const char* transform; // nullptr: none written
};

const Turn kTurns[] = {
    {12.0f, "transform:rotate(12.000000deg);"},
    {-20.5f, "transform:rotate(-20.500000deg);"},
    {0.0f, nullptr},
};

// The rule turns by the angle, or carries no transform for none.
void expectTransform(const QString& rule, const Turn& turn)
{
    EXPECT_EQ(rule.contains(QStringLiteral("transform:")), turn.transform != nullptr) << rule.toStdString();
    if (turn.transform) {
        EXPECT_TRUE(rule.contains(QLatin1String(turn.transform))) << rule.toStdString();
    }
}

class RotationOutputTest : public GenerationTest
{
protected:
    void prepare(DRVDocument& document)
    {
        document.setTempSavePathLocal(saveFolder.path());
        document.setPageName(QStringLiteral("index"));
        document.setMainTemplateName(QStringLiteral("index"));
    }

    DRVText* addText(DRVDocument& document, float degrees)
    {
        auto* text = add<DRVText>(document);
        text->setTextType(QStringLiteral("Text"));
        text->setFontFamily(QStringLiteral("Liberation Sans"));
        text->setFontSize(16);
        text->setBounds(QRectF(30, 40, 180, 60));
        text->updateTextString(QStringLiteral("turned"));
        text->setTextHexColorString(QStringLiteral("222222"));
        text->setBackgroundHexColorString(QStringLiteral("8E44AD"));
        text->setBorderHexColorString(QStringLiteral("000000"));
        text->setHoverColorString(QStringLiteral("FF0000"));
        text->setHoverTextColorString(QStringLiteral("FFFFFF"));
        text->setRotationAngle(degrees);
        return text;
    }

    DRVImage* addImage(DRVDocument& document, float degrees)
    {
        auto* image = add<DRVImage>(document);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        image->setContents(picture);
        image->setBounds(QRectF(240, 90, 140, 100));
        image->setImageName(QStringLiteral("image1"));
        image->setImageType(QStringLiteral("png"));
        image->setSelectable(true);
        image->setRotationAngle(degrees);
        return image;
    }

    QTemporaryDir saveFolder;
};

} // namespace

TEST_F(RotationOutputTest, TurnedTextBoxesCarryTheirTransformAndReopenTurned)
{
    for (const Turn& turn : kTurns) {
        SCOPED_TRACE(turn.degrees);
        DRVDocument document;
        prepare(document);
        addText(document, turn.degrees);
        QObject owner;
        const auto page = reopen(document, QStringLiteral("index"), &owner);
        const QString rule = ruleOf(page.text, QStringLiteral(".text0"));
        ASSERT_FALSE(rule.isEmpty()) << page.text.toStdString();
        expectTransform(rule, turn);

        const QList<DRVGraphic*> read = ofClass(page.graphics, "DRVText");
        ASSERT_EQ(read.size(), 1);
        EXPECT_FLOAT_EQ(read.first()->rotationAngle(), turn.degrees);
        // Saving the box read back writes the same rule.
        DRVDocument again;
        prepare(again);
        read.first()->setParent(&again);
        again.insertGraphics({read.first()}, {0});
        EXPECT_EQ(
            ruleOf(again.generateSourceCode(QStringLiteral("index"), false, false), QStringLiteral(".text0"))
                .toStdString(),
            rule.toStdString());
    }
}

TEST_F(RotationOutputTest, TurnedPicturesCarryTheirTransformBesideTheStoredAngle)
{
    for (const Turn& turn : kTurns) {
        SCOPED_TRACE(turn.degrees);
        DRVDocument document;
        prepare(document);
        addImage(document, turn.degrees);
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, true);
        const QString rule = ruleOf(page, QStringLiteral(".image1"));
        ASSERT_FALSE(rule.isEmpty()) << page.toStdString();
        expectTransform(rule, turn);
        // The reader finds the stored angle, and the pairs after the transform, where they were.
        const StyleRuleTokens tokens(rule);
        EXPECT_FLOAT_EQ(tokens.parseForItemTypeFloat(QStringLiteral("rotationAngle"), -1), turn.degrees);
        EXPECT_EQ(tokens.parseForItemTypeString(QStringLiteral("imagename"), {}), QStringLiteral("image1"));
        EXPECT_EQ(tokens.parseForItemTypeInt(QStringLiteral("originalHeight"), -1), 100);
    }
}
