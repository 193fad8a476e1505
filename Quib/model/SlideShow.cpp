#include "model/SlideShow.h"

#include "editions/DataCentre.h"
#include "model/DRVSlideshow.h"
#include "model/OriginalImageFile.h"
#include "model/OuterSlideShow.h"
#include "model/PageContext.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QStringList kPictureExtensions = {QStringLiteral("jpg"),  QStringLiteral("JPG"),
                                        QStringLiteral("png"),  QStringLiteral("PNG"),
                                        QStringLiteral("jpeg"), QStringLiteral("JPEG")};

int imageNumber(const QString& name)
{
    return platform::intValue(platform::substringFromIndex(name, 5));
}

} // namespace

SlideShow::SlideShow(const QRect& frame, const QString& documentFolder, QWidget* parent)
    : QScrollArea(parent), m_slideshowSize(frame), m_documentFolder(documentFolder)
{
    setGeometry(frame);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);

    const int w = frame.width(), h = frame.height();
    m_nextButton = new QPushButton(this);
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setGeometry(w - m_arrowWidth, h / 2, m_arrowWidth, m_arrowHeight);
    m_previousButton = new QPushButton(this);
    m_previousButton->setObjectName(QStringLiteral("previousButton"));
    m_previousButton->setGeometry(0, h / 2, m_arrowWidth, m_arrowHeight);
    for (QPushButton* button : {m_nextButton, m_previousButton}) {
        button->setFlat(true);
        button->setAutoFillBackground(true);
        button->setStyleSheet(
            QStringLiteral("QPushButton { background-color: rgba(0, 0, 0, 153); border: none; }"));
    }
    setButtonTitle(m_nextButton, QStringLiteral(">"), Qt::white);
    setButtonTitle(m_previousButton, QStringLiteral("<"), Qt::white);
    connect(m_nextButton, &QPushButton::clicked, this, &SlideShow::showNext);
    connect(m_previousButton, &QPushButton::clicked, this, &SlideShow::showPrevious);

    m_contentView = new QWidget;
    m_contentView->setObjectName(QStringLiteral("contentView"));
    m_contentView->resize(w, h);
    setWidget(m_contentView);

    m_slideshowMenu = new QMenu(QStringLiteral("Menu"), this);
    adjustButtons();
    reAlignImageSize();

    m_textView = new QLabel(this);
    m_textView->setObjectName(QStringLiteral("textView"));
    m_textView->setGeometry(0, 0, w, 30);
    m_textView->setAlignment(Qt::AlignCenter);
    m_textView->setFont(QFont(QStringLiteral("Heiti TC"), 15));
    m_textView->setStyleSheet(
        QStringLiteral("QLabel { background-color: rgba(0, 0, 0, 128); color: white; }"));
    m_textView->setTextInteractionFlags(Qt::NoTextInteraction);
    adjustTextView();
    m_nextButton->raise();
    m_previousButton->raise();
}

SlideShow::~SlideShow() = default;

void SlideShow::setCarrier(OuterSlideShow* carrier)
{
    m_carrier = carrier;
}

void SlideShow::setNextImageNameProvider(std::function<QString()> provider)
{
    m_nextImageNameProvider = std::move(provider);
}

void SlideShow::setButtonTitle(QPushButton* button, const QString& title, const QColor& color)
{
    button->setText(title);
    button->setFont(QFont(QStringLiteral("Helvetica Neue"), 40));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
    button->setStyleSheet(
        button->styleSheet() +
        QStringLiteral(" QPushButton { color: %1; text-align: center; }").arg(color.name()));
}

void SlideShow::adjustTextView()
{
    if (!m_textView)
        return;
    const int count = totalNumofSlides();
    m_textView->setText(platform::format(QStringLiteral("Right click to edit slideshow (%d/%d)"),
                                         {std::min(count, m_slideNumber + 1), count}));
}

void SlideShow::adjustButtons()
{
    const int count = totalNumofSlides();
    bool next = true, previous = true;
    if (count == 0) {
        next = previous = false;
    } else {
        if (m_slideNumber >= count - 1)
            next = false;
        if (m_slideNumber <= 0)
            previous = false;
    }
    m_nextButton->setHidden(!next);
    m_previousButton->setHidden(!previous);
}

void SlideShow::showNext()
{
    // The next button is gone at the last slide; a call anyway must not step past it.
    if (m_slideNumber >= totalNumofSlides() - 1)
        return;
    ++m_slideNumber;
    moveSlide(true);
}

void SlideShow::showPrevious()
{
    if (m_slideNumber < 1)
        return;
    --m_slideNumber;
    moveSlide(false);
}

void SlideShow::moveSlide(bool forward)
{
    adjustTextView();
    int x = m_slideNumber * width();
    if (!forward)
        x = std::max(0, x);
    horizontalScrollBar()->setValue(x);
    m_contentView->update();
    adjustButtons();
    update();
}

void SlideShow::reAlignImageSize()
{
    m_slideshowMenu->clear();
    m_slideshowMenu->addAction(QStringLiteral("Add Image"), this, &SlideShow::addNewSlide);
    m_slideshowMenu->addAction(QStringLiteral("Delete Image"), this, &SlideShow::deleteCurrentSlide);
    m_slideshowMenu->addAction(QStringLiteral("Replace Image"), this, &SlideShow::replaceCurrentSlide);
    m_slideshowMenu->addAction(QStringLiteral("Hyperlink Image"), this, &SlideShow::linkCurrentSlide);
    m_slideshowMenu->addAction(QStringLiteral("Set Automatic"), this, &SlideShow::switchSlideshowAsAutomatic);

    const int w = m_slideshowSize.width(), h = m_slideshowSize.height();
    adjustButtons();
    adjustTextView();
    m_nextButton->setGeometry(w - m_arrowWidth, h / 2, m_arrowWidth, m_arrowHeight);
    m_previousButton->setGeometry(0, h / 2, m_arrowWidth, m_arrowHeight);
    const int count = totalNumofSlides();
    m_contentView->resize(std::max(1, count) * w, h);
    if (count == 1) {
        m_nextButton->hide();
        m_previousButton->hide();
    }

    // The strip is rebuilt from scratch: one picture label per slide.
    qDeleteAll(m_contentView->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly));
    for (int i = 0; i < count; ++i) {
        TransformView* slide = m_imageArray.at(i);
        slide->setSlideWidth(w);
        QSizeF original(slide->originalWidth(), slide->originalHeight());
        if (original.isEmpty())
            original = slide->image().size();
        const QRect frame = DRVSlideshow::slideFrame(original, QSizeF(w, h), i);
        if (frame.size() != slide->frame().size().toSize())
            slide->setImageLastModDate(QDateTime::currentDateTime());
        slide->setFrame(frame);
        auto* picture = new QLabel(m_contentView);
        picture->setGeometry(frame);
        if (!slide->image().isNull())
            picture->setPixmap(QPixmap::fromImage(
                slide->image().scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        picture->show();
    }
    m_contentView->update();
}

QStringList SlideShow::chooseFiles()
{
    platform::FilePanelRequest request;
    request.prompt = QStringLiteral("Add New");
    request.allowedExtensions = kPictureExtensions;
    request.allowMultiple = true;
    return platform::DialogService::current().runOpenPanel(request);
}

QString SlideShow::nextImageName() const
{
    QString name =
        m_nextImageNameProvider ? m_nextImageNameProvider() : PageContext::current().nextImageName();
    // Slides added in one go are not on the page yet, so the page may offer a name one of them
    // already has; each picture file must keep its own name.
    QStringList taken;
    int highest = imageNumber(name);
    for (const TransformView* slide : m_imageArray) {
        taken << slide->imageName();
        highest = std::max(highest, imageNumber(slide->imageName()));
    }
    if (name.isEmpty() || taken.contains(name))
        name = QStringLiteral("image%1").arg(highest + 1);
    return name;
}

TransformView* SlideShow::createNewSlideshowImage(const QImage& image, const QString& type)
{
    if (image.isNull())
        return nullptr;
    const QSizeF storedSize = OriginalImageFile::storedSize(image.size(), OriginalImageFile::widthLimit());
    const QString name = nextImageName();
    // The name is offered by the page, which numbers after the names it has read.
    if (!OriginalImageFile::save(m_documentFolder, name, type, image))
        return nullptr;

    const QSize size = DataCentre::returnNewSizeWithWidth(image.size(), m_slideshowSize.width());
    auto* slide = new TransformView(QRectF(0, 0, size.width(), size.height()), this);
    slide->setImage(image);
    slide->setImageName(name);
    slide->setImageType(type);
    slide->setOriginalWidth(platform::truncToInt(storedSize.width()));
    slide->setOriginalHeight(platform::truncToInt(storedSize.height()));
    DRVSlideshow::setNewSlideLook(slide);
    return slide;
}

TransformView* SlideShow::slideFromFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning() << "SlideShow: skipping" << path << "-" << reader.errorString();
        return nullptr;
    }
    const QString extension = platform::pathExtension(path);
    const QString type = extension.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
                             ? QStringLiteral("PNG")
                             : QStringLiteral("JPG");
    TransformView* slide = createNewSlideshowImage(image, type);
    if (!slide) {
        platform::showAlert(
            QStringLiteral("The picture could not be saved."),
            platform::format(QStringLiteral("\"%@\" could not be written into the page's folder."),
                             {QFileInfo(path).fileName()}));
    }
    return slide;
}

void SlideShow::addNewSlide()
{
    const QStringList paths = chooseFiles();
    for (const QString& path : paths) {
        TransformView* slide = slideFromFile(path);
        if (!slide)
            continue;
        slide->setSlideNumber(totalNumofSlides());
        m_slideNumber = totalNumofSlides();
        m_imageArray << slide;
        reAlignImageSize();
        moveSlide(true);
    }
}

void SlideShow::replaceCurrentSlide()
{
    const QStringList paths = chooseFiles();
    for (const QString& path : paths) {
        if (m_slideNumber < 0 || m_slideNumber >= totalNumofSlides())
            return;
        TransformView* slide = slideFromFile(path);
        if (!slide)
            continue;
        slide->setSlideNumber(m_slideNumber);
        delete m_imageArray.at(m_slideNumber);
        m_imageArray[m_slideNumber] = slide;
        reAlignImageSize();
        moveSlide(true);
    }
}

void SlideShow::deleteCurrentSlide()
{
    if (m_slideNumber < 0 || m_slideNumber >= totalNumofSlides())
        return;
    delete m_imageArray.takeAt(m_slideNumber);
    // Slide numbers are positions in the strip.
    for (int i = 0; i < m_imageArray.size(); ++i)
        m_imageArray.at(i)->setSlideNumber(i);
    reAlignImageSize();
    showPrevious();
    m_slideNumber = std::clamp(m_slideNumber, 0, std::max(0, totalNumofSlides() - 1));
    adjustTextView();
    adjustButtons();
}

void SlideShow::linkCurrentSlide()
{
    if (m_slideNumber < 0 || m_slideNumber >= totalNumofSlides())
        return;
    if (!m_hyperLinkWindow) {
        m_hyperLinkWindow = new QDialog(this);
        m_hyperLinkWindow->setObjectName(QStringLiteral("hyperLinkWindow"));
        m_hyperLinkWindow->setWindowTitle(QStringLiteral("Apply Hyper Link"));
        auto* layout = new QHBoxLayout(m_hyperLinkWindow);
        m_linkTextbox = new QLineEdit(m_hyperLinkWindow);
        m_linkTextbox->setObjectName(QStringLiteral("linkTextbox"));
        m_linkTextbox->setMinimumWidth(300);
        auto* saveLinkButton = new QPushButton(QStringLiteral("Save"), m_hyperLinkWindow);
        saveLinkButton->setObjectName(QStringLiteral("saveLinkButton"));
        layout->addWidget(m_linkTextbox);
        layout->addWidget(saveLinkButton);
        connect(saveLinkButton, &QPushButton::clicked, this, &SlideShow::saveSlideLink);
    }
    m_linkTextbox->setText(m_imageArray.at(m_slideNumber)->link());
    m_hyperLinkWindow->adjustSize();
    // Centred over the view.
    m_hyperLinkWindow->move(mapToGlobal(rect().center()) - m_hyperLinkWindow->rect().center());
    m_hyperLinkWindow->show();
}

void SlideShow::saveSlideLink()
{
    if (m_slideNumber >= 0 && m_slideNumber < totalNumofSlides() && m_linkTextbox)
        m_imageArray.at(m_slideNumber)->setLink(m_linkTextbox->text());
    if (m_hyperLinkWindow)
        m_hyperLinkWindow->hide();
}

void SlideShow::switchSlideshowAsAutomatic()
{
    if (m_carrier)
        m_carrier->setSlideShowAutomaticFlag(m_carrier->slideShowAutomaticFlag() == 0 ? 1 : 0);
}

TransformView* SlideShow::grabSlide(int number) const
{
    for (TransformView* slide : m_imageArray) {
        if (slide->slideNumber() == number)
            return slide;
    }
    return nullptr;
}

void SlideShow::contextMenuEvent(QContextMenuEvent* event)
{
    m_slideshowMenu->popup(event->globalPos());
    event->accept();
}
