// The website settings sheet: the site's title, description and favicon, and a table of every page
// of the project in which pages are selected, moved, deleted, duplicated, renamed, retitled, given
// another publishing extension and switched to or from the base template. The sheet only edits its
// rows; the window controller writes them when the user saves.
#pragma once
#include "window/PageRecord.h"

#include <QDialog>
#include <QImage>
#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// One page as the sheet shows and edits it; record holds the values the page had.
struct WebsiteSettingsRow
{
    PageRecord record;
    bool selected = false;
    bool useBaseTemplate = false;
    bool inheritMetadata = false;
    bool inheritCustomHeaderCode = false;
    bool inheritSwitchesEnabled = true;
    QString pageTitle;
    QString fileName; // without extension
    QString publishExt;

    static WebsiteSettingsRow fromRecord(const PageRecord& record);
};

class WebsiteSettingsWindowController : public QDialog
{
    Q_OBJECT
public:
    explicit WebsiteSettingsWindowController(QWidget* parent = nullptr);

    // The rows become the given pages, in their order, with fresh controls.
    void setSiteIconArray(const QList<PageRecord>& pages);
    // The rows with the values the controls hold now.
    QList<WebsiteSettingsRow> rows() const;
    // Rows added after the sheet was filled (a duplicated page), keeping every row's edits.
    void appendRows(const QList<PageRecord>& pages);
    int numberOfRows() const { return int(m_rows.size()); }
    // Height of every row.
    static constexpr int kRowHeight = 100;

    QImage favIconImage() const { return m_favIcon; }
    // chosen: the user put the image into the well (saving writes the favicons only then); else the
    // well shows the project's favicon as it is.
    void setFavIconImage(const QImage& image, bool chosen = true);
    // True once the user put an image into the well.
    bool favIconChanged() const { return m_favIconChanged; }

    void moveSelectedButtonsUp();
    void moveSelectedButtonsDown();
    // Drops the selected rows; their pages are deleted when the sheet is saved.
    void updateDeletedButtons();
    // Asks the window controller to copy the selected pages (duplicateRequested).
    void updateDuplicateButtons();
    // A base-template switch turned on turns the row's metadata and header-code switches on and
    // enables them; turned off, turns them off and disables them.
    void checkSwitchStates(QCheckBox* sender);
    void reloadData();
    // Opens the image panel and puts the chosen image into the favicon well.
    void chooseFavIcon();

    QLineEdit* websiteTitleTextField() const { return m_websiteTitleTextField; }
    QLineEdit* websiteDescriptionTextField() const { return m_websiteDescriptionTextField; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* duplicateButton() const { return m_duplicateButton; }
    QPushButton* moveUpButton() const { return m_moveUpButton; }
    QPushButton* moveDownButton() const { return m_moveDownButton; }
    QTableWidget* tableView() const { return m_tableView; }
    QPushButton* favIconImageView() const { return m_favIconImageView; }
    QLabel* websiteTitleLabel() const { return m_websiteTitleLabel; }
    QLabel* websiteDescriptionLabel() const { return m_websiteDescriptionLabel; }
    QLabel* websiteFavIconLabel() const { return m_websiteFavIconLabel; }
    // The table's column identifiers, in order.
    QStringList columnIdentifiers() const;

    // The controls of one row (nullptr where the row has none).
    QCheckBox* selectCheckbox(int row) const;
    QCheckBox* inheritBaseTemplateCheckbox(int row) const;
    QCheckBox* inheritMetadataCheckbox(int row) const;
    QCheckBox* inheritCustomHeaderCodeCheckbox(int row) const;
    QLineEdit* pageTitleTextField(int row) const;
    QLineEdit* pageFileNameTextField(int row) const;
    QLineEdit* pagePublishExtTextField(int row) const;
    QLabel* pageNumberLabel(int row) const;

signals:
    void duplicateRequested(const QStringList& documentNames);

private:
    template <class T> T* cellControl(int row, const QString& column, const char* name) const;
    void captureControls();
    void moveSelectedRows(bool up);
    QWidget* cellFor(int row, const QString& column);
    bool isBaseTemplateRow(int row) const;

    QList<WebsiteSettingsRow> m_rows;
    QStringList m_columns;
    QImage m_favIcon;
    bool m_favIconChanged = false;

    QLineEdit* m_websiteTitleTextField = nullptr;
    QLineEdit* m_websiteDescriptionTextField = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_duplicateButton = nullptr;
    QPushButton* m_moveUpButton = nullptr;
    QPushButton* m_moveDownButton = nullptr;
    QTableWidget* m_tableView = nullptr;
    QPushButton* m_favIconImageView = nullptr;
    QLabel* m_websiteTitleLabel = nullptr;
    QLabel* m_websiteDescriptionLabel = nullptr;
    QLabel* m_websiteFavIconLabel = nullptr;
};
