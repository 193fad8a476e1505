// The controller of the document window's sidebar view; it adds nothing to a plain widget holder.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class SidebarViewController : public QObject
{
    Q_OBJECT
public:
    // The interface name is kept for the window that asked for it; the view starts empty.
    explicit SidebarViewController(const QString& interfaceName = QString(), QObject* parent = nullptr);
    ~SidebarViewController() override;

    QString interfaceName() const { return m_interfaceName; }
    // Made on first need; owned by whoever it is placed into, else by this controller.
    QWidget* view();

private:
    QString m_interfaceName;
    QPointer<QWidget> m_view;
};
