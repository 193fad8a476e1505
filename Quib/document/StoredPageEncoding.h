// The bytes of a stored page file: ASCII when every character is ASCII; otherwise the encoding the
// page's own charset line names, where the page reader recognises it again (UTF-8, or UTF-16 with a
// byte-order mark); else UTF-16. A page therefore names the encoding it is stored in, whether the
// save flow or a marker rewrite writes it.
#pragma once
#include <QByteArray>
#include <QString>

class StoredPageEncoding
{
public:
    StoredPageEncoding() = delete;

    static QByteArray bytesFor(const QString& page);
    // The charset the page's head names on a line of its own ("" when none does).
    static QString declaredCharset(const QString& page);
};
