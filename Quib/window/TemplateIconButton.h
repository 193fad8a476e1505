// One template tile of the template chooser: the template's thumbnail as an image-only button that
// knows its template file and category, and draws a selection frame while chosen.
#pragma once
#include <QPushButton>
#include <QString>

class TemplateIconButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TemplateIconButton(QWidget* parent = nullptr);

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    QString categoryFolder() const { return m_categoryFolder; }
    void setCategoryFolder(const QString& folder) { m_categoryFolder = folder; }
    bool borderFlag() const { return m_borderFlag; }
    void setBorderFlag(bool flag);

    // The thumbnail shown; the button takes exactly its size.
    void setThumbnail(const QImage& image);
    QImage thumbnail() const { return m_thumbnail; }

    static constexpr int kBorderWidth = 10;
    static QColor borderColor(); // "33A1C9"

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_fileName;
    QString m_categoryFolder;
    QImage m_thumbnail;
    bool m_borderFlag = false;
};
