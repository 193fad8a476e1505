// The record of one old-format profile page, read from the page's leading comment while the page
// is converted to field markers.
#pragma once
#include <QString>

struct Person
{
    QString firstName;
    QString lastName;
    QString chartNumber;
    QString age;
    qint32 genderFlag = 0;
    QString phoneNumber;
    QString birthDate;
    QString email;
    QString fileModDate; // not filled by the conversion
};
