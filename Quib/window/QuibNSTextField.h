// A text field that turns a file dropped onto it into a page file name: its last path component,
// with a page document's extension replaced by "html" (a link to the published page). Only a drop
// onto the field changes it; a drag that ends elsewhere leaves it alone.
#pragma once
#include <QLineEdit>

class QuibNSTextField : public QLineEdit
{
    Q_OBJECT
public:
    explicit QuibNSTextField(QWidget* parent = nullptr);

    // The name a dropped path becomes.
    static QString linkNameForDroppedPath(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
