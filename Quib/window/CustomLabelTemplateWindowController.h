// The window of the custom label template editor; its controls arrive with the label tools.
#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

class CustomLabelTemplateWindowController : public QObject
{
    Q_OBJECT
public:
    explicit CustomLabelTemplateWindowController(QObject* parent = nullptr);
    ~CustomLabelTemplateWindowController() override;

    // Made on first need.
    QWidget* window();
    void windowDidLoad() {}

private:
    QPointer<QWidget> m_window;
};
