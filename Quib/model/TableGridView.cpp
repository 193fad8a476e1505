#include "model/TableGridView.h"

TableGridView::TableGridView(const QRectF& frame, QObject* parent) : platform::Observable(parent)
{
    m_frame = frame;
    m_bounds = QRectF(QPointF(0, 0), frame.size());
}
