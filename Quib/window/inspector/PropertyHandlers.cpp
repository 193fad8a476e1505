#include "window/inspector/PropertyHandlers.h"

#include "canvas/DRVGraphicView.h"
#include "editions/EditionSelection.h"
#include "model/DRVImage.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/Threads.h"
#include "window/DRVWindowController.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>

namespace {

int sliderWhole(const QAbstractSlider* slider)
{
    if (!slider)
        return 0;
    const double scale = slider->property("quibScale").toDouble();
    return int(slider->value() / (scale > 0 ? scale : 1.0));
}

double sliderValue(const QAbstractSlider* slider)
{
    if (!slider)
        return 0;
    const double scale = slider->property("quibScale").toDouble();
    return slider->value() / (scale > 0 ? scale : 1.0);
}

} // namespace

PropertyHandlers::PropertyHandlers(DRVWindowController* owner, InspectorPanel* panel)
    : QObject(panel), m_owner(owner), m_panel(panel)
{
}

template <class T> T* PropertyHandlers::control(const char* name) const
{
    return m_panel->control<T>(QString::fromLatin1(name));
}

QList<DRVGraphic*> PropertyHandlers::selection() const
{
    return m_owner && m_owner->graphicView() ? m_owner->graphicView()->selectedGraphics()
                                             : QList<DRVGraphic*>();
}

void PropertyHandlers::nudge(DRVGraphic* graphic) const
{
    if (m_owner && m_owner->graphicView())
        m_owner->graphicView()->setNeedsDisplayInRect(graphic->drawingBounds());
}

void PropertyHandlers::connectActions()
{
    InspectorPanel& p = *m_panel;
    p.setAction("shadowSegmentedControl", [this] { updateShadow(); });
    p.setAction("opacitySlider", [this] { updateOpacity(); });
    p.setAction("opacityTextField", [this] { updateOpacity(); });
    p.setAction("textAlignmentSegmentedControl", [this] { updateTextAlignment(); });
    p.setAction("verticalAlignmentSegmentedControl", [this] { updateTextAlignment(); });
    p.setAction("fontPopupButton", [this] { updateFontFamily(); });
    for (const char* name : {"borderSegmentedControl", "lineSegmentedControl"}) {
        p.setAction(name, [this, name] {
            if (auto* segments = control<SegmentedControl>(name))
                updateBorder(segments->selectedIndex());
        });
    }
    p.setAction("reflectionSizeSlider", [this] { updateReflection(); });
    p.setAction("lineSpacingSlider", [this] { updateLineSpacing(); });
    for (const char* name :
         {"shadowBlurSlider", "shadowHorizontalOffsetSlider", "shadowVerticalOffsetSlider"})
        p.setAction(name, [this] { updateDetailedShadow(); });
    p.setAction("rotationSlider", [this] { updateRotation(); });
    // The box's binding shows whether an angle is set; the click itself says what the user chose.
    if (auto* box = control<QCheckBox>("rotationApplyCheckmark"))
        connect(box, &QCheckBox::clicked, this, [this](bool on) { resetRotation(on); });
    p.setAction("fontSizeTextbox", [this] {
        if (auto* field = control<QLineEdit>("fontSizeTextbox"))
            updateTextViewFontSize(field->text());
    });
    p.setAction("fontSizeStepper", [this] { updateFontSize(); });
    auto alignment = [this] {
        auto* segments = control<SegmentedControl>("responsiveAlignmentControl");
        return segments ? segments->selectedIndex() : -1;
    };
    p.setAction("responsiveAlignmentControl", [this, alignment] { updateResponsiveAlignment(alignment()); });
    for (const char* name : {"topPaddingTextField", "topMarginTextField"})
        p.setAction(name, [this, alignment] { updateSectionPadding(alignment()); });
    for (const char* name : {"hyperLinkTextField", "altTextField"}) {
        if (auto* field = control<QLineEdit>(name)) {
            connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
            connect(field, &QLineEdit::returnPressed, this, [this, field] {
                if (field->objectName() == QLatin1String("hyperLinkTextField"))
                    resignHyperLink();
                else
                    resignAltText();
            });
        }
    }
}

void PropertyHandlers::updateShadow()
{
    restyle(&DRVTable::updateShadow);
}

void PropertyHandlers::updateOpacity()
{
    restyle(&DRVTable::updateOpacity);
}

void PropertyHandlers::updateTextAlignment()
{
    restyle(&DRVTable::updateTextAlignment);
}

void PropertyHandlers::restyle(void (DRVTable::*passOn)()) const
{
    for (DRVGraphic* graphic : selection()) {
        if (auto* text = qobject_cast<DRVText*>(graphic))
            text->refreshStyle();
        else if (auto* table = qobject_cast<DRVTable*>(graphic))
            (table->*passOn)();
    }
}

void PropertyHandlers::updateFontFamily()
{
    auto* popup = control<QComboBox>("fontPopupButton");
    if (!popup || popup->currentIndex() < 0)
        return;
    const QString family = popup->currentText();
    for (DRVGraphic* graphic : selection()) {
        if (auto* text = qobject_cast<DRVText*>(graphic)) {
            text->setFontFamily(family);
            text->refreshStyle();
        } else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            table->setFontFamily(family);
            table->updateFontFamily();
        }
    }
}

void PropertyHandlers::updateBorder(int segment)
{
    for (DRVGraphic* graphic : selection()) {
        if (segment == 3)
            graphic->setBorderWidth(0);
        else if (graphic->borderWidth() == 0)
            graphic->setBorderWidth(2);
    }
}

void PropertyHandlers::updateReflection()
{
    for (DRVGraphic* graphic : selection()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic))
            image->applyReflection();
    }
}

void PropertyHandlers::updateLineSpacing()
{
    const double spacing = sliderValue(control<QAbstractSlider>("lineSpacingSlider"));
    if (auto* field = control<QLineEdit>("lineSpacingTextField"))
        field->setText(spacing > 0 ? QString::number(spacing, 'f', 2)
                                   : editions::localized({QStringLiteral("Default")}).value(0));
    restyle(&DRVTable::updateLineSpacing);
}

void PropertyHandlers::updateDetailedShadow()
{
    auto* blur = control<QAbstractSlider>("shadowBlurSlider");
    auto* horizontal = control<QAbstractSlider>("shadowHorizontalOffsetSlider");
    auto* vertical = control<QAbstractSlider>("shadowVerticalOffsetSlider");
    const std::pair<const char*, QAbstractSlider*> fields[] = {
        {"shadowBlurTextField", blur},
        {"shadowHorizontalOffsetTextField", horizontal},
        {"shadowVerticalOffsetTextField", vertical}};
    for (const auto& [name, slider] : fields) {
        if (auto* field = control<QLineEdit>(name))
            field->setText(QString::number(sliderWhole(slider)));
    }
    for (DRVGraphic* graphic : selection()) {
        if (!qobject_cast<DRVImage*>(graphic) && !qobject_cast<DRVText*>(graphic))
            continue;
        // Editing the detailed shadow replaces the simple one.
        graphic->setShadowFlag(0);
        graphic->setShadowRadius(float(sliderValue(blur)));
        graphic->setShadowHorizontalOffset(float(sliderValue(horizontal)));
        graphic->setShadowVerticalOffset(float(sliderValue(vertical)));
        nudge(graphic);
    }
}

void PropertyHandlers::updateRotation()
{
    if (auto* field = control<QLineEdit>("rotationAngleTextField"))
        field->setText(QString::number(sliderWhole(control<QAbstractSlider>("rotationSlider"))));
    platform::DelayedPerform::schedule(this, QStringLiteral("proceedToUpdateRotation"), kRotationDelayMs,
                                       [this] { proceedToUpdateRotation(); });
}

void PropertyHandlers::proceedToUpdateRotation()
{
    const int angle = sliderWhole(control<QAbstractSlider>("rotationSlider"));
    for (DRVGraphic* graphic : selection()) {
        if (!qobject_cast<DRVImage*>(graphic) && !qobject_cast<DRVText*>(graphic))
            continue;
        nudge(graphic);
        graphic->setRotationAngle(float(angle));
        nudge(graphic);
    }
}

void PropertyHandlers::resetRotation(bool applyRotation)
{
    if (applyRotation)
        return;
    for (DRVGraphic* graphic : selection()) {
        nudge(graphic);
        graphic->setRotationAngle(0);
        nudge(graphic);
    }
}

void PropertyHandlers::updateTextViewFontSize(const QString& text)
{
    bool number = false;
    const int typed = text.trimmed().toInt(&number);
    if (!number) {
        // Not a size: the field shows the selection's size again and nothing is written.
        if (auto* field = control<QLineEdit>("fontSizeTextbox"))
            field->setText(grabFirstSelectedFontSize() > 0 ? QString::number(grabFirstSelectedFontSize())
                                                           : QString());
        return;
    }
    const int size = std::clamp(typed, kMinFontSize, kMaxFontSize);
    if (size != typed) {
        if (auto* field = control<QLineEdit>("fontSizeTextbox"))
            field->setText(QString::number(size));
    }
    for (DRVGraphic* graphic : selection()) {
        if (auto* textBox = qobject_cast<DRVText*>(graphic)) {
            textBox->setFontSize(size);
            textBox->refreshStyle();
        } else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            table->setFontSize(size);
            table->updateFontSize();
        }
    }
}

void PropertyHandlers::updateFontSize()
{
    auto* popup = control<QComboBox>("fontPopupButton");
    for (DRVGraphic* graphic : selection()) {
        if (auto* text = qobject_cast<DRVText*>(graphic)) {
            text->refreshStyle();
        } else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            if (popup && popup->currentIndex() >= 0)
                table->setFontFamily(popup->currentText());
            table->updateFontSize();
        }
    }
}

int PropertyHandlers::grabFirstSelectedFontSize() const
{
    const QList<DRVGraphic*> selected = selection();
    if (selected.isEmpty())
        return 0;
    DRVGraphic* first = selected.first();
    return qobject_cast<DRVText*>(first) || qobject_cast<DRVTable*>(first) ? first->fontSize() : 0;
}

bool PropertyHandlers::differentFontSizeSelected() const
{
    const QList<DRVGraphic*> selected = selection();
    if (selected.size() <= 1)
        return false;
    const int first = grabFirstSelectedFontSize();
    for (DRVGraphic* graphic : selected) {
        if ((qobject_cast<DRVText*>(graphic) || qobject_cast<DRVTable*>(graphic)) &&
            graphic->fontSize() != first)
            return true;
    }
    return false;
}

std::optional<double> PropertyHandlers::alignedX(const QRectF& bounds, const QRectF& cell, int alignment)
{
    // A graphic outside every section cell stays where it is.
    if (cell.isEmpty())
        return std::nullopt;
    auto whole = [](double v) { return static_cast<long long>(v); };
    const double x = bounds.x();
    const double w = bounds.width();
    const double cx = cell.x();
    const double cw = cell.width();
    switch (alignment) {
    case 0:
        return cx;
    case 1:
        return x + double(whole(cx) - whole(x) + (whole(cx + cw) - whole(cx)) / 2 -
                          (whole(x + w) - whole(x)) / 2);
    case 2:
        return double(whole(cx + cw)) - w;
    default:
        return std::nullopt;
    }
}

void PropertyHandlers::place(DRVGraphic* graphic, int alignment) const
{
    if (!m_owner)
        return;
    QRectF bounds = graphic->bounds();
    const QRectF cell = m_owner->grabOverLappingSectionCell(bounds.topLeft());
    if (const std::optional<double> x = alignedX(bounds, cell, alignment)) {
        bounds.moveLeft(*x);
        graphic->setBounds(bounds);
    }
}

void PropertyHandlers::updateResponsiveAlignment(int alignment)
{
    for (DRVGraphic* graphic : selection()) {
        if (qobject_cast<DRVText*>(graphic) || qobject_cast<DRVImage*>(graphic) ||
            qobject_cast<DRVTable*>(graphic))
            place(graphic, alignment);
    }
}

void PropertyHandlers::refocusResponsiveAlignment(DRVGraphic* section)
{
    if (!m_owner || !section)
        return;
    for (DRVGraphic* graphic : m_owner->findObjectsInSection(section)) {
        if (auto* text = qobject_cast<DRVText*>(graphic)) {
            // Form fields keep their place.
            if (text->formOptionTag() == -99 && text->formTag() == -99)
                place(graphic, graphic->responsiveAlignment());
        } else if (qobject_cast<DRVImage*>(graphic) || qobject_cast<DRVTable*>(graphic)) {
            place(graphic, graphic->responsiveAlignment());
        }
    }
}

void PropertyHandlers::controlTextDidChange(QObject* field)
{
    if (auto* link = control<QLineEdit>("hyperLinkTextField"))
        link->setStyleSheet(QStringLiteral("color: #0000FF;"));
    if (auto* alt = control<QLineEdit>("altTextField"))
        alt->setStyleSheet(QStringLiteral("color: #000000;"));
    Q_UNUSED(field);
}

void PropertyHandlers::resignHyperLink()
{
    if (auto* link = control<QLineEdit>("hyperLinkTextField")) {
        link->clearFocus();
        link->setStyleSheet(QStringLiteral("color: #008000;"));
    }
}

void PropertyHandlers::resignAltText()
{
    if (auto* alt = control<QLineEdit>("altTextField")) {
        alt->clearFocus();
        alt->setStyleSheet(QStringLiteral("color: #008000;"));
    }
}
