// The slideshow editing view: a horizontally scrolling strip of slides with previous and next
// buttons, a caption and a menu to add, delete, replace and link pictures and to switch automatic
// play. Imported pictures are written into the owning document's page folder.
#pragma once
#include "model/TransformView.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QString>
#include <functional>

class OuterSlideShow;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class SlideShow : public QScrollArea
{
    Q_OBJECT
public:
    // documentFolder is the owning document's page folder, where imported pictures are written.
    explicit SlideShow(const QRect& frame, const QString& documentFolder = {}, QWidget* parent = nullptr);
    ~SlideShow() override;

    QList<TransformView*> imageArray() const { return m_imageArray; }
    int slideNumber() const { return m_slideNumber; }
    void setSlideNumber(int number) { m_slideNumber = number; }
    int totalNumofSlides() const { return int(m_imageArray.size()); }
    QRect slideshowSize() const { return m_slideshowSize; }
    int arrowWidth() const { return m_arrowWidth; }
    int arrowHeight() const { return m_arrowHeight; }
    QLabel* textView() const { return m_textView; }
    QMenu* slideshowMenu() const { return m_slideshowMenu; }
    QPushButton* nextButton() const { return m_nextButton; }
    QPushButton* previousButton() const { return m_previousButton; }
    // The link dialog; null until first used.
    QDialog* hyperLinkWindow() const { return m_hyperLinkWindow; }
    QLineEdit* linkTextbox() const { return m_linkTextbox; }

    QString documentFolder() const { return m_documentFolder; }
    void setDocumentFolder(const QString& folder) { m_documentFolder = folder; }
    // The carrier whose slideShowAutomaticFlag "Set Automatic" switches.
    void setCarrier(OuterSlideShow* carrier);
    // Where new picture names come from; the page context's next image name by default.
    void setNextImageNameProvider(std::function<QString()> provider);

    void adjustTextView();
    void adjustButtons();
    void showNext();
    void showPrevious();
    void moveSlide(bool forward);
    // Rebuilds the menu and lays the slides out side by side, one view width apart.
    void reAlignImageSize();
    // Open panels; files that are not readable pictures are skipped.
    void addNewSlide();
    void replaceCurrentSlide();
    void deleteCurrentSlide();
    void linkCurrentSlide();
    void saveSlideLink();
    void switchSlideshowAsAutomatic();
    TransformView* grabSlide(int number) const;

    // A slide of the picture, its file written into the document folder as <name>o.<type> (scaled
    // down to the "DovrelMaxImageSize" default). type is "PNG" or "JPG". nullptr, with nothing
    // written, when the file cannot be written; an existing file is replaced only once the new one
    // is complete.
    TransformView* createNewSlideshowImage(const QImage& image, const QString& type);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QStringList chooseFiles();
    QString nextImageName() const;
    TransformView* slideFromFile(const QString& path);
    void setButtonTitle(QPushButton* button, const QString& title, const QColor& color);

    QList<TransformView*> m_imageArray;
    int m_slideNumber = 0;
    QRect m_slideshowSize;
    QString m_documentFolder;
    QWidget* m_contentView = nullptr;
    QLabel* m_textView = nullptr;
    QMenu* m_slideshowMenu = nullptr;
    QDialog* m_hyperLinkWindow = nullptr;
    QLineEdit* m_linkTextbox = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_previousButton = nullptr;
    int m_arrowWidth = 40;
    int m_arrowHeight = 50;
    QPointer<OuterSlideShow> m_carrier;
    std::function<QString()> m_nextImageNameProvider;
};
