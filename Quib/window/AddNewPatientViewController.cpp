#include "window/AddNewPatientViewController.h"

#include <QFrame>

namespace {

QFrame* makeView()
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("AddNewPatientViewController"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

AddNewPatientViewController::AddNewPatientViewController(QObject* parent)
    : ProfileFormController(ProfileBlocks::Kind::Pet, makeView(), parent)
{
}
