// A row of exclusive push buttons standing for the platform's segmented control: the inspector reads
// and writes the selected segment by index or by label.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QToolButton;

class SegmentedControl : public QWidget
{
    Q_OBJECT
public:
    explicit SegmentedControl(QWidget* parent = nullptr);

    // Replaces the segments; widths holds one width per segment (missing ones take 60).
    void setSegments(const QStringList& labels, const QList<int>& widths = {});
    int segmentCount() const { return m_buttons.size(); }
    QString labelForSegment(int index) const;
    QToolButton* segmentButton(int index) const;

    // -1 when no segment is selected.
    int selectedIndex() const;
    // Out-of-range values select nothing.
    void setSelectedIndex(int index);
    QString selectedLabel() const;
    // A label that no segment carries selects nothing.
    void setSelectedLabel(const QString& label);

signals:
    // Only for the user's clicks, never for the setters.
    void segmentActivated(int index);

private:
    QButtonGroup* m_group;
    QList<QToolButton*> m_buttons;
};
