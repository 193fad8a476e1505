#include "model/OuterSlideShow.h"

OuterSlideShow::OuterSlideShow(const QRectF& frame, QObject* parent) : platform::Observable(parent)
{
    m_frame = frame;
    m_arrowWidth = 40;
    m_arrowHeight = 50;
    m_previousButtonFrame = QRectF(0, frame.height() / 2, m_arrowWidth, m_arrowHeight);
}
