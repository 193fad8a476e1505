// A tile of the inspector's Format and Layers tabs: an icon at the left and a label (bold title,
// smaller grey detail) beside it. A formatting tile also carries its group's controls, which take their
// own clicks; a layer tile (supportsHightlightFlag) takes every click inside it, highlights itself and
// asks for its graphic to be added to the selection.
#pragma once
#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QFrame;

class FormatIconView : public QWidget
{
    Q_OBJECT
public:
    explicit FormatIconView(QWidget* parent = nullptr);

    // The label text: title in bold 12 pt black, a blank, then the detail in 10 pt of detailColor.
    // Both are escaped for the rich text they are shown in; line breaks in the detail are kept.
    void setIconLabelString(const QString& title, const QString& detail, const QColor& detailColor);
    QString iconLabelString() const { return m_iconLabelHtml; }
    // The label as the user reads it ("Text Layer 0\nx:10 ...").
    QString iconLabelPlainText() const { return m_iconLabelPlain; }

    QLabel* iconImageView() const { return m_iconImageView; }
    // Takes the icon view (made by the owning list) as a child.
    void setIconImageView(QLabel* view);
    QLabel* iconLabel() const { return m_iconLabel; }
    QFrame* separatorLine() const { return m_separatorLine; }

    // Places the icon at (10, 10, 30, 30) and the label beside it, 60 narrower than the tile. Once,
    // after the frame, icon and label text are set.
    void setupSubViews();

    bool highlightFlag() const { return m_highlightFlag; }
    void setHighlightFlag(bool flag);
    bool supportsHightlightFlag() const { return m_supportsHightlightFlag; }
    void setSupportsHightlightFlag(bool flag) { m_supportsHightlightFlag = flag; }

    QString imageName() const { return m_imageName; }
    void setImageName(const QString& name) { m_imageName = name; }
    QString objectTitle() const { return m_objectTitle; }
    void setObjectTitle(const QString& title) { m_objectTitle = title; }
    QString objectDescription() const { return m_objectDescription; }
    void setObjectDescription(const QString& text) { m_objectDescription = text; }
    QString dragAndDropCodeName() const { return m_dragAndDropCodeName; }
    void setDragAndDropCodeName(const QString& name) { m_dragAndDropCodeName = name; }
    // The stable id of the formatting group (empty for layer tiles).
    QString groupId() const { return m_groupId; }
    void setGroupId(const QString& id) { m_groupId = id; }
    QStringList typeArray() const { return m_typeArray; }
    void setTypeArray(const QStringList& types) { m_typeArray = types; }
    bool isUsed() const { return m_isUsed; }
    void setIsUsed(bool used) { m_isUsed = used; }
    QStringList supportedAppArray() const { return m_supportedAppArray; }
    void setSupportedAppArray(const QStringList& categories) { m_supportedAppArray = categories; }
    int objectIndex() const { return m_objectIndex; }
    void setObjectIndex(int index) { m_objectIndex = index; }
    int iconViewHeight() const { return m_iconViewHeight; }
    void setIconViewHeight(int height) { m_iconViewHeight = height; }

    // Called after a layer tile highlighted itself on a click.
    std::function<void(FormatIconView*)> onSelect;

    // The icon named in resources/icons at size (a blank image for an unknown name).
    static QPixmap iconImage(const QString& name, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPointer<QLabel> m_iconImageView;
    QPointer<QLabel> m_iconLabel;
    QPointer<QFrame> m_separatorLine;
    QString m_iconLabelHtml;
    QString m_iconLabelPlain;
    bool m_highlightFlag = false;
    bool m_supportsHightlightFlag = false;
    QString m_imageName;
    QString m_objectTitle;
    QString m_objectDescription;
    QString m_dragAndDropCodeName;
    QString m_groupId;
    QStringList m_typeArray;
    bool m_isUsed = false;
    QStringList m_supportedAppArray;
    int m_objectIndex = 0;
    int m_iconViewHeight = 0;
};
