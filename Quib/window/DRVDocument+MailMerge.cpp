// Mail merge: one personalized copy of the open page per chosen contact, in the open website folder.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "publishing/MailContactBook.h"
#include "window/DRVWindowController.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QDebug>
#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr int kMaximumStemBytes = 180;

QString recordValue(const QVariantMap& record, const QString& key)
{
    const QString value = record.value(key).toString();
    return value.isNull() ? QLatin1String("") : value;
}

// However the run ends, the window is visible again and the progress window is gone.
class MergeRunGuard
{
public:
    MergeRunGuard(QWidget* window, ProgressIndicatorWindowController* progress)
        : m_window(window), m_progress(progress)
    {
        if (m_window)
            m_window->setWindowOpacity(0.0);
        m_progress->showWindow();
    }
    ~MergeRunGuard()
    {
        m_progress->orderOut();
        if (m_window)
            m_window->setWindowOpacity(1.0);
    }
    MergeRunGuard(const MergeRunGuard&) = delete;
    MergeRunGuard& operator=(const MergeRunGuard&) = delete;

private:
    QPointer<QWidget> m_window;
    ProgressIndicatorWindowController* m_progress;
};

} // namespace

QString DRVDocument::personalizedText(const QString& text, const QVariantMap& record, const QStringList& tags)
{
    QStringList alternatives;
    for (const QString& tag : tags) {
        if (!tag.isEmpty())
            alternatives.append(QRegularExpression::escape(tag));
    }
    if (alternatives.isEmpty())
        return text;
    const QRegularExpression anyTag(alternatives.join(u'|'));

    // Lines are those of the text as written: a value holding a line break or a tag is copied as
    // it stands, never searched again.
    QStringList kept;
    for (const QString& line : text.split(u'\n')) {
        if (line.isEmpty()) {
            kept.append(line);
            continue;
        }
        QString result;
        qsizetype from = 0;
        for (QRegularExpressionMatchIterator it = anyTag.globalMatch(line); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            result += line.mid(from, match.capturedStart() - from);
            result += recordValue(record, match.captured()); // a tag without a value goes
            from = match.capturedEnd();
        }
        result += line.mid(from);
        if (!result.isEmpty())
            kept.append(result);
    }
    return kept.join(u'\n');
}

QStringList DRVDocument::personalizedFileNames(const QList<QVariantMap>& records, const QString& extension,
                                               const QStringList& reserved)
{
    QSet<QString> taken(reserved.begin(), reserved.end());
    QStringList names;
    for (const QVariantMap& record : records) {
        QString stem = DataCentre::generateNewFileName(platform::format(
            QStringLiteral("%@%@%@_%@"),
            {recordValue(record, QStringLiteral("[FIRST_NAME]")), recordValue(record, QStringLiteral("[LAST_NAME]")),
             recordValue(record, QStringLiteral("[UNIQUE_CONTACT_ID]")),
             recordValue(record, QStringLiteral("Address_Number"))}));
        // Room for the extension and a number within a file name's length.
        while (stem.toUtf8().size() > kMaximumStemBytes)
            stem.chop(stem.size() > 1 && stem.at(stem.size() - 1).isLowSurrogate() ? 2 : 1);
        QString name = stem + u'.' + extension;
        for (int number = 2; taken.contains(name) || !platform::SafePath::isSafeName(name); ++number) {
            // A name the folder refuses whatever its number: the record's position names it.
            if (number > records.size() + taken.size() + 1)
                stem = platform::format(QStringLiteral("contact%d"), {int(names.size())});
            name = platform::format(QStringLiteral("%@-%d.%@"), {stem, number, extension});
        }
        taken.insert(name);
        names.append(name);
    }
    return names;
}

bool DRVDocument::duplicateDocument(const QString& sourceFileName, const QString& targetFileName)
{
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(this);
    const QString folder = controllers.isEmpty() ? QString() : controllers.constFirst()->openWebsiteFolderPath();
    if (folder.isEmpty())
        return false;
    const std::optional<QString> source = platform::SafePath::filePath(folder, sourceFileName);
    const std::optional<QString> target = platform::SafePath::filePath(folder, targetFileName);
    if (!source || !target || platform::SafePath::isSameFile(*source, *target) || !QFile::exists(*source))
        return false;
    if (QFile::exists(*target) && !QFile::remove(*target))
        return false;
    const bool copied = QFile::copy(*source, *target);
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("websiteUpdated"), this);
    return copied;
}

void DRVDocument::replacePersonalizedTags(const QVariantMap& record)
{
    const QStringList& tags = edition().gPersonalizationTags;
    for (DRVGraphic* graphic : textAreas()) {
        auto* text = qobject_cast<DRVText*>(graphic);
        if (!text)
            continue;
        const QString before = text->textString();
        const QString after = personalizedText(before, record, tags);
        if (after != before)
            text->updateTextString(after);
    }
}

void DRVDocument::populatePersonalizedDocuments(QObject* /*sender*/)
{
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(this);
    DRVWindowController* controller = controllers.isEmpty() ? nullptr : controllers.constFirst();
    if (!controller || !controller->isEditorInMultiDocMode())
        return;
    const QList<QVariantMap> records = MailContactBook::currentRecords();
    if (records.isEmpty()) {
        platform::Alert alert;
        alert.title = QStringLiteral("Please define contact list");
        alert.informativeText = QStringLiteral(
            "You can add personalized tags to the design, then have this app automatically generate "
            "customized designs selected from Contacts.\n\nSettings > Contacts > Define Contacts List");
        platform::showAlert(alert);
        return;
    }
    const QString sourceName = platform::lastPathComponent(m_filePath);
    if (sourceName.isEmpty())
        return;

    // The copies never replace the page they are made from, the base template or each other.
    const QStringList names = personalizedFileNames(records, edition().gDocumentExtension,
                                                    {sourceName, edition().gBaseTemplateFileName});
    const QString folder = controller->openWebsiteFolderPath();
    m_mergeProgressWindow = std::make_shared<ProgressIndicatorWindowController>();
    QStringList failed;
    {
        const MergeRunGuard guard(controller->window(), m_mergeProgressWindow.get());
        // The copies are made from the page as it is now.
        if (!saveThisPage(m_filePath, false)) {
            failed.append(sourceName);
        } else {
            const qint32 total = qint32(names.size());
            for (qint32 i = 0; i < total; ++i) {
                const QString& name = names.at(i);
                m_mergeProgressWindow->setProgress(i, total, name);
                const std::optional<QString> copy = platform::SafePath::filePath(folder, name);
                // A copy that did not open leaves the previous page open, which must not be changed.
                if (!copy || !duplicateDocument(sourceName, name) || !readFromURL(*copy)) {
                    failed.append(name);
                    continue;
                }
                replacePersonalizedTags(records.at(i));
                if (!askPageToSaveItself())
                    failed.append(name);
            }
            m_mergeProgressWindow->setProgress(total, total, QString());
        }
    }
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("websiteUpdated"), this);
    if (!failed.isEmpty()) {
        qWarning() << "personalized copies not made:" << failed;
        platform::Alert alert;
        alert.title = QStringLiteral("Some personalized designs could not be made");
        alert.informativeText = failed.join(u'\n');
        platform::showAlert(alert);
    }
}
