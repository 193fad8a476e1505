#include "model/TableClipboard.h"

#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QMetaProperty>
#include <QRectF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace {

// Any number stored on a table, cell or picture lies well inside this on a real page.
constexpr double kMaximumMagnitude = 1e5;
constexpr double kMaximumFontSize = 1000;

// Sizes and spacings: a negative one would turn the layout's arithmetic inside out.
bool isSize(const QString& key)
{
    static const QStringList sizes{QStringLiteral("padding"),     QStringLiteral("width"),
                                   QStringLiteral("height"),      QStringLiteral("borderWidth"),
                                   QStringLiteral("fontSize"),    QStringLiteral("textHeight"),
                                   QStringLiteral("strokeWidth"), QStringLiteral("lineSpacing")};
    static const QStringList sides{QStringLiteral("Padding"), QStringLiteral("Margin")};
    return sizes.contains(key) || std::any_of(sides.begin(), sides.end(), [&key](const QString& side) {
               return key.endsWith(side) && !key.endsWith(QStringLiteral("Type"));
           });
}

const QStringList& geometryKeys()
{
    static const QStringList keys{QStringLiteral("bounds"), QStringLiteral("xPosition"),
                                  QStringLiteral("yPosition"), QStringLiteral("width"),
                                  QStringLiteral("height")};
    return keys;
}

double bounded(double value)
{
    return std::clamp(value, -kMaximumMagnitude, kMaximumMagnitude);
}

// A stored value in a form the clipboard format holds; an invalid QVariant for what it leaves out
// (pictures' pixels travel as their files, carriers as their own entries).
QVariant clipboardValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::QDateTime:
        return value;
    case QMetaType::Float:
        return double(value.toFloat());
    case QMetaType::QColor: {
        const QColor colour = value.value<QColor>();
        return colour.isValid() ? colour.name(QColor::HexArgb) : QString();
    }
    case QMetaType::QRectF: {
        const QRectF r = value.toRectF();
        return QVariantList{r.x(), r.y(), r.width(), r.height()};
    }
    case QMetaType::QFont:
        return value.value<QFont>().toString();
    default:
        return {};
    }
}

bool finiteNumber(const QVariant& value, double* out)
{
    const int type = value.typeId();
    if (type != QMetaType::Double && type != QMetaType::Int && type != QMetaType::LongLong)
        return false;
    const double d = value.toDouble();
    if (!std::isfinite(d))
        return false;
    *out = bounded(d);
    return true;
}

QFont boundedFont(const QString& description, bool* ok)
{
    QFont font;
    *ok = !description.isEmpty() && description.size() <= 1024 && font.fromString(description);
    if (!*ok)
        return {};
    if (font.pixelSize() > 0)
        font.setPixelSize(int(std::min<double>(font.pixelSize(), kMaximumFontSize)));
    else if (!(font.pointSizeF() > 0) || font.pointSizeF() > kMaximumFontSize)
        font.setPointSizeF(
            std::clamp(font.pointSizeF() > 0 ? font.pointSizeF() : 12.0, 1.0, kMaximumFontSize));
    return font;
}

// The value for a property of type, read from the clipboard; an invalid QVariant when it does not
// fit the property.
QVariant propertyValue(const QVariant& value, QMetaType type)
{
    double number = 0;
    switch (type.id()) {
    case QMetaType::QString:
        if (value.typeId() != QMetaType::QString ||
            value.toString().size() > TableClipboard::kMaximumTextLength)
            return {};
        return value;
    case QMetaType::Bool:
        return value.typeId() == QMetaType::Bool ? value : QVariant();
    case QMetaType::Int:
        return finiteNumber(value, &number) ? QVariant(int(number)) : QVariant();
    case QMetaType::Double:
        return finiteNumber(value, &number) ? QVariant(number) : QVariant();
    case QMetaType::Float:
        return finiteNumber(value, &number) ? QVariant(float(number)) : QVariant();
    case QMetaType::QDateTime:
        return value.typeId() == QMetaType::QDateTime ? value : QVariant();
    case QMetaType::QColor: {
        if (value.typeId() != QMetaType::QString || value.toString().size() > 32)
            return {};
        // An empty string is the colour that was never set.
        const QString text = value.toString();
        const QColor colour = text.isEmpty() ? QColor() : QColor::fromString(text);
        if (!text.isEmpty() && !colour.isValid())
            return {};
        return colour;
    }
    case QMetaType::QRectF: {
        const QVariantList parts = value.toList();
        if (value.typeId() != QMetaType::QVariantList || parts.size() != 4)
            return {};
        double v[4];
        for (int i = 0; i < 4; ++i) {
            if (!finiteNumber(parts.at(i), &v[i]))
                return {};
        }
        return QRectF(v[0], v[1], std::max(0.0, v[2]), std::max(0.0, v[3]));
    }
    case QMetaType::QFont: {
        if (value.typeId() != QMetaType::QString)
            return {};
        bool ok = false;
        const QFont font = boundedFont(value.toString(), &ok);
        return ok ? QVariant(font) : QVariant();
    }
    default:
        return {};
    }
}

// The stored values of object's own class from upTo on, by name.
QVariantMap storedValues(const QObject* object, const QMetaObject& upTo, const QStringList& skip = {})
{
    QVariantMap values;
    const QMetaObject* meta = object->metaObject();
    for (int i = upTo.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || !property.isStored() || skip.contains(QLatin1String(property.name())))
            continue;
        const QVariant value = clipboardValue(property.read(object));
        if (value.isValid())
            values.insert(QString::fromLatin1(property.name()), value);
    }
    return values;
}

// Writes each value of values that names a stored property of object (from upTo on) and fits it.
void takeStoredValues(QObject* object, const QMetaObject& upTo, const QVariantMap& values,
                      const QStringList& skip = {})
{
    const QMetaObject* meta = object->metaObject();
    for (int i = upTo.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (!property.isWritable() || !property.isStored() || skip.contains(name))
            continue;
        const auto found = values.constFind(name);
        if (found == values.constEnd())
            continue;
        QVariant value = propertyValue(*found, property.metaType());
        if (value.isValid() && isSize(name) && value.toDouble() < 0)
            value.setValue(0);
        if (value.isValid())
            property.write(object, value);
    }
}

QVariantMap charFormatValues(const QTextCharFormat& format)
{
    QVariantMap values;
    values.insert(QStringLiteral("font"), format.font().toString());
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        values.insert(QStringLiteral("color"), format.foreground().color().name(QColor::HexArgb));
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        values.insert(QStringLiteral("background"), format.background().color().name(QColor::HexArgb));
    if (format.isAnchor())
        values.insert(QStringLiteral("link"), format.anchorHref());
    return values;
}

QTextCharFormat charFormatFrom(const QVariantMap& values)
{
    QTextCharFormat format;
    bool ok = false;
    const QFont font = boundedFont(values.value(QStringLiteral("font")).toString(), &ok);
    if (ok)
        format.setFont(font);
    const QVariant colour =
        propertyValue(values.value(QStringLiteral("color")), QMetaType::fromType<QColor>());
    if (colour.isValid() && colour.value<QColor>().isValid())
        format.setForeground(colour.value<QColor>());
    const QVariant background =
        propertyValue(values.value(QStringLiteral("background")), QMetaType::fromType<QColor>());
    if (background.isValid() && background.value<QColor>().isValid())
        format.setBackground(background.value<QColor>());
    const QVariant link = values.value(QStringLiteral("link"));
    if (link.typeId() == QMetaType::QString && link.toString().size() <= 4096) {
        format.setAnchor(true);
        format.setAnchorHref(link.toString());
    }
    return format;
}

// The styled text as blocks of runs.
QVariantMap textValues(const QTextDocument* text)
{
    QVariantList blocks;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        QVariantList runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QVariantMap run = charFormatValues(fragment.charFormat());
            run.insert(QStringLiteral("text"), fragment.text());
            runs.append(run);
        }
        QVariantMap entry;
        entry.insert(QStringLiteral("alignment"), int(block.blockFormat().alignment()));
        entry.insert(QStringLiteral("format"), charFormatValues(block.charFormat()));
        entry.insert(QStringLiteral("runs"), runs);
        blocks.append(entry);
    }
    QVariantMap values;
    values.insert(QStringLiteral("defaultFont"), text->defaultFont().toString());
    values.insert(QStringLiteral("blocks"), blocks);
    return values;
}

QTextDocument* textFrom(const QVariantMap& values)
{
    auto* text = new QTextDocument;
    bool ok = false;
    const QFont defaultFont = boundedFont(values.value(QStringLiteral("defaultFont")).toString(), &ok);
    if (ok)
        text->setDefaultFont(defaultFont);
    QTextCursor cursor(text);
    int length = 0;
    int runCount = 0;
    bool first = true;
    for (const QVariant& blockValue : values.value(QStringLiteral("blocks")).toList()) {
        if (runCount >= TableClipboard::kMaximumRuns || length >= TableClipboard::kMaximumTextLength)
            break;
        const QVariantMap block = blockValue.toMap();
        QTextBlockFormat blockFormat;
        double alignment = 0;
        if (finiteNumber(block.value(QStringLiteral("alignment")), &alignment))
            blockFormat.setAlignment(
                Qt::Alignment(int(alignment) & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)));
        const QTextCharFormat blockCharFormat = charFormatFrom(block.value(QStringLiteral("format")).toMap());
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(blockCharFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, blockCharFormat);
        }
        ++runCount;
        for (const QVariant& runValue : block.value(QStringLiteral("runs")).toList()) {
            if (++runCount > TableClipboard::kMaximumRuns)
                break;
            const QVariantMap run = runValue.toMap();
            const QString part = run.value(QStringLiteral("text"))
                                     .toString()
                                     .left(TableClipboard::kMaximumTextLength - length);
            if (part.isEmpty())
                continue;
            // A run holds no block breaks of its own: those are the blocks above.
            QString plain = part;
            plain.replace(QChar::ParagraphSeparator, u' ');
            plain.replace(u'\n', QChar::LineSeparator);
            cursor.insertText(plain, charFormatFrom(run));
            length += int(plain.size());
        }
    }
    return text;
}

QVariantMap pictureValues(const TransformView* picture,
                          const std::function<TableClipboard::PictureFiles(const TransformView*)>& filesOf,
                          qsizetype* budget)
{
    QVariantMap entry;
    entry.insert(QStringLiteral("values"), storedValues(picture, TransformView::staticMetaObject));
    if (filesOf)
        entry.insert(QStringLiteral("files"),
                     TableClipboard::filesValue(TableClipboard::boundedFiles(filesOf(picture), budget)));
    return entry;
}

TransformView* pictureFrom(const QVariantMap& entry, TableClipboard::PictureFiles* files, qsizetype* budget)
{
    auto* picture = new TransformView;
    takeStoredValues(picture, TransformView::staticMetaObject, entry.value(QStringLiteral("values")).toMap());
    *files = TableClipboard::filesFrom(entry.value(QStringLiteral("files")), budget);
    return picture;
}

bool validSpot(const QObject* carrier)
{
    const int row = carrier->property("rowSpot").toInt();
    const int column = carrier->property("columnSpot").toInt();
    return row >= 0 && row < TableClipboard::kMaximumSpot && column >= 0 &&
           column < TableClipboard::kMaximumSpot;
}

} // namespace

QString TableClipboard::key()
{
    return QStringLiteral("tableContents");
}

TableClipboard::PictureFiles TableClipboard::boundedFiles(const PictureFiles& files, qsizetype* budget)
{
    PictureFiles bounded;
    for (auto it = files.constBegin(); it != files.constEnd() && bounded.size() < kMaximumFilesPerPicture;
         ++it) {
        if (it.key().size() > 64 || it.value().size() > kMaximumFileBytes || it.value().size() > *budget)
            continue;
        *budget -= it.value().size();
        bounded.insert(it.key(), it.value());
    }
    return bounded;
}

QVariantMap TableClipboard::filesValue(const PictureFiles& files)
{
    QVariantMap value;
    for (auto it = files.constBegin(); it != files.constEnd(); ++it)
        value.insert(it.key(), it.value());
    return value;
}

TableClipboard::PictureFiles TableClipboard::filesFrom(const QVariant& value, qsizetype* budget)
{
    PictureFiles files;
    const QVariantMap carried = value.toMap();
    for (auto it = carried.constBegin(); it != carried.constEnd(); ++it) {
        if (it.value().typeId() == QMetaType::QByteArray)
            files.insert(it.key(), it.value().toByteArray());
    }
    return boundedFiles(files, budget);
}

QVariantMap TableClipboard::encode(const DRVTable* table,
                                   const std::function<PictureFiles(const TransformView*)>& filesOf)
{
    QVariantMap carried;
    if (!table)
        return carried;
    carried.insert(QStringLiteral("table"),
                   storedValues(table, DRVGraphic::staticMetaObject, geometryKeys()));
    QVariantList cells;
    for (const myTextView* cell : table->cellHelperArray()) {
        if (!cell || cells.size() >= kMaximumCells)
            continue;
        QVariantMap entry;
        entry.insert(QStringLiteral("values"), storedValues(cell, myTextView::staticMetaObject));
        entry.insert(QStringLiteral("textView"), storedValues(cell->textView(), MTextView::staticMetaObject));
        if (cell->textStorage())
            entry.insert(QStringLiteral("text"), textValues(cell->textStorage()));
        cells.append(entry);
    }
    carried.insert(QStringLiteral("cells"), cells);
    qsizetype budget = kMaximumTableFileBytes;
    QVariantList pictures;
    for (const TransformView* picture : table->imageArray()) {
        if (picture && pictures.size() < kMaximumCells)
            pictures.append(pictureValues(picture, filesOf, &budget));
    }
    carried.insert(QStringLiteral("pictures"), pictures);
    if (const TransformView* background = table->tableBackgroundImage())
        carried.insert(QStringLiteral("background"), pictureValues(background, filesOf, &budget));
    return carried;
}

std::optional<TableClipboard::Decoded> TableClipboard::decode(const QVariantMap& dictionary)
{
    const QVariant carriedValue = dictionary.value(key());
    if (carriedValue.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap carried = carriedValue.toMap();

    QList<myTextView*> cells;
    for (const QVariant& value : carried.value(QStringLiteral("cells")).toList()) {
        if (cells.size() >= kMaximumCells)
            break;
        const QVariantMap entry = value.toMap();
        auto* cell = new myTextView;
        takeStoredValues(cell, myTextView::staticMetaObject, entry.value(QStringLiteral("values")).toMap());
        takeStoredValues(cell->textView(), MTextView::staticMetaObject,
                         entry.value(QStringLiteral("textView")).toMap());
        if (!validSpot(cell)) {
            delete cell;
            continue;
        }
        cell->setTextStorage(entry.contains(QStringLiteral("text"))
                                 ? textFrom(entry.value(QStringLiteral("text")).toMap())
                                 : new QTextDocument);
        cells.append(cell);
    }

    Decoded decoded;
    qsizetype budget = kMaximumTableFileBytes;
    QList<TransformView*> images;
    for (const QVariant& value : carried.value(QStringLiteral("pictures")).toList()) {
        if (images.size() >= kMaximumCells)
            break;
        PictureFiles files;
        TransformView* picture = pictureFrom(value.toMap(), &files, &budget);
        if (!validSpot(picture)) {
            delete picture;
            continue;
        }
        images.append(picture);
        decoded.pictures.append({picture, files});
    }
    QList<TransformView*> backgrounds;
    if (carried.value(QStringLiteral("background")).typeId() == QMetaType::QVariantMap) {
        PictureFiles files;
        TransformView* background =
            pictureFrom(carried.value(QStringLiteral("background")).toMap(), &files, &budget);
        backgrounds.append(background);
        decoded.pictures.append({background, files});
    }

    QVariantMap p = dictionary;
    p.remove(key());
    p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
    p.insert(QStringLiteral("imageArray"), QVariant::fromValue(images));
    p.insert(QStringLiteral("tableBackgroundArray"), QVariant::fromValue(backgrounds));
    decoded.table = std::make_unique<DRVTable>();
    decoded.table->initWithProperties(p);
    // The dictionary styles a table after its first cell; the carried values are the table's own.
    takeStoredValues(decoded.table.get(), DRVGraphic::staticMetaObject,
                     carried.value(QStringLiteral("table")).toMap(), geometryKeys());
    DRVTable* table = decoded.table.get();
    table->setNumOfRows(std::clamp(table->numOfRows(), 0, kMaximumSpot));
    table->setNumOfColumns(std::clamp(table->numOfColumns(), 0, kMaximumSpot));
    return decoded;
}
