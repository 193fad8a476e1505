// The crop sheet of an image graphic: the picture with a rectangle the user drags out over it, or
// types in pixels, and a Crop button. The canvas puts the part kept back as the graphic's picture.
#pragma once
#include <QDialog>
#include <QImage>

class QSpinBox;
class CropArea;

class CropImageDialog : public QDialog
{
    Q_OBJECT
public:
    CropImageDialog(const QImage& picture, QWidget* parent);

    // The part of the picture kept, in its pixels; always inside the picture and at least 1 x 1.
    QRect selection() const { return m_selection; }
    void setSelection(const QRect& rect);
    // The picture cut to the selection.
    QImage croppedPicture() const;
    // The area the picture is shown in, for mouse gestures.
    QWidget* pictureArea() const;

private:
    void showSelection();

    QImage m_picture;
    QRect m_selection;
    CropArea* m_area = nullptr;
    QSpinBox* m_x = nullptr;
    QSpinBox* m_y = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};
