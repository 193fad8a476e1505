// One column tile of the section grid editor: a gold block with a numbered button, drawn at half
// the width of its column, carrying the column's spans for the four screen classes.
#pragma once
#include <QPointer>
#include <QWidget>

class QPushButton;

class SectionView : public QWidget
{
    Q_OBJECT
public:
    explicit SectionView(const QRect& frame, QWidget* parent = nullptr);

    QPushButton* button() const { return m_button; }
    // Replaces the tile's button (the old one is deleted).
    void setButton(QPushButton* button);

    // The tile's width in the editor; the column it stands for is twice as wide.
    int tileWidth() const { return m_tileWidth; }
    void setTileWidth(int width) { m_tileWidth = width; }

    int xsGridColumns = 0;
    int smallGridColumns = 0;
    int mediumGridColumns = 0;
    int largeGridColumns = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QPushButton> m_button;
    int m_tileWidth = 0;
};
