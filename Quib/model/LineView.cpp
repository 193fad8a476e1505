#include "model/LineView.h"

LineView::LineView(QObject* parent) : platform::Observable(parent)
{
    m_alphaValue = 1.0;
}
