// The content of the profile popover: three labels whose font grows as large as their frames allow,
// and a close button.
#pragma once
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

class ProfileViewController : public QObject
{
    Q_OBJECT
public:
    explicit ProfileViewController(const QString& interfaceName = QStringLiteral("ProfileViewController"),
                                   QObject* parent = nullptr);
    ~ProfileViewController() override;

    static constexpr const char* kLabelFontName = "Heiti TC";

    // Made on first need with its three labels and the button.
    QWidget* view();
    void viewDidLoad() {}
    QLabel* labelTextField();
    QLabel* labelTextField2();
    QLabel* labelTextField3();
    QPushButton* closeButton();

    // The largest font size from 5 up (below 300) at which text fits rect in the named font; 4 when
    // size 5 already overflows. A text exactly as large as rect fits.
    static int calcFontSizeToFitRect(const QRectF& rect, const QString& text, const QString& fontName);
    // Gives each label the font kLabelFontName at the size that fits its frame.
    void adjustFontSize();

private:
    QString m_interfaceName;
    QPointer<QWidget> m_view;
    QLabel* m_labelTextField = nullptr;
    QLabel* m_labelTextField2 = nullptr;
    QLabel* m_labelTextField3 = nullptr;
    QPushButton* m_closeButton = nullptr;
};
