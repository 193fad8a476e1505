#include "canvas/GalleryGridCaptionViewController.h"

#include "canvas/QuibPopover.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

GalleryGridCaptionViewController::GalleryGridCaptionViewController(QuibPopover* popover)
    : QObject(popover), m_saveButton(popover->saveButton())
{
    setObjectName(QStringLiteral("GalleryGridCaptionViewController"));
    m_captionTextField = new QLineEdit(popover);
    m_captionTextField->setObjectName(QStringLiteral("captionTextField"));
    m_captionTextField->setPlaceholderText(QStringLiteral("Caption shown with the picture"));
    m_linkTextField = new QLineEdit(popover);
    m_linkTextField->setObjectName(QStringLiteral("linkTextField"));
    m_linkTextField->setPlaceholderText(QStringLiteral("https://"));
    popover->form()->addRow(QStringLiteral("Caption:"), m_captionTextField);
    popover->form()->addRow(QStringLiteral("Link:"), m_linkTextField);
}
