// The caption and link of one gallery picture, edited in a popover beside the gallery.
#pragma once
#include <QObject>

class QLineEdit;
class QPushButton;
class QuibPopover;

class GalleryGridCaptionViewController : public QObject
{
    Q_OBJECT
public:
    // Builds the two fields into popover, which owns the controller.
    explicit GalleryGridCaptionViewController(QuibPopover* popover);

    QPushButton* saveButton() const { return m_saveButton; }
    QLineEdit* captionTextField() const { return m_captionTextField; }
    QLineEdit* linkTextField() const { return m_linkTextField; }

    static constexpr int kWidth = 591;
    static constexpr int kHeight = 122;

private:
    QPushButton* m_saveButton;
    QLineEdit* m_captionTextField;
    QLineEdit* m_linkTextField;
};
