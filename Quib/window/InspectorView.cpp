#include "window/InspectorView.h"

InspectorView::InspectorView(QWidget* parent) : QWidget(parent) {}

void InspectorView::addNewViews(QWidget* view)
{
    if (!view)
        return;
    view->setParent(this);
    view->show();
    update();
}
