// The HTML of an image-map e-mail: the page as one picture, with a clickable rectangle over every
// linked image, text box and table cell. Built from the page's graphics alone, so a test or a batch
// run gets the same message the window sends.
#pragma once
#include <QColor>
#include <QDateTime>
#include <QSize>
#include <QString>

class DRVDocument;

// What the message needs besides the page's graphics.
struct EmailCodeSettings
{
    // The "uploadOption" setting: "ftp", "dropbox", anything else sends the picture along.
    QString hostingMode;
    // "baseurl" and the hosted file name (ftp), the shared link (dropbox).
    QString baseURL;
    QString remoteFileName;
    QString dropboxLink;
    // The page colour; an invalid colour gives white.
    QColor backgroundColor;
    // The rendered picture, whose top-left corner is the canvas origin.
    QSize pictureSize;
    // Without it the picture is shown 50 pixels larger each way, as the exports add a margin.
    bool noExportMargin = false;
    QString header;
    QString footer;
    QString tooltip;
};

class EmailCode
{
public:
    EmailCode() = delete;

    // The picture's file name beside the message when it travels as an attachment.
    static const QString& pictureFileName();
    static const QString& messageFileName();

    // Where the message's img points: the ftp address, the shared link, or the attached picture.
    static QString imageSource(const EmailCodeSettings& settings);

    // The whole message.
    static QString generate(const DRVDocument& document, const EmailCodeSettings& settings);

    // The map's areas: images ordered by the number in their names, then text boxes, then table
    // cells (each table's cells last to first).
    static QString areas(const DRVDocument& document);

    // One area; the link is escaped into its quoted attribute. The start is clamped to the
    // picture, the end keeps the unclamped origin.
    static QString areaElement(int x, int y, int w, int h, const QString& link);

    // Whether a link makes an area: not empty and not the "http://" placeholder.
    static bool isAreaLink(const QString& link);

    // The hosted picture's name for a send at now: a stamp to the second on a 24-hour clock,
    // a suffix that keeps two sends in one second apart, and the picture's name.
    static QString hostedFileName(const QDateTime& now, const QString& suffix);
    // Six random lower-case letters and digits.
    static QString randomSuffix();
};
