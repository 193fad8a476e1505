// The photo of a human record: takes an image dropped on it (picture data or a local picture
// file) or pasted into it, shows it scaled, and clears on Delete.
#pragma once
#include <QImage>
#include <QLabel>

class QMimeData;

class ProfilePhotoWell : public QLabel
{
    Q_OBJECT
public:
    explicit ProfilePhotoWell(QWidget* parent = nullptr);

    QImage image() const { return m_image; }
    void setImage(const QImage& image);
    // The picture of the data, or a null image; files are read only when local and of sane size.
    static QImage imageFromMimeData(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage m_image;
};
