#include "document/StoredPageEncoding.h"

#include "platform/TextEncoding.h"

#include <QStringList>

QString StoredPageEncoding::declaredCharset(const QString& page)
{
    // Only the writer's own charset lines count, at the start of a line of the head: a title or a
    // header code cannot pass for one.
    static const QString prefixes[] = {
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset="),
        QStringLiteral("<meta charset=\""),
    };
    const qsizetype headEnd = page.indexOf(QStringLiteral("</head>"));
    const QString head = headEnd < 0 ? page : page.left(headEnd);
    for (const QStringView line : QStringView(head).split(u'\n')) {
        for (const QString& prefix : prefixes) {
            if (!line.startsWith(prefix))
                continue;
            const QStringView rest = line.mid(prefix.size());
            qsizetype end = 0;
            while (end < rest.size() && rest[end] != u'"' && rest[end] != u'/' && rest[end] != u'>')
                ++end;
            return rest.left(end).toString().trimmed();
        }
    }
    return {};
}

QByteArray StoredPageEncoding::bytesFor(const QString& page)
{
    if (platform::isAsciiLossless(page))
        return platform::encodeAsciiElseUtf16(page);
    const QString charset = declaredCharset(page);
    if (charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) {
        if (std::optional<QByteArray> bytes = platform::encodeText(page, platform::TextEncoding::UTF8))
            return *bytes;
    }
    return platform::encodeAsciiElseUtf16(page);
}
