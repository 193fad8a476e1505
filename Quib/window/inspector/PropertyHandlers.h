// What the inspector's controls do beyond their bindings, on the window's selection in selection
// order: text boxes rebuild their styled text, tables pass values on to their cells, companion fields
// show their slider's value, and the few rules a bound value alone does not carry (a border style
// gives a width, the detailed shadow replaces the simple one, rotation redraws once the dial rests,
// graphics align in their section cells).
#pragma once
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <optional>

class DRVGraphic;
class DRVTable;
class DRVWindowController;
class InspectorPanel;

class PropertyHandlers : public QObject
{
    Q_OBJECT
public:
    // How long the rotation dial must rest before the rotation is applied.
    static constexpr int kRotationDelayMs = 100;
    static constexpr int kMinFontSize = 5;
    static constexpr int kMaxFontSize = 295;

    PropertyHandlers(DRVWindowController* owner, InspectorPanel* panel);
    // Points every control's action at its handler.
    void connectActions();

    void updateShadow();
    void updateOpacity();
    void updateTextAlignment();
    void updateFontFamily();
    // segment: the chosen border style ("none" is 3).
    void updateBorder(int segment);
    void updateReflection();
    void updateLineSpacing();
    void updateDetailedShadow();
    void updateRotation();
    void proceedToUpdateRotation();
    // The "Apply Rotation" box: turned off, every selected graphic loses its rotation.
    void resetRotation(bool applyRotation);
    // text: what the font size field holds.
    void updateTextViewFontSize(const QString& text);
    void updateFontSize();
    int grabFirstSelectedFontSize() const;
    bool differentFontSizeSelected() const;
    // Places each selected text box, image and table in its section cell by the alignment.
    void updateResponsiveAlignment(int alignment);
    void updateSectionPadding(int alignment) { updateResponsiveAlignment(alignment); }
    void refocusResponsiveAlignment(DRVGraphic* section);
    // The link and tooltip fields: editing and committed colours.
    void controlTextDidChange(QObject* field);
    void resignHyperLink();
    void resignAltText();

    // The x a graphic of bounds takes in a section cell for an alignment (0 left, 1 centre, 2 right);
    // nothing when there is no cell or the alignment is none of these.
    static std::optional<double> alignedX(const QRectF& bounds, const QRectF& cell, int alignment);

private:
    QList<DRVGraphic*> selection() const;
    // Text boxes rebuild their styled text; tables pass the value on to their cells.
    void restyle(void (DRVTable::*passOn)()) const;
    // Redraws a graphic whose change the canvas does not see.
    void nudge(DRVGraphic* graphic) const;
    void place(DRVGraphic* graphic, int alignment) const;
    template <class T = QWidget> T* control(const char* name) const;

    DRVWindowController* m_owner;
    InspectorPanel* m_panel;
};
