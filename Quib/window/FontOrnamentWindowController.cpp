#include "window/FontOrnamentWindowController.h"

#include "platform/StringsTable.h"
#include "window/FlippedNSView.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The instruction sits beside the sheet: at x 420 unless the sheet is wider.
constexpr int kInstructionX = 420;
constexpr int kInstructionY = 30;
constexpr int kInstructionWidth = 180;
constexpr int kInstructionHeight = 250;

FontOrnamentWindowController::SpotPrinter& installedPrinter()
{
    static FontOrnamentWindowController::SpotPrinter printer;
    return printer;
}

} // namespace

FontOrnamentWindowController::SpotButton::SpotButton(int row, int column, int tag, QWidget* parent)
    : QPushButton(parent), m_row(row), m_column(column), m_tag(tag)
{
    setObjectName(QStringLiteral("spot%1").arg(tag));
    setText(cellTitle());
    setFlat(false);
    setFocusPolicy(Qt::NoFocus);
}

bool FontOrnamentWindowController::SpotButton::isSelected() const
{
    return text() == QLatin1String(kSelectedTitle);
}

QString FontOrnamentWindowController::SpotButton::cellTitle() const
{
    return QStringLiteral("%1 x %2").arg(m_row + 1).arg(m_column + 1);
}

void FontOrnamentWindowController::setSpotPrinter(SpotPrinter printer)
{
    installedPrinter() = std::move(printer);
}

const FontOrnamentWindowController::SpotPrinter& FontOrnamentWindowController::spotPrinter()
{
    return installedPrinter();
}

QString FontOrnamentWindowController::instructionText()
{
    return platform::StringsTable::lookup(
        QStringLiteral(
            "Please choose one or multiple available spots, choose \"Print Preview\" when ready to proceed"),
        QStringLiteral("Localizable"));
}

int FontOrnamentWindowController::scaleDivisor(float printScaleFactor)
{
    return std::max(1, int(printScaleFactor * 1.5f));
}

FontOrnamentWindowController::FontOrnamentWindowController(const PrintSheetGeometry& geometry,
                                                           float printScaleFactor, QWidget* parentWindow)
    : m_window(new QDialog(parentWindow))
{
    m_window->setObjectName(QStringLiteral("FontOrnamentWindowController"));
    m_window->setWindowTitle(QStringLiteral("Choose Spots"));
    m_window->setWindowModality(Qt::WindowModal);

    const double d = scaleDivisor(printScaleFactor);
    const double w = double(geometry.gPrintSingleLabelWidthInch * float(kPrintPixelFactor));
    const double h = double(geometry.gPrintSingleLabelHeightInch * float(kPrintPixelFactor));
    const double gx = double(geometry.gPrintLabelColumnSpacingInch * float(kPrintPixelFactor));
    const double gy = double(geometry.gPrintLabelRowSpacingInch * float(kPrintPixelFactor));
    const int rows = std::max(0, int(geometry.gPrintNumOfRowsPerSheet));
    const int columns = std::max(0, int(geometry.gPrintNumOfColumnsPerSheet));

    m_mainView = new QWidget(m_window);
    m_mainView->setObjectName(QStringLiteral("mainView"));
    m_spotView = new FlippedNSView(m_mainView);
    m_spotView->setObjectName(QStringLiteral("spotView"));
    const QSize sheet(int(std::ceil(double(geometry.gPrintLabelBlockWidth) / d)),
                      int(std::ceil(double(geometry.gPrintLabelBlockHeight) / d)));
    m_spotView->setGeometry(QRect(QPoint(0, 0), sheet));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* button = new SpotButton(r, c, r * columns + c, m_spotView);
            // Edges rounded one by one, so neighbouring spots never overlap or drift apart.
            const double left = c * gx / d + c * w / d;
            const double top = r * gy / d + r * h / d;
            const QPoint topLeft(int(std::lround(left)), int(std::lround(top)));
            const QPoint bottomRight(int(std::lround(left + w / d)) - 1, int(std::lround(top + h / d)) - 1);
            button->setGeometry(QRect(topLeft, bottomRight));
            connect(button, &QPushButton::clicked, this, [this, button] { markLabelAsSelected(button); });
            m_buttonArray.append(button);
        }
    }

    m_instructionLabel = new QLabel(instructionText(), m_mainView);
    m_instructionLabel->setObjectName(QStringLiteral("instructionLabel"));
    m_instructionLabel->setWordWrap(true);
    m_instructionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_instructionLabel->setTextInteractionFlags(Qt::NoTextInteraction);
    QFont font = m_instructionLabel->font();
    font.setPointSize(12);
    m_instructionLabel->setFont(font);
    QPalette palette = m_instructionLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(Qt::darkGray));
    m_instructionLabel->setPalette(palette);
    const int instructionX = std::max(kInstructionX, sheet.width() + 20);
    m_instructionLabel->setGeometry(instructionX, kInstructionY, kInstructionWidth, kInstructionHeight);
    m_mainView->setFixedSize(instructionX + kInstructionWidth + 20,
                             std::max(sheet.height(), kInstructionY + kInstructionHeight));

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_window);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_printButton = new QPushButton(QStringLiteral("Print Preview"), m_window);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_printButton);
    auto* layout = new QVBoxLayout(m_window);
    layout->addWidget(m_mainView);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cancelButton, &QPushButton::clicked, this, &FontOrnamentWindowController::cancelRequested);
    connect(m_printButton, &QPushButton::clicked, this, &FontOrnamentWindowController::printRequested);
}

FontOrnamentWindowController::~FontOrnamentWindowController()
{
    delete m_window;
}

void FontOrnamentWindowController::markLabelAsSelected(SpotButton* button)
{
    if (!button)
        return;
    button->setText(button->isSelected() ? button->cellTitle() : QString::fromLatin1(kSelectedTitle));
}

QList<FontOrnamentWindowController::Spot> FontOrnamentWindowController::selectedSpots() const
{
    QList<Spot> spots;
    for (const SpotButton* button : m_buttonArray) {
        if (button->isSelected())
            spots.append(Spot{button->rowNumber(), button->columnNumber()});
    }
    return spots;
}

void FontOrnamentWindowController::beginSheet()
{
    if (m_window)
        m_window->open();
}

void FontOrnamentWindowController::endSheet()
{
    if (m_window && m_window->isVisible())
        m_window->done(1);
}
