// One print template offered by the print editions: a brand's template number, its description
// (the key into the label-sheet catalogue) and the paper it is printed on.
#pragma once
#include <QList>
#include <QString>

class LabelTemplateHelper
{
public:
    LabelTemplateHelper() = default;
    LabelTemplateHelper(QString brand, QString templateNumber, QString templateDescription,
                        QString paperSize = QString());

    QString brand;
    QString templateNumber;
    QString templateDescription;
    QString paperSize;

    bool operator==(const LabelTemplateHelper&) const = default;

    // Reads the comma-separated "labels" file: one template per line, "brand,number,description,paper",
    // no quoting; fields past the fourth are ignored and each field is trimmed of blanks and tabs. Every
    // Unicode line end ends a line. Lines without a description (blank, short, the gap inside CR LF)
    // are skipped; a missing paper field reads as empty. "US Letter" is stored as "na-letter".
    static QList<LabelTemplateHelper> parseLabelsText(const QString& text);
};
