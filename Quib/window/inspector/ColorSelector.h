// The inspector's colours for one window: the six colour buttons' faces, the palette popover that a
// button opens, and what a picked swatch colours: the selected graphics' text, fill, hover, hover text
// or border, or the page. Each window keeps its own colour target.
#pragma once
#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DRVGraphic;
class DRVWindowController;
class FlippedNSView;
class FormatIconView;
class InspectorPanel;
#include "window/Popover.h"
class QPushButton;

class ColorSelector : public QObject
{
    Q_OBJECT
public:
    // The colour targets, in the codes the pop-up and the pick table use.
    enum Target { Shape = 0, Text = 1, HoverBackground = 2, HoverText = 3, Canvas = 4, Border = 5 };
    static constexpr int kSwatchesPerRow = 20;
    static constexpr int kSwatchSize = 20;

    ColorSelector(DRVWindowController* owner, InspectorPanel* panel);

    int typeOfColorFlag() const { return m_typeOfColorFlag; }
    void setTypeOfColorFlag(int code) { m_typeOfColorFlag = code; }

    // The button's name ("selectedTextColorButton", ...) for a target, and the target of a name.
    static QString buttonNameForTarget(int code);
    static int targetForButtonName(const QString& name);

    // Colour with each component inverted, alpha kept.
    static QColor returnInvertedColor(const QColor& color);
    // The title a button shows for a colour, and in which colour: the hex code in the inverse, or
    // "Clear" in black for a clear colour.
    static QString titleForColor(const QColor& color);
    static QColor titleColorForColor(const QColor& color);
    // A 200 x 30 face: the colour stroked in black 2 wide, or the clear checkerboard, titled.
    static QImage buttonFace(const QColor& color);
    // Shows the colour on the button (face, title) and makes it open the palette.
    QPushButton* createColorButton(const QColor& color, QPushButton* button);
    // The face and title alone, at the button's present size.
    static void showColorOnButton(const QColor& color, QPushButton* button);

    // The tabbed panel's colour captions in view, each with its button under it; the hover pair only
    // in editions with colour view swatches.
    void refreshColorLabels(QWidget* view);

    // The palette grid for the edition's palette: ceil(n / 20) rows of 20 swatches; the clear
    // swatch is disabled when disableClear; the swatch of currentHex is marked.
    FlippedNSView* createColorSelectorPanel(bool disableClear, const QString& currentHex);
    // The action of every colour button: targets its colour and opens the palette beside it.
    void showColorSelectorPopOver(QPushButton* sender);
    // The action of every swatch.
    void pickedAColor(QPushButton* swatch);
    void resetAllColorButtons();

    // Colours one graphic for a target by a palette entry ("CLEAR0" is clear; black for text).
    static void applyColorToGraphic(DRVGraphic* graphic, int code, const QString& hex);

    // The Format tab's tile holding the button (nullptr: the current target's), if shown.
    FormatIconView* grabFormatIconView(QPushButton* button) const;
    // The current target's shown tile, with its button showing color.
    FormatIconView* grabFormatIconViewFromColorType(const QColor& color);

    Popover* popover() const { return m_popover; }
    // The window's one popover for small pickers (made on first need).
    Popover* sharedPopover();
    QList<QPushButton*> swatches() const;
    FlippedNSView* colorPanelSelectorView() const { return m_grid; }

private:
    QPushButton* ownerButton(int code) const;

    DRVWindowController* m_owner;
    InspectorPanel* m_panel;
    int m_typeOfColorFlag = Shape;
    QPointer<Popover> m_popover;
    QPointer<FlippedNSView> m_grid;
    QList<QPointer<QPushButton>> m_swatches;
};
