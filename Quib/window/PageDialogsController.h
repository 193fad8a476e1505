// The editor windows and sheets of one document window that live beside its canvas: the saved-text
// collection, the page's canvas-size and title sheets, and the previews. The document window hands
// them the menu actions they answer; each window is made on first use and kept for the document
// window's life (a sheet is made afresh each time). Main thread only.
#pragma once
#include "window/QuibWebPreviewWindowController.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class AdjustCanvasSizeWindowController;
class DRVWindowController;
class PageNumberWindowController;
class SavedTextWindowController;

class PageDialogsController : public QObject
{
    Q_OBJECT
public:
    explicit PageDialogsController(DRVWindowController* owner);
    ~PageDialogsController() override;

    // The menu actions answered here.
    static const QStringList& actions();
    // False for an action that is not one of actions().
    bool perform(const QString& action);

    // Made on first use.
    SavedTextWindowController* savedTextWindowController();
    void launchSavedTextWindow();
    // Stores the selected text box's text as a new saved text.
    void addToSavedTextWindow();

    // The canvas-size sheet: the page's own size, else how far its content reaches (plus a margin of
    // 50 unless the edition exports without one).
    void showAdjustCanvasSheet();
    void saveAdjustCanvasWindowControllerSheet();
    void cancelAdjustCanvasWindowControllerSheet();
    AdjustCanvasSizeWindowController* adjustCanvasSheet() const { return m_adjustCanvas.get(); }
    // The canvas takes the page's own size when it has one, else the edition's.
    void resetCanvasSize();

    // The page-title sheet; only a changed title is stored, and then the page saves itself.
    void showAdjustPageNumberSheet();
    void saveAdjustPageNumberWindowControllerSheet();
    void cancelAdjustPageNumberWindowControllerSheet();
    PageNumberWindowController* pageNumberSheet() const { return m_pageNumber.get(); }

    // The previews write the page for presentation first. The desktop one is made afresh each
    // time and shows its own copy of the page's folder; the mobile one is kept and shows the page
    // in its working folder.
    void showWebPreview();
    void showMobileWebPreview();
    QuibWebPreviewWindowController* webPreview() const { return m_webPreview; }
    WebPreviewWindowController* mobileWebPreview() const { return m_mobilePreview.get(); }

private:
    // Writes the page file (and its pictures) into the page's working folder; false on failure.
    bool prepForPresentation();

    DRVWindowController* m_owner;
    QPointer<QuibWebPreviewWindowController> m_webPreview;
    std::unique_ptr<WebPreviewWindowController> m_mobilePreview;
    std::unique_ptr<SavedTextWindowController> m_savedText;
    std::unique_ptr<AdjustCanvasSizeWindowController> m_adjustCanvas;
    std::unique_ptr<PageNumberWindowController> m_pageNumber;
};
