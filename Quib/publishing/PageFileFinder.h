// Finds the page file among the files an unzipped page document left in a folder.
#pragma once
#include <QString>
#include <QStringList>

class PageFileFinder
{
public:
    PageFileFinder() = delete;
    // The file baseName.<ext> in folder's top level for the first of extensions that exists; else
    // the first top-level file, in name order, whose extension is one of extensions; else "".
    // Naming the document's own page first keeps a stray second page from being opened instead.
    static QString pageFileIn(const QString& folder, const QString& baseName, const QStringList& extensions);
};
