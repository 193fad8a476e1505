// The spot chooser: a window-modal sheet showing the label sheet at a third of its print size, one
// button per cell, in which the user picks the cells to print, such as the free spots of a partly
// used sheet. The selection lives in the buttons' titles ("Selected" or "row x column").
#pragma once
#include "editions/PrintSheetGeometry.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <functional>

class DRVWindowController;
class QLabel;
class QWidget;

class FontOrnamentWindowController : public QObject
{
    Q_OBJECT
public:
    // One cell of the sheet; row and column from 0, tag row x columns + column.
    class SpotButton : public QPushButton
    {
    public:
        SpotButton(int row, int column, int tag, QWidget* parent);
        int rowNumber() const { return m_row; }
        int columnNumber() const { return m_column; }
        int tag() const { return m_tag; }
        bool isSelected() const;
        // "%d x %d" of the 1-based row and column.
        QString cellTitle() const;

    private:
        int m_row;
        int m_column;
        int m_tag;
    };

    struct Spot
    {
        int row = 0;
        int column = 0;
        bool operator==(const Spot&) const = default;
    };

    // What "Print Preview" runs with the chosen spots; sheet composition installs it.
    using SpotPrinter = std::function<void(DRVWindowController* window, const QList<Spot>& spots)>;
    static void setSpotPrinter(SpotPrinter printer);
    static const SpotPrinter& spotPrinter();

    static constexpr double kPrintPixelFactor = 144.0;
    static constexpr const char* kSelectedTitle = "Selected";
    static QString instructionText();
    // The sheet is shown at 1 / (print scale x 1.5), truncated: 3 at the usual scale of 2.
    static int scaleDivisor(float printScaleFactor);

    // Builds the sheet's window on parentWindow with a button per cell of geometry, all unselected.
    FontOrnamentWindowController(const PrintSheetGeometry& geometry, float printScaleFactor,
                                 QWidget* parentWindow);
    ~FontOrnamentWindowController() override;

    QDialog* window() const { return m_window; }
    QWidget* mainView() const { return m_mainView; }
    QWidget* spotView() const { return m_spotView; }
    QLabel* instructionLabel() const { return m_instructionLabel; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* printButton() const { return m_printButton; }
    const QList<SpotButton*>& buttonArray() const { return m_buttonArray; }

    // Toggles one spot between "Selected" and its cell title.
    void markLabelAsSelected(SpotButton* button);
    // The spots titled "Selected", row by row.
    QList<Spot> selectedSpots() const;

    // Shows the window as a sheet on its parent; endSheet closes it with return code 1.
    void beginSheet();
    void endSheet();

signals:
    void cancelRequested();
    void printRequested();

private:
    QPointer<QDialog> m_window;
    QWidget* m_mainView = nullptr;
    QWidget* m_spotView = nullptr;
    QLabel* m_instructionLabel = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QList<SpotButton*> m_buttonArray;
};
