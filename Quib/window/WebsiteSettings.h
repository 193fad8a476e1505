// The website project's own settings file ("site.quibs": title and description between markers)
// and favicons, and the row moves of the website settings table, as plain functions so that each
// rule is tested without the sheet.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

class WebsiteSettings
{
public:
    WebsiteSettings() = delete;

    static QString settingsFileName() { return QStringLiteral("site.quibs"); }
    static QString faviconFileName() { return QStringLiteral("favicon.ico"); }
    static QString originalFaviconFileName() { return QStringLiteral("favicon_original.ico"); }
    // The favicon's side in pixels.
    static constexpr int kFaviconSize = 32;

    struct SiteText
    {
        QString title;
        QString description;
    };

    // Two marker lines, one line feed between them and none at the end, in UTF-8 (plain ASCII text
    // gives the same bytes as before).
    static QByteArray siteSettingsBytes(const QString& title, const QString& description);
    // UTF-8, else Latin-1. A value whose start marker is missing, or has no end marker after it, is
    // empty.
    static SiteText parseSiteSettings(const QByteArray& bytes);
    // The file in folder; a missing, unreadable or oversized file gives empty values.
    static SiteText readSiteSettings(const QString& folder);
    static bool writeSiteSettings(const QString& folder, const QString& title, const QString& description);

    // "favicon_original.ico" (the image as PNG) and "favicon.ico" (the image scaled to 32 x 32, PNG).
    static bool writeFavicons(const QString& folder, const QImage& image);
    // The original favicon image, null when there is none.
    static QImage readFavicon(const QString& folder);

    // Selected rows move one place up (down) as a block; a row already at the top (bottom), or
    // under (over) a selected row that cannot move, stays.
    template <class T> static void moveSelectedUp(QList<T>& rows, QList<bool>& selected)
    {
        for (qsizetype i = 1; i < rows.size() && i < selected.size(); ++i) {
            if (selected.at(i) && !selected.at(i - 1)) {
                rows.swapItemsAt(i, i - 1);
                selected.swapItemsAt(i, i - 1);
            }
        }
    }
    template <class T> static void moveSelectedDown(QList<T>& rows, QList<bool>& selected)
    {
        for (qsizetype i = std::min(rows.size(), selected.size()) - 2; i >= 0; --i) {
            if (selected.at(i) && !selected.at(i + 1)) {
                rows.swapItemsAt(i, i + 1);
                selected.swapItemsAt(i, i + 1);
            }
        }
    }
};
