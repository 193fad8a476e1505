#include "model/TransformView.h"

TransformView::TransformView(const QRectF& frame, QObject* parent) : platform::Observable(parent)
{
    m_frame = frame;
}
