#include "publishing/UploadLogTexts.h"

namespace UploadLogTexts {

QString fill(const char* format, const QStringList& values)
{
    const QString text = QString::fromUtf8(format);
    QString result;
    result.reserve(text.size() + 64);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'%' && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            qsizetype end = i + 1;
            int number = 0;
            while (end < text.size() && text.at(end).isDigit() && number < 100)
                number = number * 10 + text.at(end++).digitValue();
            if (number >= 1 && number <= values.size()) {
                result += values.at(number - 1);
                i = end - 1;
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

} // namespace UploadLogTexts
