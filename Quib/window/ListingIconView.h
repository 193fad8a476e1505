// The cell of one page in the page list: the tile with its captions under it, and the drag that
// reorders pages (in the editions with the sidebar inspector) when the tile is pulled away.
#pragma once
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QDrag;
class QuibNSButton;

class ListingIconView : public QWidget
{
    Q_OBJECT
public:
    explicit ListingIconView(QWidget* parent = nullptr);

    QuibNSButton* quibButton() const { return m_quibButton; }
    // The tile becomes a child of this view.
    void setQuibButton(QuibNSButton* button);
    QAbstractButton* checkBox() const { return m_checkBox; }
    void setCheckBox(QAbstractButton* checkBox) { m_checkBox = checkBox; }

    // Starts the reorder drag of the tile from position (in this view); false where the edition
    // does not reorder by dragging or there is no tile.
    bool mouseDragged(QPoint position);
    // Runs a drag; tests replace it to look at the drag instead of running it.
    static std::function<void(QDrag*)>& dragRunner();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QuibNSButton> m_quibButton;
    QPointer<QAbstractButton> m_checkBox;
    QPoint m_pressPosition;
    bool m_pressed = false;
};
