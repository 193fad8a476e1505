// The container of the inspector's panels, laid out from the top down.
#pragma once
#include <QWidget>

class InspectorView : public QWidget
{
    Q_OBJECT
public:
    explicit InspectorView(QWidget* parent = nullptr);

    // Adds view as a child and redraws.
    void addNewViews(QWidget* view);
};
