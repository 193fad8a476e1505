// The inspector's image masks for one window: the picker of the application's mask pictures (and
// the user's own PNG files), and the "Apply Mask" box. A picked mask, painted white, clips every
// selected image; other graphics are never masked.
#pragma once
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DRVWindowController;
class FlippedNSView;
class InspectorPanel;
class QPushButton;

class ImageMasks : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTilesPerRow = 5;
    static constexpr int kTileSize = 50;

    ImageMasks(DRVWindowController* owner, InspectorPanel* panel);
    // Points "Mask Shape" and "Apply Mask" at their actions.
    void connectActions();

    // The mask pictures of a folder (the application's resources/image_masks unless a test points
    // elsewhere), by name; "circle4" is the default.
    static QStringList maskCatalogue(const QString& folder);
    static QString maskFolder();
    static void setMaskFolder(const QString& folder);
    // The picture of a mask file: SVG drawn at its own size, other formats read; null when unreadable.
    static QImage readMaskPicture(const QString& path);

    // The picker: a tile per mask in rows of five, then "Use My Own".
    FlippedNSView* setup_image_masks();
    // The action of "Mask Shape": shows the picker beside the button.
    void selectMaskImage();
    // Gives every selected image the mask of that file, painted white.
    void applyMaskFilter(const QString& path);
    // The user chooses PNG files; each is applied in turn.
    void selectCustomImageAsMask();
    // The "Apply Mask" box: on gives the selected images the default circle, off takes masks away.
    void adjustMaskFilter(bool on);

    QList<QPushButton*> tiles() const;

private:
    DRVWindowController* m_owner;
    InspectorPanel* m_panel;
    QList<QPointer<QPushButton>> m_tiles;
};
