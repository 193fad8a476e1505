#include "window/SavedTextWindowController.h"

#include "platform/StringRules.h"
#include "platform/UserDefaults.h"
#include "window/SheetLayout.h"

#include <QDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kSavedTextKey = QStringLiteral("savedTextArray");
const QString kTitleKey = QStringLiteral("title");
const QString kTextKey = QStringLiteral("textContent");

} // namespace

SavedTextWindowController::SavedTextWindowController(QWidget* parentWindow)
{
    buildWindow(parentWindow);
}

SavedTextWindowController::~SavedTextWindowController()
{
    delete m_window;
}

void SavedTextWindowController::buildWindow(QWidget* parentWindow)
{
    // A tool window of the document window, so it closes with it but stays a window of its own.
    m_window = new QDialog(parentWindow);
    m_window->setObjectName(QStringLiteral("SavedTextWindowController"));
    m_window->setWindowTitle(QStringLiteral("Saved Text Collection"));
    m_window->resize(720, 460);

    m_tableView = new QTableWidget(0, 1, m_window);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->horizontalHeader()->hide();
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setDefaultSectionSize(80);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setWordWrap(true);

    m_savedTextLabel = new QLabel(m_window);
    m_savedTextLabel->setObjectName(QStringLiteral("savedTextLabel"));
    m_titleTextField = new QLineEdit(m_window);
    m_titleTextField->setObjectName(QStringLiteral("titleTextField"));
    m_titleTextField->setPlaceholderText(QStringLiteral("Title"));
    m_textView = new QPlainTextEdit(m_window);
    m_textView->setObjectName(QStringLiteral("textView"));
    m_savedTextRecordIndexTextField = new QLineEdit(m_window);
    m_savedTextRecordIndexTextField->setObjectName(QStringLiteral("savedTextRecordIndexTextField"));
    m_savedTextRecordIndexTextField->setMaximumWidth(60);

    auto makeButton = [this](const char* name, const QString& title) {
        QPushButton* button = SheetLayout::button(m_window, name, title);
        // Return in the text view is a line break, not a click.
        button->setAutoDefault(false);
        return button;
    };
    m_addButton = makeButton("addButton", QStringLiteral("Add"));
    m_saveButton = makeButton("saveButton", QStringLiteral("Save"));
    m_deleteButton = makeButton("deleteButton", QStringLiteral("Delete"));
    m_chooseButton = makeButton("chooseButton", QStringLiteral("Choose"));

    auto* editor = new QVBoxLayout;
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(m_titleTextField, 1);
    titleRow->addWidget(new QLabel(QStringLiteral("Index"), m_window));
    titleRow->addWidget(m_savedTextRecordIndexTextField);
    editor->addLayout(titleRow);
    editor->addWidget(m_textView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch(1);
    buttons->addWidget(m_chooseButton);
    editor->addLayout(buttons);

    auto* list = new QVBoxLayout;
    list->addWidget(m_tableView, 1);
    list->addWidget(m_savedTextLabel);

    auto* columns = new QHBoxLayout(m_window);
    columns->addLayout(list, 1);
    columns->addLayout(editor, 1);

    connect(m_addButton, &QPushButton::clicked, this, &SavedTextWindowController::addNewSavedTextRecord);
    connect(m_saveButton, &QPushButton::clicked, this, &SavedTextWindowController::updateCurrentTextRecord);
    connect(m_deleteButton, &QPushButton::clicked, this, &SavedTextWindowController::deleteSavedTextRecord);
    connect(m_chooseButton, &QPushButton::clicked, this, &SavedTextWindowController::choose);
    connect(m_tableView, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            displayRecord(row);
    });

    refreshTableView();
}

QVariantList SavedTextWindowController::storedSnippets()
{
    const QVariant stored = platform::UserDefaults::standard().objectForKey(kSavedTextKey);
    // The settings file writes a list of one map as that map.
    const QVariantList items =
        stored.typeId() == QMetaType::QVariantMap ? QVariantList{stored} : stored.toList();
    QVariantList snippets;
    for (const QVariant& item : items) {
        if (item.typeId() != QMetaType::QVariantMap)
            continue;
        const QVariantMap map = item.toMap();
        snippets.append(QVariantMap{{kTitleKey, map.value(kTitleKey).toString()},
                                    {kTextKey, map.value(kTextKey).toString()}});
    }
    return snippets;
}

void SavedTextWindowController::storeSnippets(const QVariantList& snippets)
{
    platform::UserDefaults::standard().setObject(kSavedTextKey, snippets);
}

QString SavedTextWindowController::addedTitle(const QDateTime& when)
{
    // The week-based year would title the last days of December with the next year.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("Added ") +
           english.toString(when, QStringLiteral("MMM dd yyyy,  dddd 'at' h:mm AP"));
}

int SavedTextWindowController::indexFieldValue() const
{
    return platform::intValue(m_savedTextRecordIndexTextField->text());
}

void SavedTextWindowController::displayRecord(int index)
{
    if (index < 0 || index >= m_savedTextMutableArray.size())
        return;
    const QVariantMap snippet = m_savedTextMutableArray.at(index).toMap();
    m_titleTextField->setText(snippet.value(kTitleKey).toString());
    m_textView->setPlainText(snippet.value(kTextKey).toString());
    m_savedTextRecordIndexTextField->setText(QString::number(index));
}

void SavedTextWindowController::selectRow(int index)
{
    if (index < 0 || index >= numberOfRowsInTableView())
        return;
    m_filling = true;
    m_tableView->setCurrentCell(index, 0);
    m_tableView->selectRow(index);
    m_filling = false;
    displayRecord(index);
}

void SavedTextWindowController::resetRecords()
{
    m_titleTextField->clear();
    m_textView->clear();
    m_savedTextRecordIndexTextField->clear();
}

void SavedTextWindowController::refreshTableView()
{
    m_savedTextMutableArray = storedSnippets();
    const QFont cellFont(QStringLiteral("Heiti TC"), 11);
    m_filling = true;
    m_tableView->clearSelection();
    m_tableView->setRowCount(int(m_savedTextMutableArray.size()));
    for (int row = 0; row < m_savedTextMutableArray.size(); ++row) {
        const QVariantMap snippet = m_savedTextMutableArray.at(row).toMap();
        auto* cell = new QTableWidgetItem(QStringLiteral("%1 %2 ").arg(snippet.value(kTitleKey).toString(),
                                                                       snippet.value(kTextKey).toString()));
        cell->setFont(cellFont);
        m_tableView->setItem(row, 0, cell);
    }
    m_filling = false;
    m_savedTextLabel->setText(QStringLiteral("%1 text saved").arg(m_savedTextMutableArray.size()));

    const int index = indexFieldValue();
    if (index >= 0 && index < m_savedTextMutableArray.size())
        selectRow(index);
    else if (!m_savedTextMutableArray.isEmpty())
        selectRow(0);
    else
        resetRecords();
}

void SavedTextWindowController::addNewSavedTextRecord()
{
    m_titleTextField->clear();
    m_textView->clear();
    m_savedTextRecordIndexTextField->setText(QString::number(m_savedTextMutableArray.size()));
    m_titleTextField->setFocus();
}

void SavedTextWindowController::updateCurrentTextRecord()
{
    if (m_savedTextRecordIndexTextField->text().isEmpty())
        m_savedTextRecordIndexTextField->setText(QString::number(m_savedTextMutableArray.size()));
    updateSavedTextRecord(indexFieldValue());
}

void SavedTextWindowController::updateSavedTextRecord(int index)
{
    // Another window may have changed the collection since this one last read it.
    m_savedTextMutableArray = storedSnippets();
    // Only an index naming a snippet replaces it; any other index adds one.
    if (index < 0 || index >= m_savedTextMutableArray.size()) {
        saveSavedTextRecord();
        return;
    }
    m_savedTextMutableArray[index] =
        QVariantMap{{kTitleKey, m_titleTextField->text()}, {kTextKey, m_textView->toPlainText()}};
    storeSnippets(m_savedTextMutableArray);
    refreshTableView();
}

void SavedTextWindowController::saveSavedTextRecord()
{
    m_savedTextMutableArray = storedSnippets();
    m_savedTextMutableArray.append(
        QVariantMap{{kTitleKey, m_titleTextField->text()}, {kTextKey, m_textView->toPlainText()}});
    storeSnippets(m_savedTextMutableArray);
    refreshTableView();
}

void SavedTextWindowController::deleteSavedTextRecord()
{
    m_savedTextMutableArray = storedSnippets();
    const int index = indexFieldValue();
    if (index < 0 || index >= m_savedTextMutableArray.size())
        return;
    m_savedTextMutableArray.removeAt(index);
    storeSnippets(m_savedTextMutableArray);
    refreshTableView();
}

void SavedTextWindowController::launchSavedTextWindow()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    m_textView->clear();
    m_titleTextField->clear();
    m_savedTextRecordIndexTextField->setText(QStringLiteral("0"));
    refreshTableView();
}

void SavedTextWindowController::addToSavedTextWindow(const QString& plainText, const QDateTime& when)
{
    m_window->show();
    m_window->raise();
    m_titleTextField->setText(addedTitle(when));
    m_textView->setPlainText(plainText);
    m_savedTextRecordIndexTextField->setText(QString::number(storedSnippets().size()));
    saveSavedTextRecord();
}

QString SavedTextWindowController::shownText() const
{
    return m_textView->toPlainText();
}

void SavedTextWindowController::choose()
{
    // The window goes away before the text lands, as the canvas's pull expects.
    m_window->hide();
    if (m_chooseHandler)
        m_chooseHandler();
}
