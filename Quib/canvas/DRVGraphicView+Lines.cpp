// Lines, their arrow heads, and the branch generator: a ring of smaller copies of a text box
// around it, each joined to it by a line.
#include "canvas/DRVGraphicView.h"

#include "canvas/MultiplyViewController.h"
#include "canvas/QuibPopover.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVLine.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QList<DRVLine*> linesIn(const QList<DRVGraphic*>& graphics)
{
    QList<DRVLine*> lines;
    for (DRVGraphic* graphic : graphics) {
        if (auto* line = qobject_cast<DRVLine*>(graphic))
            lines.append(line);
    }
    return lines;
}

} // namespace

DRVGraphic* DRVGraphicView::addTrueLine(QPointF begin, QPointF end, const QString& colour,
                                        const QString& style, int width, const QString& beginArrow,
                                        const QString& endArrow, int group)
{
    QVariantMap p;
    p.insert(QStringLiteral("beginPoint"), platform::stringFromPoint(begin));
    p.insert(QStringLiteral("endPoint"), platform::stringFromPoint(end));
    p.insert(QStringLiteral("opacity"), QStringLiteral("1.000000"));
    p.insert(QStringLiteral("borderWidth"), double(width));
    p.insert(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.insert(QStringLiteral("groupNumber"), QString::number(group));
    p.insert(QStringLiteral("borderColor"),
             DRVGraphic::archivedColor(DataCentre::colorWithHexString(colour)));
    p.insert(QStringLiteral("borderHexColorString"), colour);
    p.insert(QStringLiteral("borderStyle"), style);
    p.insert(QStringLiteral("drawBeginArrow"), beginArrow);
    p.insert(QStringLiteral("drawEndArrow"), endArrow);
    auto* line = new DRVLine;
    line->initWithProperties(p);
    line->setSelectable(true);
    mutableGraphics().insertGraphics({line}, {0});
    return line;
}

void DRVGraphicView::addLineStyled(const QString& style)
{
    const QPointF origin = calculateOriginPoint();
    const QPointF p(int(origin.x()), int(origin.y()));
    beginUndoStep();
    addTrueLine(p, p + QPointF(200, 200), QStringLiteral("555555"), style, 10, flagText(true),
                flagText(false), -99);
    endUndoStep(QStringLiteral("Add Line"));
}

void DRVGraphicView::addLine()
{
    addLineStyled(QStringLiteral("solid"));
}

void DRVGraphicView::addLineDashed()
{
    addLineStyled(QStringLiteral("dashed"));
}

void DRVGraphicView::addLineDotted()
{
    addLineStyled(QStringLiteral("dotted"));
}

// ---- arrow heads ----

void DRVGraphicView::setArrows(const char* key, bool on)
{
    const QList<DRVLine*> lines = linesIn(selectedGraphics());
    if (lines.isEmpty())
        return;
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVLine* line : lines)
        setValueRecorded(undo, line, key, on);
    endUndoStep(QString());
}

void DRVGraphicView::drawStartArrow()
{
    setArrows("drawBeginArrow", true);
}

void DRVGraphicView::hideStartArrow()
{
    setArrows("drawBeginArrow", false);
}

void DRVGraphicView::drawEndArrow()
{
    setArrows("drawEndArrow", true);
}

void DRVGraphicView::hideEndArrow()
{
    setArrows("drawEndArrow", false);
}

bool DRVGraphicView::showDrawStartArrow() const
{
    const QList<DRVLine*> lines = linesIn(selectedGraphics());
    return std::any_of(lines.begin(), lines.end(), [](const DRVLine* l) { return !l->drawBeginArrow(); });
}

bool DRVGraphicView::showHideStartArrow() const
{
    const QList<DRVLine*> lines = linesIn(selectedGraphics());
    return std::any_of(lines.begin(), lines.end(), [](const DRVLine* l) { return l->drawBeginArrow(); });
}

bool DRVGraphicView::showDrawEndArrow() const
{
    const QList<DRVLine*> lines = linesIn(selectedGraphics());
    return std::any_of(lines.begin(), lines.end(), [](const DRVLine* l) { return !l->drawEndArrow(); });
}

bool DRVGraphicView::showHideEndArrow() const
{
    const QList<DRVLine*> lines = linesIn(selectedGraphics());
    return std::any_of(lines.begin(), lines.end(), [](const DRVLine* l) { return l->drawEndArrow(); });
}

bool DRVGraphicView::arrowOptionsShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return !selected.isEmpty() && int(linesIn(selected).size()) == int(selected.size());
}

// ---- branch generator ----

QRectF DRVGraphicView::generateNewRect(const QRectF& rect)
{
    const int width = int(std::trunc(2 * rect.width()));
    const int height = int(std::trunc(2 * rect.height()));
    return QRectF(int(std::trunc(rect.x() - (width - rect.width()) * 0.5)),
                  int(std::trunc(rect.y() - (height - rect.height()) * 0.5)), width, height);
}

double DRVGraphicView::DegreesToRadians(double degrees)
{
    return degrees * 3.141592653589793 / 180;
}

void DRVGraphicView::multiplyNewShapes()
{
    if (!addBranchShown()) {
        platform::Alert alert;
        alert.title = QStringLiteral("Nothing Selected");
        alert.informativeText = QStringLiteral("Please select a text box or shape to generate branch");
        alert.buttons = {QStringLiteral("OK")};
        alert.style = platform::AlertStyle::Informational;
        platform::showAlert(alert);
        return;
    }
    showMultipleNewShapeWindow();
}

void DRVGraphicView::showMultipleNewShapeWindow()
{
    QuibPopover* popover = openPopover(QSize(220, 300));
    auto* c = new MultiplyViewController(popover);
    m_multipleViewController = c;
    for (int i = 1; i <= 100; ++i)
        c->popupButton()->addItem(QString::number(i));
    c->popupButton()->setCurrentIndex(4);
    for (int i = 1; i <= 15; ++i)
        c->sizePopUpButton()->addItem(QString::number(i / 10.0, 'f', 1));
    c->sizePopUpButton()->setCurrentIndex(6);
    for (int d = 50; d <= 950; d += 50)
        c->distancePopUpButton()->addItem(QString::number(d));
    c->distancePopUpButton()->setCurrentIndex(5);
    c->lineTypePopUpButton()->addItems(
        {QStringLiteral("dashed"), QStringLiteral("dotted"), QStringLiteral("solid")});
    c->degreePopUpButton()->addItems({QStringLiteral("360"), QStringLiteral("270"), QStringLiteral("180"),
                                      QStringLiteral("90"), QStringLiteral("75"), QStringLiteral("60"),
                                      QStringLiteral("45"), QStringLiteral("-45"), QStringLiteral("-90"),
                                      QStringLiteral("-180"), QStringLiteral("-270")});
    connect(c->addButton(), &QPushButton::clicked, this, &DRVGraphicView::addMultipleShapesSelected);
    showPopoverBesideSelection();
}

namespace {

// A plain text box of the branch diagram with the source's fill, text colour and font.
QVariantMap branchBoxProperties(const DRVText* source, const QRectF& frame, double cornerRadius,
                                double opacity)
{
    const QColor fill = source->fillColor();
    const QString fillHex =
        !fill.isValid() || fill.alpha() == 0 ? QStringLiteral("CLEAR0") : DataCentre::asHexString(fill);
    const bool known = QFontDatabase::families().contains(source->fontFamily());
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(frame));
    p.insert(QStringLiteral("textString"), QStringLiteral(" "));
    p.insert(QStringLiteral("link"), QString());
    p.insert(QStringLiteral("groupNumber"), QStringLiteral("-99"));
    p.insert(QStringLiteral("backgroundHexColorString"), fillHex);
    p.insert(QStringLiteral("fillColor"),
             DRVGraphic::archivedColor(fillHex == QLatin1String("CLEAR0")
                                           ? QColor(Qt::transparent)
                                           : DataCentre::colorWithHexString(fillHex)));
    p.insert(QStringLiteral("textHexColorString"), DataCentre::asHexString(source->fontColor()));
    p.insert(QStringLiteral("fontColor"), DataCentre::asHexString(source->fontColor()));
    p.insert(QStringLiteral("fontFamily"), known ? source->fontFamily() : QStringLiteral("Helvetica Neue"));
    p.insert(QStringLiteral("fontSize"), QString::number(known ? source->fontSize() : 15));
    p.insert(QStringLiteral("cornerRadius"), QString::number(cornerRadius, 'f', 6));
    p.insert(QStringLiteral("opacity"), QString::number(opacity, 'f', 6));
    p.insert(QStringLiteral("hoverColorString"), QString());
    p.insert(QStringLiteral("hoverTextColorString"), QString());
    p.insert(QStringLiteral("linkType"), QString());
    p.insert(QStringLiteral("borderStyle"), QStringLiteral("none"));
    p.insert(QStringLiteral("borderWidth"), QStringLiteral("0"));
    p.insert(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.insert(QStringLiteral("textType"), QStringLiteral("Text"));
    return p;
}

} // namespace

void DRVGraphicView::addMultipleShapesSelected()
{
    MultiplyViewController* c = m_multipleViewController;
    if (!c)
        return;
    // The last selected text box is the hub. It is only read: the style the user copied with
    // Copy Style stays what it was.
    DRVText* source = nullptr;
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (auto* text = qobject_cast<DRVText*>(graphic))
            source = text;
    }
    if (!source)
        return;
    const int count = std::clamp(platform::intValue(c->popupButton()->currentText()), 1, 100);
    const float size = platform::floatValue(c->sizePopUpButton()->currentText());
    const float distance = platform::floatValue(c->distancePopUpButton()->currentText());
    const QString style = c->lineTypePopUpButton()->currentText();
    const int degrees = platform::intValue(c->degreePopUpButton()->currentText());
    const QRectF b = source->bounds();
    const QRectF halo = generateNewRect(b);

    beginUndoStep();
    auto insertBox = [this](const QVariantMap& p) {
        auto* box = new DRVText;
        box->initWithProperties(p);
        box->setSelectable(true);
        mutableGraphics().insertGraphics({box}, {0});
    };
    insertBox(branchBoxProperties(source, halo, std::trunc(2 * source->cornerRadius()), 0.5));
    const float step = float(DegreesToRadians(double(degrees / count)));
    const double cx = halo.x() + 0.5 * halo.width();
    const double cy = halo.y() + 0.5 * halo.height();
    const float radius = float(std::max(count / 10, 1)) * distance;
    for (int i = 0; i < count; ++i) {
        const float angle = float(i) * step;
        const int px = int(std::trunc(std::cos(angle) * radius + cx));
        const int py = int(std::trunc(std::sin(angle) * radius + cy));
        addTrueLine(QPointF(cx, cy), QPointF(px, py), QStringLiteral("555555"), style, 10, flagText(false),
                    flagText(false), -99);
        // In single precision, as the size was read: 100 x 0.7 is 70, not 69.
        const int w = int(std::trunc(float(b.width()) * size));
        const int h = int(std::trunc(float(b.height()) * size));
        insertBox(branchBoxProperties(source, QRectF(px - w / 2, py - h / 2, w, h),
                                      std::trunc(source->cornerRadius() * size), 1.0));
    }
    // The hub goes on top of its halo, lines and copies.
    const int index = int(graphics().indexOf(source));
    if (index > 0) {
        changeSelectionIndexes({});
        mutableGraphics().removeGraphicsAtIndexes({index});
        mutableGraphics().insertGraphics({source}, {0});
        changeSelectionIndexes({0});
    }
    endUndoStep(QStringLiteral("Add Branches"));
    if (m_quibPopOver)
        m_quibPopOver->close();
}
