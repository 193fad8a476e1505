#include "publishing/MailContactBook.h"

#include "platform/SafePath.h"
#include "platform/TextEncoding.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>

namespace {

QString gFolder;
QMutex gRecordsMutex;
QList<QVariantMap> gPersonalizationRecords;

// A value's components at unescaped ';', each unescaped (\\ \, \; \n).
QStringList components(const QString& value)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            current += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else if (c == u';') {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    for (QString& part : parts)
        part = part.trimmed().left(MailContactBook::kMaxValueLength);
    return parts;
}

QString component(const QStringList& parts, int index)
{
    return index < parts.size() ? parts.at(index) : QString();
}

// "TYPE=home,pref" or "TYPE=HOME;TYPE=WORK" or a bare "HOME" (vCard 2.1 style): the first type that
// is not "pref"/"internet"/"voice".
QString typeLabel(const QStringList& parameters)
{
    for (const QString& parameter : parameters) {
        const QString value = parameter.section(u'=', parameter.contains(u'=') ? 1 : 0).remove(u'"');
        if (parameter.contains(u'=') && !parameter.startsWith(QLatin1String("TYPE="), Qt::CaseInsensitive))
            continue;
        for (const QString& type : value.split(u',', Qt::SkipEmptyParts)) {
            const QString lower = type.trimmed().toLower();
            if (lower != QLatin1String("pref") && lower != QLatin1String("internet") &&
                lower != QLatin1String("voice"))
                return lower;
        }
    }
    return {};
}

QString decodeCardText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Where the name ends: the first ':' outside a quoted parameter value.
qsizetype valueStart(const QString& line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'"')
            quoted = !quoted;
        else if (line.at(i) == u':' && !quoted)
            return i;
    }
    return -1;
}

QList<QFileInfo> cardFilesIn(const QString& folder)
{
    return QDir(folder).entryInfoList(
        {QStringLiteral("*.vcf"), QStringLiteral("*.vcard"), QStringLiteral("*.VCF")},
        QDir::Files | QDir::NoSymLinks, QDir::Name);
}

} // namespace

QString MailContactAddress::summary() const
{
    QStringList parts;
    for (const QString& part : {street, city, state, zipCode, country}) {
        if (!part.isEmpty())
            parts.append(QString(part).replace(u'\n', QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral(", "));
}

QString MailContact::displayName() const
{
    const QString name = QStringList{firstName, lastName}.join(u' ').trimmed();
    if (!name.isEmpty())
        return name;
    return !organization.isEmpty() ? organization : emails.value(0);
}

QString MailContact::uniqueId() const
{
    QString source = uid;
    if (source.isEmpty()) {
        source = firstName + u'\n' + lastName + u'\n' + organization + u'\n' + emails.join(u',');
        for (const MailContactAddress& address : addresses)
            source += u'\n' + address.summary();
    }
    const QByteArray digest = QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha256);
    return QString::number(qFromBigEndian<quint32>(digest.constData()));
}

QList<MailContact> MailContactBook::parse(const QByteArray& bytes)
{
    QString text = decodeCardText(bytes.left(kMaxFileBytes));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    // Unfolding: a line break followed by a space or tab continues the line.
    text.replace(QLatin1String("\n "), QString()).replace(QLatin1String("\n\t"), QString());

    QList<MailContact> cards;
    std::optional<MailContact> card;
    QString formattedName;
    for (const QString& rawLine : text.split(u'\n')) {
        const QString line = rawLine.trimmed();
        const qsizetype colon = valueStart(line);
        if (colon <= 0)
            continue;
        QStringList nameAndParameters = line.left(colon).split(u';');
        QString name = nameAndParameters.takeFirst().toUpper();
        if (name.contains(u'.'))
            name = name.section(u'.', -1); // "item1.EMAIL"
        const QString value = line.mid(colon + 1);
        if (name == QLatin1String("BEGIN") &&
            value.compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0) {
            card = MailContact();
            formattedName.clear();
            continue;
        }
        if (!card)
            continue;
        if (name == QLatin1String("END")) {
            if (card->firstName.isEmpty() && card->lastName.isEmpty())
                card->firstName = formattedName;
            cards.append(*card);
            card.reset();
            if (cards.size() >= kMaxCards)
                break;
            continue;
        }
        const QStringList parts = components(value);
        if (name == QLatin1String("UID")) {
            card->uid = value.trimmed().left(kMaxValueLength);
        } else if (name == QLatin1String("N")) {
            card->lastName = component(parts, 0);
            card->firstName = component(parts, 1);
            card->title = component(parts, 3);
        } else if (name == QLatin1String("FN")) {
            formattedName = component(parts, 0);
        } else if (name == QLatin1String("ORG")) {
            card->organization = component(parts, 0);
        } else if (name == QLatin1String("TITLE")) {
            card->jobTitle = component(parts, 0);
        } else if (name == QLatin1String("EMAIL") && card->emails.size() < kMaxValuesPerCard) {
            const QString address = components(value).join(u';');
            if (!address.isEmpty())
                card->emails.append(address);
        } else if (name == QLatin1String("TEL") && card->phones.size() < kMaxValuesPerCard) {
            QString number = components(value).join(u';');
            if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
                number = number.mid(4);
            if (!number.isEmpty())
                card->phones.append(number);
        } else if (name == QLatin1String("ADR") && card->addresses.size() < kMaxValuesPerCard) {
            MailContactAddress address;
            address.street = component(parts, 2);
            address.city = component(parts, 3);
            address.state = component(parts, 4);
            address.zipCode = component(parts, 5);
            address.country = component(parts, 6);
            address.label = typeLabel(nameAndParameters);
            card->addresses.append(address);
        }
    }
    return cards;
}

QString MailContactBook::folder()
{
    if (!gFolder.isEmpty())
        return gFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Contacts");
}

void MailContactBook::setFolder(const QString& folder)
{
    gFolder = folder;
}

int MailContactBook::importPaths(const QStringList& paths, QStringList* errors)
{
    const auto refuse = [errors](const QString& text) {
        if (errors)
            errors->append(text);
    };
    QList<QFileInfo> files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            files += cardFilesIn(path);
        else if (info.isFile())
            files.append(info);
        else
            refuse(QStringLiteral("\"%1\" could not be found.").arg(path));
    }
    if (files.size() > kMaxFiles) {
        refuse(QStringLiteral("Only the first %1 files were imported.").arg(kMaxFiles));
        files = files.mid(0, kMaxFiles);
    }
    const QString target = folder();
    if (!QDir().mkpath(target)) {
        refuse(QStringLiteral("The contacts folder could not be made."));
        return 0;
    }
    int imported = 0;
    for (const QFileInfo& file : files) {
        if (file.size() > kMaxFileBytes) {
            refuse(QStringLiteral("\"%1\" is too large for a contacts file.").arg(file.fileName()));
            continue;
        }
        QFile in(file.absoluteFilePath());
        if (!in.open(QIODevice::ReadOnly)) {
            refuse(QStringLiteral("\"%1\" could not be read.").arg(file.fileName()));
            continue;
        }
        const QByteArray bytes = in.read(kMaxFileBytes);
        const int cards = int(parse(bytes).size());
        if (cards == 0) {
            refuse(QStringLiteral("\"%1\" holds no contact cards.").arg(file.fileName()));
            continue;
        }
        // The copy keeps the file's name where that is a safe one; another import of the same name
        // gets a number rather than replace it.
        const QString base = platform::SafePath::isSafeName(file.completeBaseName())
                                 ? file.completeBaseName()
                                 : QStringLiteral("contacts");
        std::optional<QString> path;
        for (int n = 1; n < 1000 && !path; ++n) {
            const QString name = (n == 1 ? base : base + u'-' + QString::number(n)) + QStringLiteral(".vcf");
            const std::optional<QString> candidate = platform::SafePath::filePath(target, name);
            if (candidate && !QFileInfo::exists(*candidate))
                path = candidate;
        }
        if (!path || !platform::writeFileAtomically(*path, bytes)) {
            refuse(QStringLiteral("\"%1\" could not be kept.").arg(file.fileName()));
            continue;
        }
        imported += cards;
    }
    return imported;
}

QList<MailContact> MailContactBook::contacts()
{
    QList<MailContact> all;
    for (const QFileInfo& file : cardFilesIn(folder())) {
        if (file.size() > kMaxFileBytes)
            continue;
        QFile in(file.absoluteFilePath());
        if (!in.open(QIODevice::ReadOnly))
            continue;
        all += parse(in.read(kMaxFileBytes));
        if (all.size() >= kMaxCards) {
            all = all.mid(0, kMaxCards);
            break;
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const MailContact& a, const MailContact& b) {
        return QString::localeAwareCompare(a.displayName(), b.displayName()) < 0;
    });
    return all;
}

QList<QVariantMap> MailContactBook::personalizationRecords(const MailContact& contact,
                                                           const QList<int>& addressIndexes)
{
    const QVariantMap person{{QStringLiteral("[UNIQUE_CONTACT_ID]"), contact.uniqueId()},
                             {QStringLiteral("[FIRST_NAME]"), contact.firstName},
                             {QStringLiteral("[LAST_NAME]"), contact.lastName},
                             {QStringLiteral("[COMPANY_NAME]"), contact.organization},
                             {QStringLiteral("[TITLE]"), contact.title},
                             {QStringLiteral("[JOB_TITLE]"), contact.jobTitle},
                             {QStringLiteral("[EMAIL]"), contact.emails.value(0)},
                             {QStringLiteral("[PHONE]"), contact.phones.value(0)}};
    QList<QVariantMap> records;
    int position = 0;
    for (const int index : addressIndexes) {
        if (index < 0 || index >= contact.addresses.size())
            continue;
        const MailContactAddress& address = contact.addresses.at(index);
        QVariantMap record = person;
        const QList<QPair<const char*, QString>> parts{{"[STREET]", address.street},
                                                       {"[STATE]", address.state},
                                                       {"[CITY]", address.city},
                                                       {"[ZIPCODE]", address.zipCode},
                                                       {"[COUNTRY]", address.country}};
        for (const auto& [key, value] : parts) {
            if (!value.isEmpty())
                record.insert(QLatin1String(key), value);
        }
        record.insert(QStringLiteral("Address_Number"), QString::number(position++));
        records.append(record);
    }
    return records;
}

QList<QVariantMap> MailContactBook::currentRecords()
{
    QMutexLocker lock(&gRecordsMutex);
    return gPersonalizationRecords;
}

void MailContactBook::setCurrentRecords(const QList<QVariantMap>& records)
{
    QMutexLocker lock(&gRecordsMutex);
    gPersonalizationRecords = records;
}
