// What a record form turns into: the field block written into the page, the page title and the
// proposed file name. Pure text, so the forms and the tests share one set of rules.
#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class ProfileBlocks
{
public:
    // Pet records (veterinary and viewer editions) and human records (patients, students).
    enum class Kind { Pet, Human };

    // The field keys in the order a new page writes them.
    static const QStringList& petFieldKeys();
    static const QStringList& humanFieldKeys();
    static const QStringList& fieldKeys(Kind kind);

    // "Mar 04 2014", in English whatever the user's locale.
    static QString dateString(const QDate& date);
    // The date of such a text; an invalid date for anything else.
    static QDate parseDate(const QString& text);
    // A stored segment index or checkbox state; text not starting with a number counts as 0.
    static int storedInt(const QString& text);

    // Every key of the kind as a marker pair, each after a blank line; a missing value is "".
    static QString fieldBlock(Kind kind, const QVariantMap& values);
    // Pet: owner first and last name, pet name and breed; human: first and last name. Separated by
    // one blank each, empty values keeping their blanks.
    static QString pageTitle(Kind kind, const QVariantMap& values);
    // The file name the naming fields propose: the pet's name, or first name, last name and chart
    // number run together, cleaned for a file name.
    static QString proposedFileName(Kind kind, const QVariantMap& values);
    // The fields whose edits propose a file name.
    static const QStringList& namingKeys(Kind kind);
};
