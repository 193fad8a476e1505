#include "records/ProfileBlocks.h"

#include "editions/DataCentre.h"
#include "platform/StringRules.h"

#include <QLocale>

namespace {

QString value(const QVariantMap& values, const char* key)
{
    return values.value(QLatin1String(key)).toString();
}

const QLocale& posixLocale()
{
    // The C locale names months in English, as the stored pattern needs.
    static const QLocale locale = QLocale::c();
    return locale;
}

const QString kDatePattern = QStringLiteral("MMM dd yyyy");

} // namespace

// The owner's (or the person's own) fields open both kinds of record.
static QStringList ownerFieldKeys()
{
    return {QStringLiteral("Owner First Name"),
            QStringLiteral("Owner Last Name"),
            QStringLiteral("Owner Home Phone Number"),
            QStringLiteral("Owner Cell Phone Number"),
            QStringLiteral("Owner Email"),
            QStringLiteral("Owner Address")};
}

const QStringList& ProfileBlocks::petFieldKeys()
{
    static const QStringList keys = ownerFieldKeys() + QStringList{QStringLiteral("Pet Name"),
                                                                   QStringLiteral("Pet Breed"),
                                                                   QStringLiteral("Pet Color"),
                                                                   QStringLiteral("Pet Chart Number"),
                                                                   QStringLiteral("Pet Microchip Number"),
                                                                   QStringLiteral("Notes"),
                                                                   QStringLiteral("Pet Sex"),
                                                                   QStringLiteral("Pet Neuter Status"),
                                                                   QStringLiteral("Birth Date Status"),
                                                                   QStringLiteral("Pet Birth Date")};
    return keys;
}

const QStringList& ProfileBlocks::humanFieldKeys()
{
    // The human editions keep the pet editions' key names.
    static const QStringList keys =
        ownerFieldKeys() + QStringList{QStringLiteral("Pet Chart Number"), QStringLiteral("Notes"),
                                       QStringLiteral("Pet Sex"), QStringLiteral("Birth Date Status"),
                                       QStringLiteral("Pet Birth Date")};
    return keys;
}

const QStringList& ProfileBlocks::fieldKeys(Kind kind)
{
    return kind == Kind::Pet ? petFieldKeys() : humanFieldKeys();
}

const QStringList& ProfileBlocks::namingKeys(Kind kind)
{
    static const QStringList pet{QStringLiteral("Pet Name")};
    static const QStringList human{QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"),
                                   QStringLiteral("Pet Chart Number")};
    return kind == Kind::Pet ? pet : human;
}

QString ProfileBlocks::dateString(const QDate& date)
{
    return posixLocale().toString(date, kDatePattern);
}

QDate ProfileBlocks::parseDate(const QString& text)
{
    return posixLocale().toDate(text.trimmed(), kDatePattern);
}

int ProfileBlocks::storedInt(const QString& text)
{
    return platform::intValue(text);
}

QString ProfileBlocks::fieldBlock(Kind kind, const QVariantMap& values)
{
    QString block = QStringLiteral("");
    for (const QString& key : fieldKeys(kind))
        block += QStringLiteral("\n\n") + DataCentre::generateFullString(values.value(key).toString(), key);
    return block;
}

QString ProfileBlocks::pageTitle(Kind kind, const QVariantMap& values)
{
    QStringList parts{value(values, "Owner First Name"), value(values, "Owner Last Name")};
    if (kind == Kind::Pet)
        parts << value(values, "Pet Name") << value(values, "Pet Breed");
    return parts.join(u' ');
}

QString ProfileBlocks::proposedFileName(Kind kind, const QVariantMap& values)
{
    QString joined;
    for (const QString& key : namingKeys(kind))
        joined += values.value(key).toString();
    return DataCentre::generateNewFileName(joined);
}
