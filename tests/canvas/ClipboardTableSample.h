// The table the clipboard tests copy, in this process or in the helper process: 2 x 2 cells, the
// first with a style and link of its own, and a picture in row 0, column 1 whose files (as placed
// and the original) lie beside the page. check() says what a paste of it must show.
#pragma once
#include "TableFixture.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace clipboardsample {

inline const QString kLink = QStringLiteral("https://example.org/a?b=1&c=<2>");
inline const QString kAltText = QStringLiteral("four by three <stripes>");

inline QImage picture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, qRgb(60 * x, 100 * y, 200));
    }
    return image;
}

// The original's bytes: a PNG of the picture.
inline QByteArray originalBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture().save(&buffer, "PNG");
    return bytes;
}

// The table, with its picture's files written beside pagePath.
inline DRVTable* makeTable(const QString& pagePath)
{
    DRVTable* table = tablefixture::makeTable(2, 2, QPointF(30, 40), 'A', {QPoint(0, 1)});
    myTextView* first = table->grabSelectedTableCellHelper(0, 0);
    first->setFamilyName(QStringLiteral("DejaVu Serif"));
    first->setFontSize(19);
    first->setTextColorString(QStringLiteral("C0392B"));
    first->setTextAlignment(QStringLiteral("center"));
    first->setLink(kLink);
    first->setTopPadding(6);

    TransformView* image = table->imageArray().constFirst();
    image->setImageType(QStringLiteral("PNG"));
    image->setAltText(kAltText);
    image->setImage(picture());
    const QString folder = pagePath.left(pagePath.lastIndexOf(u'.'));
    QDir().mkpath(folder);
    for (const QString& tail : {QStringLiteral(".PNG"), QStringLiteral("o.PNG")}) {
        QFile file(folder + u'/' + image->imageName() + tail);
        if (file.open(QIODevice::WriteOnly))
            file.write(originalBytes());
    }
    return table;
}

// What a pasted copy of the table must show on a page at pagePath; "" when it does.
inline QString check(const DRVTable* pasted, const QString& pagePath)
{
    QStringList faults;
    if (!pasted)
        return QStringLiteral("no table");
    // Both laid out as drawing does, which gives every cell its styled text.
    QTemporaryDir scratch;
    std::unique_ptr<DRVTable> original(makeTable(scratch.filePath(QStringLiteral("reference.html"))));
    original->layoutCells();
    const_cast<DRVTable*>(pasted)->layoutCells();
    const QString texts = tablefixture::texts(pasted);
    if (texts != QStringLiteral("A B / C D"))
        faults.append(QStringLiteral("texts: ") + texts);
    for (const myTextView* cell : original->cellHelperArray()) {
        const myTextView* copy = pasted->grabSelectedTableCellHelper(cell->rowSpot(), cell->columnSpot());
        const auto look = [](const myTextView* c) {
            QTextCursor at(c->textStorage());
            at.setPosition(1);
            const QTextCharFormat format = at.charFormat();
            return QStringList{c->backgroundHexColorString(),
                               QString::number(c->width()),
                               QString::number(c->height()),
                               c->familyName(),
                               QString::number(c->fontSize()),
                               c->textColorString(),
                               c->textAlignment(),
                               c->link(),
                               QString::number(c->topPadding()),
                               format.font().family(),
                               QString::number(format.font().pixelSize()),
                               format.foreground().color().name(),
                               QString::number(int(at.blockFormat().alignment()))}
                .join(u'|');
        };
        if (!copy || look(copy) != look(cell))
            faults.append(QStringLiteral("cell (%1, %2): %3 instead of %4")
                              .arg(cell->rowSpot())
                              .arg(cell->columnSpot())
                              .arg(copy ? look(copy) : QStringLiteral("missing"), look(cell)));
    }
    if (pasted->imageArray().size() != 1)
        return (faults << QStringLiteral("pictures: %1").arg(pasted->imageArray().size())).join(u'\n');
    const TransformView* image = pasted->imageArray().constFirst();
    if (image->rowSpot() != 0 || image->columnSpot() != 1 || image->altText() != kAltText)
        faults.append(QStringLiteral("the picture lost its place or alt text"));
    if (image->image().convertToFormat(QImage::Format_RGB32) != picture())
        faults.append(QStringLiteral("the picture's pixels differ"));
    const QString folder = pagePath.left(pagePath.lastIndexOf(u'.'));
    for (const QString& tail : {QStringLiteral(".PNG"), QStringLiteral("o.PNG")}) {
        QFile file(folder + u'/' + image->imageName() + tail);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != originalBytes())
            faults.append(QStringLiteral("missing or different file ") + image->imageName() + tail);
    }
    return faults.join(u'\n');
}

} // namespace clipboardsample
