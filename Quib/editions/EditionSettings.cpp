#include "editions/EditionSettings.h"

#include "editions/DataCentre.h"
#include "editions/EditionSelection.h"

#include <QCoreApplication>
#include <QThread>

EditionSettings& edition()
{
    static EditionSettings settings;
    return settings;
}

PresetFactories& presetFactories()
{
    static PresetFactories factories;
    return factories;
}

QSize EditionSettings::usableCanvasSize() const
{
    if (gCanvasWidth > 0 && gCanvasHeight > 0)
        return QSize(gCanvasWidth, gCanvasHeight);
    return QSize(kFallbackCanvasWidth, kFallbackCanvasHeight);
}

double EditionSettings::usableDisplayScale() const
{
    return gCanvasDisplayScale > 0.0f ? double(gCanvasDisplayScale) : 1.0;
}

void EditionSettings::assertMainThread()
{
    Q_ASSERT_X(!QCoreApplication::instance() ||
                   QThread::currentThread() == QCoreApplication::instance()->thread(),
               "EditionSettings", "edition values are written on the main thread only");
}

ScopedEdition::ScopedEdition(const QString& displayName)
    : m_saved(edition()), m_savedLaunchName(editions::launchDisplayNameStore()),
      m_savedSelected(editions::selectionHasRun())
{
    EditionSettings fresh;
    fresh.gDistributionChannel = m_saved.gDistributionChannel;
    fresh.gTempFolderPath = m_saved.gTempFolderPath;
    fresh.gReceivedPagesFolderName = m_saved.gReceivedPagesFolderName;
    fresh.gTempSaveFolderPath = m_saved.gTempSaveFolderPath;
    edition() = fresh;

    editions::selectionHasRun() = false;
    DataCentre::setLaunchDisplayName(displayName);
    DataCentre::runAppSpecificSetups();
    edition().gZoomLevels = editions::zoomLevels();
}

ScopedEdition::~ScopedEdition()
{
    edition() = m_saved;
    editions::launchDisplayNameStore() = m_savedLaunchName;
    editions::selectionHasRun() = m_savedSelected;
}
