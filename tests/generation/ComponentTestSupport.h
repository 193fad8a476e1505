// Builders of the table-based components, slideshows and galleries that the component tests write
// and read back, and the read-back itself.
#pragma once
#include "GenerationTestSupport.h"

#include "document/PageParser.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <QTextDocument>

namespace componenttest {

inline myTextView* makeCell(int row, int column, int width, int height, const QString& text)
{
    auto* cell = new myTextView(QRectF(0, 0, width, height));
    cell->setRowSpot(row);
    cell->setColumnSpot(column);
    cell->setWidth(width);
    cell->setHeight(height);
    cell->setFamilyName(QStringLiteral("Liberation Sans"));
    cell->setFontSize(14);
    cell->setLineSpacing(1.0f);
    cell->setAlphaValue(1.0);
    cell->setTextColorString(QStringLiteral("112233"));
    cell->setTextHexColorString(QStringLiteral("112233"));
    cell->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    cell->setBorderHexColorString(QStringLiteral("000000"));
    cell->setHoverColorString(QStringLiteral("445566"));
    cell->setHoverTextColorString(QStringLiteral("FFFFFF"));
    cell->setTextAlignment(QStringLiteral("left"));
    auto* storage = new QTextDocument;
    storage->setPlainText(text);
    cell->setTextStorage(storage);
    return cell;
}

// A table of rows x columns cells, 100 x 40 each, whose texts are "r<row>c<column>" unless given.
inline DRVTable* addTable(DRVDocument& document, const QString& gridType, int rows, int columns,
                          QPointF origin, const std::function<QString(int, int)>& textAt = {})
{
    QList<myTextView*> cells;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QString text = textAt ? textAt(r, c) : QStringLiteral("r%1c%2").arg(r).arg(c);
            cells.append(makeCell(r, c, 100, 40, text));
        }
    }
    QVariantMap p;
    p.insert("bounds", platform::stringFromRect(QRectF(origin, QSizeF(100 * columns, 40 * rows))));
    p.insert("numOfColumns", QString::number(columns));
    p.insert("numOfRows", QString::number(rows));
    p.insert("padding", QStringLiteral("0"));
    p.insert("gridType", gridType);
    p.insert("cellArray", QVariant::fromValue(cells));
    auto* table = new DRVTable(&document);
    table->initWithProperties(p);
    document.insertGraphics({table}, {0});
    return table;
}

inline TransformView* makePicture(const QString& name, QSize size = QSize(40, 30))
{
    auto* picture = new TransformView(QRectF(QPointF(0, 0), QSizeF(size)));
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    picture->setImage(image);
    picture->setImageName(name);
    picture->setImageType(QStringLiteral("png"));
    picture->setOriginalWidth(size.width());
    picture->setOriginalHeight(size.height());
    picture->setSelectable(1);
    picture->setAlpha(1.0f);
    picture->setOpacity(1.0f);
    return picture;
}

// The page written as saved and opened again: the graphics the reader builds, owned by owner.
struct ReadBack
{
    PageParseResult result;
    QList<DRVGraphic*> graphics;
};

inline ReadBack writeAndRead(DRVDocument& document, const QString& folder, bool changed = false)
{
    ReadBack back;
    PageParseInput input;
    input.pageText = document.generateSourceCode(QStringLiteral("index"), false, changed);
    input.pageName = QStringLiteral("index");
    input.templatePageName = QStringLiteral("index");
    input.pagePath = folder + QStringLiteral("/index.html");
    input.pageFileExtension = QStringLiteral("html");
    back.result = PageParser::presentObjects(input);
    back.graphics =
        DRVGraphic::graphicsWithProperties(back.result.carriers, QStringLiteral("index"), &document);
    return back;
}

template <class T> QList<T*> ofClass(const QList<DRVGraphic*>& graphics)
{
    QList<T*> found;
    for (DRVGraphic* graphic : graphics) {
        if (auto* typed = qobject_cast<T*>(graphic))
            found.append(typed);
    }
    return found;
}

inline QString cellText(const DRVTable* table, int row, int column)
{
    const myTextView* cell = table->grabSelectedTableCellHelper(row, column);
    if (!cell)
        return QStringLiteral("<missing>");
    return cell->textStorage() ? cell->textStorage()->toPlainText() : cell->textView()->string();
}

} // namespace componenttest
