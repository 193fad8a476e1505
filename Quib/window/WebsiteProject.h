// The rules of a website project folder that need no window: which files are pages, their listing
// order, the page order file, page widths and titles, new page names and their checks, page links.
// Everything here is a plain function of its arguments (and of the running edition), so the page
// operations of the window controller stay thin and each rule is tested alone.
#pragma once
#include "window/PageRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class WebsiteProject
{
public:
    WebsiteProject() = delete;

    // The form page extension every edition accepts beside its own.
    static QString formExtension() { return QStringLiteral("selvaro"); }
    // Extensions the scan lists: the edition's document extension and the form extension.
    static QStringList listedPageExtensions();
    // Every extension a project page may carry (the listed ones and the responsive template pages'
    // "zqv"); a new page name must be free under all of them.
    static QStringList allPageExtensions();
    static bool isListedPageName(const QString& fileName);

    // The project folder's name without blanks: the working copy's folder name.
    static QString workingFolderName(const QString& projectFolderPath);

    // The folder's page documents in listing order: "fileName" by name, "modDate" newest first, any
    // other value by name too, so that two scans always agree; equal dates fall back to the name.
    static QStringList listPageDocuments(const QString& folderPath, const QString& sortBy);
    // The same ordering over names and their dates (for tests and callers that already listed).
    static QStringList sortPageNames(QStringList names, const QString& sortBy,
                                     const std::function<QDateTime(const QString&)>& modificationDate);

    // The last viewport meta line's width, "" when the page names none.
    static QString grabPageWidth(const QString& pageText);
    // The page's title as the page list shows it (DataCentre::storedPageTitle).
    static QString grabPageTitle(const QString& pageText);

    // "order.index": one "name,position\n" line per page; ASCII when possible, else UTF-16 with a
    // byte-order mark.
    static QByteArray pageOrderIndexBytes(const QStringList& documentNames);
    // The (name, position) pairs of the file; lines without a comma or a name are skipped. nullopt
    // when the bytes are neither UTF-8 nor UTF-16.
    static std::optional<QList<QPair<QString, int>>> parsePageOrderIndex(const QByteArray& bytes);
    // Applies the pairs (nullopt: no file, positions follow the list) and sorts by position; pages
    // the file does not name follow the named ones in list order; the base template goes first.
    static QList<PageRecord> applyPageOrder(QList<PageRecord> records,
                                            const std::optional<QList<QPair<QString, int>>>& order,
                                            const QString& baseTemplateFileName);

    // The next free page name without extension: prefix, base word and a number, free under every
    // page extension (taken answers whether a file name exists in the project).
    static QString defaultPageName(const QString& prefix, const QString& baseName, int tileCount,
                                   const std::function<bool(const QString& fileName)>& taken);

    // Why a new page name may not be used; the order is the order the checks run in.
    enum class NameProblem { None, Empty, Conflict, TakenAsPage, TakenAsOtherKind, Characters };
    static NameProblem checkNewFileName(const QString& fileName,
                                        const std::function<bool(const QString& fileName)>& taken);
    // The alert title and informative text of a problem (None gives two empty strings).
    static QPair<QString, QString> alertTextFor(NameProblem problem, const QString& fileName);

    // "<base address>/<stem>.<html or php>"; trailing slashes of the base address are dropped.
    static QString pageLink(const QString& baseURL, const QString& documentName);

    // The first of stem.ext, stem2.ext, stem3.ext, ... whose stem is free under every page
    // extension; used when the user keeps both pages of one name.
    static QString freeDocumentName(const QString& documentName,
                                    const std::function<bool(const QString& fileName)>& taken);

    // Conversion of a page holding old-format profile data: given the page file's path and text,
    // converts the file and returns the page title, or nullopt when the page holds none. The
    // old-profile conversion is in place from the start; tests may replace it.
    using OldProfileConverter =
        std::function<std::optional<QString>(const QString& pagePath, const QString& text)>;
    static void setOldProfileConverter(OldProfileConverter converter);
    static const OldProfileConverter& oldProfileConverter();

    // Opens a page document as a new untitled window (the application installs it); true when a
    // window opened.
    using UntitledPageOpener = std::function<bool(const QString& documentPath, bool useBaseTemplate)>;
    static void setUntitledPageOpener(UntitledPageOpener opener);
    static const UntitledPageOpener& untitledPageOpener();
};
