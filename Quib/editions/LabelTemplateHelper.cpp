#include "editions/LabelTemplateHelper.h"

#include <utility>

LabelTemplateHelper::LabelTemplateHelper(QString brand, QString templateNumber, QString templateDescription,
                                         QString paperSize)
    : brand(std::move(brand)), templateNumber(std::move(templateNumber)),
      templateDescription(std::move(templateDescription)), paperSize(std::move(paperSize))
{
}

namespace {

bool isLineEnd(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

// Blanks (any space separator) and tabs at both ends.
QString trimField(const QString& field)
{
    auto blank = [](QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; };
    qsizetype begin = 0;
    qsizetype end = field.size();
    while (begin < end && blank(field.at(begin)))
        ++begin;
    while (end > begin && blank(field.at(end - 1)))
        --end;
    return field.mid(begin, end - begin);
}

} // namespace

QList<LabelTemplateHelper> LabelTemplateHelper::parseLabelsText(const QString& text)
{
    QList<LabelTemplateHelper> templates;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineEnd(text.at(i)))
            continue;
        const QString line = text.mid(start, i - start);
        start = i + 1;
        const QStringList fields = line.split(QLatin1Char(','));
        // Blank lines, the empty piece between CR and LF and lines without a description carry no
        // template; reading them would index past the fields.
        if (fields.size() < 3)
            continue;
        LabelTemplateHelper helper;
        helper.brand = trimField(fields.at(0));
        helper.templateNumber = trimField(fields.at(1));
        helper.templateDescription = trimField(fields.at(2));
        if (helper.templateDescription.isEmpty())
            continue;
        const QString paper = fields.size() > 3 ? trimField(fields.at(3)) : QString();
        helper.paperSize = paper == QLatin1String("US Letter") ? QStringLiteral("na-letter") : paper;
        templates.append(helper);
    }
    return templates;
}
