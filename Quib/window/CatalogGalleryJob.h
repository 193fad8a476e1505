// A catalog job from the folder choice to the closing alert: the scan and sort on a worker behind
// the progress window, the "Summary" alert, the generation on a worker, and "Done!" with
// "Launch Now". The settings window that owns it supplies the output folder and, at generation
// time, its options.
#pragma once
#include "records/CatalogJob.h"

#include <QObject>
#include <QUrl>
#include <functional>

Q_DECLARE_METATYPE(CatalogJob::Result)

class CatalogGalleryJob : public QObject
{
    Q_OBJECT
public:
    explicit CatalogGalleryJob(QObject* parent = nullptr);
    // A job dropped while its worker runs takes the progress window with it; the worker's result
    // is then dropped.
    ~CatalogGalleryJob() override;

    using OptionsSource = std::function<CatalogOptions()>;
    void setOptionsSource(OptionsSource source) { m_optionsSource = std::move(source); }
    void setOutputFolder(const QString& folder) { m_outputFolder = folder; }
    QString outputFolder() const { return m_outputFolder; }

    // Opens a chosen page in the user's browser; tests record it instead. Empty restores the
    // desktop's opener.
    static void setUrlOpener(std::function<void(const QUrl&)> opener);
    // What "Next" does in the photo-collection edition (its add-photo window); installed by the
    // application.
    static void setAddPhotoSettingsHandler(std::function<void()> handler);

    // The folder panel; a chosen folder is scanned on a worker behind the progress window.
    void selectInputPhotoFolder();
    // Main thread, after the scan: "Summary" and what follows it.
    void doneCountingPhotos();
    // Generates the edition's pages on a worker behind the progress window.
    void generateGallery();
    // Main thread, after generation: "Done!" naming the first page.
    void launchGallery(const CatalogJob::Result& result);

    bool isRunning() const { return m_running; }

signals:
    // The job has ended: cancelled, empty, or after the closing alert.
    void finished();

private:
    void end();

    OptionsSource m_optionsSource;
    QString m_outputFolder;
    bool m_running = false;
};
