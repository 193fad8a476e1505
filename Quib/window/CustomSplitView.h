// A split view framed by a thin black outline (the section editor's columns).
#pragma once
#include <QSplitter>

class CustomSplitView : public QSplitter
{
    Q_OBJECT
public:
    explicit CustomSplitView(QWidget* parent = nullptr);
    explicit CustomSplitView(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
