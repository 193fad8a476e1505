// One page tile of the page list: the page's thumbnail, drawn with a green border while the page
// is open in the window. Tiles are views made from the project's page records at each layout; the
// record stays with the controller. Views placed inside a tile never take its clicks.
#pragma once
#include "window/PageRecord.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>

class QLabel;

class QuibNSButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit QuibNSButton(QWidget* parent = nullptr);

    const PageRecord& record() const { return m_record; }
    void setRecord(const PageRecord& record) { m_record = record; }
    QString pageName() const { return m_record.pageName; }
    QString documentName() const { return m_record.documentName; }

    // Index of the tile's page in the controller's page records.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool borderFlag() const { return m_borderFlag; }
    void setBorderFlag(bool border);
    // While set, a press only marks the tile; the next drawing clears it.
    bool editModeFlag() const { return m_editModeFlag; }
    void setEditModeFlag(bool editMode) { m_editModeFlag = editMode; }
    // Fill of a colour swatch tile; invalid for page tiles.
    QColor buttonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor& color);
    QImage image() const { return m_image; }
    void setImage(const QImage& image);

    QLabel* pageNameLabel() const { return m_pageNameLabel; }
    void setPageNameLabel(QLabel* label) { m_pageNameLabel = label; }
    QLabel* pageTitleLabel() const { return m_pageTitleLabel; }
    void setPageTitleLabel(QLabel* label) { m_pageTitleLabel = label; }
    QLabel* fileTimeLabel() const { return m_fileTimeLabel; }
    void setFileTimeLabel(QLabel* label) { m_fileTimeLabel = label; }

    // Shows text in one of the tile's captions, cut on the right with "…" to the label's width, the
    // whole text then its tooltip: a narrow column must not clip both ends of a centred caption.
    static void setCaption(QLabel* label, const QString& text);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    PageRecord m_record;
    int m_tag = -1;
    bool m_borderFlag = false;
    bool m_editModeFlag = false;
    QColor m_buttonColor;
    QImage m_image;
    QLabel* m_pageNameLabel = nullptr;
    QLabel* m_pageTitleLabel = nullptr;
    QLabel* m_fileTimeLabel = nullptr;
};
