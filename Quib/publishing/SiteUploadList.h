// What publishing a whole website project sends, worked out from the project's files alone: each
// page of the list in order (its upload copy under its name on the server), after each page the files
// of its image folder that the upload filter lets through, and the project's "favicon.ico" last.
#pragma once
#include "publishing/UploadItem.h"

#include <QList>
#include <QString>
#include <QStringList>

class SiteUploadList
{
public:
    struct Page
    {
        QString localFileName;   // the page file in the page folder ("about.html")
        QString publishFileName; // its name on the server ("about.php", "about.html")
    };

    struct Input
    {
        QList<Page> pages;     // in the page list's order
        QString pageFolder;    // holds the page files and, beside each, its image folder
        QString copyFolder;    // where each page's upload copy lies
        QString projectFolder; // the project folder, which may hold "favicon.ico"
        bool withImages = false;
        // The page loop already wrote each copy in its published form (responsive editions):
        // nothing is to be written again.
        bool copiesWritten = false;
    };

    // A page file to be written again, in the encoding it names, as its upload copy.
    struct Copy
    {
        QString source;
        QString target;
    };

    struct Result
    {
        QList<UploadItem> items;
        QList<Copy> copies;        // one per page item, in the same order; none when already written
        QStringList refusedPages;  // names that could not become a path; those pages are left out
    };

    // Lists the items; reads folders but writes nothing. Image folders are listed by name, files
    // only (no sub-folders, hidden files or links).
    static Result build(const Input& input);

    // Writes each copy: the page's text in the encoding its page names ("Win-1251", "UTF-16", else
    // UTF-8; a PHP page always UTF-8, the only encoding PHP runs). Returns the source of the first
    // copy that could not be made (unreadable, or text the encoding cannot hold), "" when all were.
    static QString writeCopies(const QList<Copy>& copies);
};
