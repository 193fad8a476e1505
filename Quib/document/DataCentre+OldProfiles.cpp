// Old-format profile pages, converted in place to field markers when they are met, and the page
// title of any page.
#include "editions/DataCentre.h"

#include "document/Person.h"
#include "document/StoredPageEncoding.h"
#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDate>
#include <QLocale>

namespace {

const QString kCommentOpener = QStringLiteral("<!--");
const QString kCommentCloser = QStringLiteral("-->");
const QString kNull = QStringLiteral("(null)");
const QString kPageTitleStart = QStringLiteral("<!--PAGETITLESTART==");
const QString kPageTitleEnd = QStringLiteral("==PAGETITLEEND-->");

// A CR LF line end keeps no CR, so such a file reads like any other.
QString withoutCarriageReturn(QString line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

QString firstLine(const QString& text)
{
    // Only the first line is wanted; a page may be long.
    const qsizetype start = [&] {
        qsizetype at = 0;
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        return at;
    }();
    const qsizetype end = text.indexOf(u'\n', start);
    return withoutCarriageReturn(text.mid(start, end < 0 ? -1 : end - start));
}

QString valueOrEmpty(const QString& value)
{
    return value.isNull() || value == kNull ? QLatin1String("") : value;
}

// Everything after the first "-->", or nullopt when the text holds none.
std::optional<QString> textAfterHeader(const QString& text)
{
    const qsizetype at = text.indexOf(kCommentCloser);
    if (at < 0)
        return std::nullopt;
    return text.mid(at + kCommentCloser.size());
}

} // namespace

bool DataCentre::oldZorprofileFlag(const QString& pageText)
{
    return firstLine(pageText) == kCommentOpener && pageText.contains(kCommentCloser);
}

Person DataCentre::grabOldZorprofileData(const QString& pageText)
{
    const qsizetype end = pageText.indexOf(kCommentCloser);
    // Lines as the old format was read: leading blanks and blank lines skipped.
    const QStringList lines = platform::linesByScanning(end < 0 ? pageText : pageText.left(end));
    const auto line = [&](int index) {
        return withoutCarriageReturn(index < lines.size() ? lines.at(index) : QString());
    };
    Person person;
    person.firstName = valueOrEmpty(line(1));
    person.lastName = valueOrEmpty(line(2));
    person.chartNumber = valueOrEmpty(line(3));
    person.age = valueOrEmpty(line(4));
    person.genderFlag = platform::intValue(line(5));
    person.birthDate = valueOrEmpty(line(6));
    person.phoneNumber = valueOrEmpty(line(7));
    person.email = valueOrEmpty(line(8));
    return person;
}

QString DataCentre::convertZorprofileDataToNew(const Person& person)
{
    return convertZorprofileDataToNew(person, QDate::currentDate());
}

QString DataCentre::convertZorprofileDataToNew(const Person& person, const QDate& today)
{
    // The calendar year: the week-based one would stamp the last days of December with the next.
    const QString date =
        QLocale(QLocale::English, QLocale::UnitedStates).toString(today, QStringLiteral("MMM dd yyyy"));
    const QString notes = platform::format(
        QStringLiteral("Additional data from profile (transferred on %@), please review and "
                       "update:\nAge: %@\nBirth Date: %@"),
        {date, valueOrEmpty(person.age), valueOrEmpty(person.birthDate)});
    const QList<QPair<QString, QString>> fields{
        {QStringLiteral("Owner First Name"), person.firstName},
        {QStringLiteral("Owner Last Name"), person.lastName},
        {QStringLiteral("Owner Email"), person.email},
        {QStringLiteral("Owner Home Phone Number"), person.phoneNumber},
        {QStringLiteral("Pet Chart Number"), person.chartNumber},
        {QStringLiteral("Pet Sex"), platform::format(QStringLiteral("%d"), {person.genderFlag})},
        // The old birth date is free text, so the new record says it has none.
        {QStringLiteral("Birth Date Status"), QStringLiteral("1")},
        {QStringLiteral("Notes"), notes},
    };
    QString block = QLatin1String("");
    for (const auto& [key, value] : fields)
        block += QStringLiteral("\n\n") + generateFullString(value, key);
    return block;
}

QString DataCentre::grabPageTitleFromZomprofile(const Person& person)
{
    QString title = platform::format(QStringLiteral("%@ %@"),
                                     {valueOrEmpty(person.firstName), valueOrEmpty(person.lastName)});
    if (!valueOrEmpty(person.chartNumber).isEmpty())
        title += QStringLiteral(" ") + person.chartNumber;
    return title;
}

bool DataCentre::removeOldZorprofileStringFromFile(const QString& path)
{
    const std::optional<QString> text = platform::readPageTextFile(path);
    if (!text)
        return false;
    const std::optional<QString> rest = textAfterHeader(*text);
    if (!rest)
        return false;
    return platform::writeFileAtomically(path, StoredPageEncoding::bytesFor(*rest));
}

bool DataCentre::isOldProfilePage(const QString& pageText)
{
    // Only the record editions ever wrote such pages; elsewhere a page that merely opens with a
    // comment would lose it to a record it never held.
    return !edition().gProfileFieldNames.isEmpty() && oldZorprofileFlag(pageText);
}

std::optional<QString> DataCentre::convertOldProfilePage(const QString& pagePath, const QString& pageText)
{
    if (!isOldProfilePage(pageText))
        return std::nullopt;
    const std::optional<QString> stored = platform::readPageTextFile(pagePath);
    if (!stored || !oldZorprofileFlag(*stored))
        return std::nullopt;
    const Person person = grabOldZorprofileData(*stored);
    // The block is appended and the header cut in one write: a failure between the two would
    // leave a page converted again at its next reading.
    const QString converted = *textAfterHeader(*stored) + QStringLiteral("\n\n") + convertZorprofileDataToNew(person);
    if (!platform::writeFileAtomically(pagePath, StoredPageEncoding::bytesFor(converted)))
        return std::nullopt;
    return grabPageTitleFromZomprofile(person);
}

QString DataCentre::grabPageTitle(const QString& pageText)
{
    if (!edition().gPageTitleMarkerFlag)
        return QLatin1String("");
    const QString marked = grabMiddleString(kPageTitleStart, kPageTitleEnd, pageText);
    if (!marked.isEmpty())
        return valueOrEmpty(marked);
    // A page without the marker may carry its title as a whole first-line comment. A line that
    // opens a comment without closing it on that line holds no title.
    const QString line = firstLine(pageText);
    if (line.size() < kCommentOpener.size() + kCommentCloser.size() || !line.startsWith(kCommentOpener) ||
        !line.endsWith(kCommentCloser))
        return QLatin1String("");
    return valueOrEmpty(line.mid(kCommentOpener.size(), line.size() - kCommentOpener.size() - kCommentCloser.size()));
}

QString DataCentre::storedPageTitle(const QString& pageText)
{
    if (edition().gPageTitleMarkerFlag)
        return grabPageTitle(pageText);
    return grabMiddleString(kPageTitleStart, kPageTitleEnd, pageText);
}
