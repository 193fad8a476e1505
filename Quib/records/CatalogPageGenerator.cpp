#include "records/CatalogPageGenerator.h"

#include "generation/TextEscaping.h"
#include "records/CatalogScan.h"

#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {

QString head(const QString& title, const QString& styleAndScript)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">\n"
                          "<meta name=\"description\" content=\"\">\n<meta name=\"author\" content=\"\">\n"
                          "<title>%1</title>\n<link rel=\"stylesheet\" href=\"%2\">\n"
                          "<script src=\"%3\"></script>\n<script src=\"%4\"></script>\n%5</head>")
        .arg(TextEscaping::escapeHtmlLine(title), CatalogPageGenerator::bootstrapStyleSheetUrl(),
             CatalogPageGenerator::jqueryUrl(), CatalogPageGenerator::bootstrapScriptUrl(), styleAndScript);
}

// The parts joined by line breaks, then the body's end, the closing script and the document's end.
QString closePage(const QStringList& parts, const QString& closingScript)
{
    return parts.join(u'\n') + QStringLiteral("\n</body>\n") + closingScript + QStringLiteral("\n</html>");
}

QString themeRules(bool dark)
{
    return QStringLiteral(".jumbotron {\nbackground-color: %1 !important;\n}\n"
                          "body {\nbackground-color: %2 !important;\ncolor: %3 !important;\n}\n")
        .arg(dark ? QStringLiteral("#000") : QStringLiteral("#eee"),
             dark ? QStringLiteral("#000000") : QStringLiteral("#FFFFFF"),
             dark ? QStringLiteral("#ffffff") : QStringLiteral("#000000"));
}

const QString kListRules = QStringLiteral("ul {\npadding:0 0 0 0;\nmargin:0 0 0 0;\n}\n"
                                          "ul li {\nlist-style:none;\nmargin-bottom:25px;\n}\n");

QString bodyStart(const CatalogOptions& options)
{
    const QString jumbotron =
        QStringLiteral("<div class=\"jumbotron\"><h1 style=\"padding-left:20px;\">%1</h1></div>")
            .arg(TextEscaping::escapeHtmlText(options.title));
    return options.centredHeading
               ? QStringLiteral("<body>\n<center>%1</center>\n<div class=\"container\">").arg(jumbotron)
               : QStringLiteral("<body>\n%1\n<div class=\"container\">").arg(jumbotron);
}

QString pageFileName(const QString& base, int page)
{
    return base + QString::number(page) + QStringLiteral(".html");
}

QString navigation(const QString& base, int current, int pages)
{
    QString nav = QStringLiteral("<nav>\n<ul class=\"pagination\">");
    for (int k = 1; k <= pages; ++k) {
        const QString href =
            TextEscaping::quotedAttribute(CatalogPageGenerator::urlPath(pageFileName(base, k)));
        nav += k == current ? QStringLiteral("\n<li class=\"active\"><a href=%1>%2</a></li>")
                                  .arg(href, QString::number(k))
                            : QStringLiteral("\n<li><a href=%1>%2</a></li>").arg(href, QString::number(k));
    }
    return nav + QStringLiteral("\n</ul></nav>");
}

QString captions(const QuibFileHelper& record, const CatalogOptions& options)
{
    QString text;
    if (options.fileNameCaption)
        text += QStringLiteral("\n<center><br>%1</center>")
                    .arg(TextEscaping::escapeHtmlText(QFileInfo(record.filePath).fileName()));
    if (options.timestampCaption)
        text += QStringLiteral("\n<center><br>%1</center>")
                    .arg(TextEscaping::escapeHtmlText(record.fileModDateString));
    return text;
}

QString sourceOf(const QuibFileHelper& record, const CatalogOptions& options)
{
    return options.linkCopies ? record.updatedFilePath : record.filePath;
}

// Splits the items into pages of options' size and lays each page out with its navigation.
QList<CatalogPage> paginate(const QStringList& items, const CatalogOptions& options,
                            const std::function<QString(const QString& nav, const QString& list)>& layOut)
{
    QList<CatalogPage> pages;
    const int perPage = CatalogPageGenerator::itemsPerPage(qBound(0, options.itemsPerPageSegment, 11));
    const int count = int(items.size());
    const int pageCount = (count + perPage - 1) / perPage;
    for (int page = 1; page <= pageCount; ++page) {
        QString list = QStringLiteral("<ul class=\"row\">\n");
        for (int i = (page - 1) * perPage; i < std::min(count, page * perPage); ++i)
            list += u'\n' + items[i];
        list += QStringLiteral("\n</ul></div>");
        const QString nav = pageCount > 1 ? navigation(options.baseName, page, pageCount) : QString();
        pages.append({pageFileName(options.baseName, page), layOut(nav, list)});
    }
    return pages;
}

const QString kViewerScript = QStringLiteral(R"(<script>
$(document).ready(function(){
  var holder = $('#myModal');
  $('ul.row li img').on('click', function(){
    var source = $(this).attr('src');
    var position = $(this).closest('li').index();
    holder.one('show.bs.modal', function(){
      holder.empty();
      holder.append($('<img class="img-responsive">').attr('src', source));
      var controls = $('<div style="height:25px;"></div>');
      controls.append($('<a class="controls next" href="#">next &raquo;</a>').attr('data-target-item', position + 2));
      controls.append($('<a class="controls previous" href="#">&laquo; prev</a>').attr('data-target-item', position));
      holder.append(controls);
      holder.find('a.controls.next').trigger('click');
      holder.find('a.controls.previous').trigger('click');
    });
    holder.modal('show');
    $(window).trigger('resize');
  });
  holder.on('hidden.bs.modal', function(){
    holder.empty();
  });
  holder.on('click', 'a.controls', function(event){
    event.preventDefault();
    var target = parseInt($(this).attr('data-target-item'), 10);
    var items = $('ul.row > li');
    var source = items.eq(target - 1).find('img').attr('src');
    if (source !== undefined) {
      holder.children('img').attr('src', source);
    }
    var next = holder.find('a.controls.next').attr('data-target-item', target + 1);
    var previous = holder.find('a.controls.previous').attr('data-target-item', target - 1);
    next.toggle(target + 1 !== items.length + 1);
    previous.toggle(target - 1 !== 0);
    return false;
  });
});
</script>)");

const QString kPopoverScript = QStringLiteral(
    "<script>\n$(document).ready(function(){\n$('[data-toggle=\"popover\"]').popover();\n});\n</script>");

} // namespace

const QString& CatalogPageGenerator::bootstrapStyleSheetUrl()
{
    static const QString url =
        QStringLiteral("https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css");
    return url;
}

const QString& CatalogPageGenerator::jqueryUrl()
{
    static const QString url =
        QStringLiteral("https://ajax.googleapis.com/ajax/libs/jquery/1.11.1/jquery.min.js");
    return url;
}

const QString& CatalogPageGenerator::bootstrapScriptUrl()
{
    static const QString url =
        QStringLiteral("https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js");
    return url;
}

quint64 CatalogPageGenerator::skipThreshold(int segment)
{
    static const quint64 thresholds[] = {1000000, 5000000, 10000000, 20000000};
    return segment >= 0 && segment < 4 ? thresholds[segment] : 0;
}

const QStringList& CatalogPageGenerator::skipLabels()
{
    static const QStringList labels{QStringLiteral("Up to 1 MB"), QStringLiteral("Up to 5 MB"),
                                    QStringLiteral("Up to 10 MB"), QStringLiteral("Up to 20 MB")};
    return labels;
}

QString CatalogPageGenerator::urlPath(const QString& path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(path, QByteArrayLiteral("/")));
}

QList<CatalogPage> CatalogPageGenerator::generatePhotoGalleryCode(const QList<QuibFileHelper>& records,
                                                                  const CatalogOptions& options,
                                                                  const Progress& progress)
{
    const QString style =
        QStringLiteral("<style type=\"text/css\">\n") + kListRules +
        QStringLiteral(
            "ul li img {\ncursor: pointer;\n}\n"
            ".modal img {\ntext-align:center;\nmargin:0 auto;\nbox-shadow: 0 5px 15px rgba(0, 0, 0, .5);\n}\n"
            ".modal {\noverflow-y:auto;\npadding:20px;\n}\n"
            ".modal-backdrop {\nbackground-color:white;\n}\n"
            ".controls "
            "{\nwidth:50px;\ndisplay:block;\nfont-size:11px;\npadding-top:8px;\nfont-weight:bold;\n}\n"
            ".next {\nfloat:right;\ntext-align:right;\n}\n") +
        themeRules(options.darkTheme) +
        QStringLiteral("</style>\n<script>\n$(document).ready(function(){\n"
                       "$(window).on('resize', function(){\n"
                       "$('.modal img').css('max-height', $(window).height() - 100);\n});\n"
                       "$(window).trigger('resize');\n});\n</script>\n");
    const int step = CatalogScan::progressStep(records.size());
    QStringList items;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (progress && i % step == 0)
            progress(qint32(i), qint32(records.size()), QStringLiteral("Step 2: Generating Photo Grid"));
        const QuibFileHelper& record = records[i];
        items.append(
            QStringLiteral("<li class=\"col-lg-2 col-md-2 col-sm-3 col-xs-4\"><img class=\"img-responsive\" "
                           "src=%1>")
                .arg(TextEscaping::quotedAttribute(urlPath(sourceOf(record, options)))) +
            captions(record, options) + QStringLiteral("\n</li>"));
    }
    const QString pageHead = head(options.title, style);
    const QString start = bodyStart(options);
    const QString holder =
        QStringLiteral("<div class=\"modal fade\" id=\"myModal\" tabindex=\"-1\" role=\"dialog\" "
                       "aria-labelledby=\"myModalLabel\" aria-hidden=\"true\">\n</div>");
    return paginate(items, options, [&](const QString& nav, const QString& list) {
        QStringList parts{pageHead, start};
        if (!nav.isEmpty())
            parts.append(nav);
        parts << list << holder << QString();
        return closePage(parts, kViewerScript);
    });
}

QList<CatalogPage> CatalogPageGenerator::generateVideoGalleryCode(const QList<QuibFileHelper>& records,
                                                                  const CatalogOptions& options,
                                                                  const Progress& progress)
{
    const QString style =
        QStringLiteral("<style type=\"text/css\">\n") + kListRules +
        QStringLiteral(".popover {\nword-wrap:break-word;\n}\n") + themeRules(options.darkTheme) +
        QStringLiteral(".popover-title, .popover-content {\ncolor: #000000;\n}\n</style>\n");
    QStringList items;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (progress)
            progress(qint32(i), qint32(records.size()), QStringLiteral("Generating Grid"));
        const QuibFileHelper& record = records[i];
        const QString source = sourceOf(record, options);
        QString item =
            QStringLiteral(
                "<li class=\"col-lg-4 col-md-4 col-sm-6 col-xs-12\">\n"
                "<div class=\"embed-responsive embed-responsive-16by9\">\n"
                "<video width=\"100%\" height=\"100%\" controls>\n<source src=%1 type=\"video/mp4\">\n"
                "</video>\n</div>")
                .arg(TextEscaping::quotedAttribute(urlPath(source)));
        item += captions(record, options);
        if (options.filePathButton)
            item += QStringLiteral(
                        "\n<button type=\"button\" class=\"btn btn-md btn-success\" data-toggle=\"popover\" "
                        "title=%1 data-content=%2>Path</button>")
                        .arg(TextEscaping::quotedAttribute(QFileInfo(record.filePath).fileName()),
                             TextEscaping::quotedAttribute(source));
        items.append(item + QStringLiteral("\n</li>"));
    }
    const QString pageHead = head(options.title, style);
    const QString start = bodyStart(options);
    return paginate(items, options, [&](const QString& nav, const QString& list) {
        QStringList parts{pageHead, start};
        if (!nav.isEmpty())
            parts.append(nav);
        parts << list << QString() << QString();
        return closePage(parts, kPopoverScript);
    });
}

CatalogPage CatalogPageGenerator::generateFileGalleryCode(const QList<QuibFileHelper>& records,
                                                          const CatalogOptions& options, const QDateTime& now,
                                                          const Progress& progress)
{
    const quint64 threshold = skipThreshold(options.skipSegment);
    QString rows = QStringLiteral(
        "<table class=\"table table-bordered table-striped\">\n<thead><tr><th class=\"col-md-1\"></th>"
        "<th class=\"col-md-1\">Size</th><th class=\"col-md-9\">Path</th><th "
        "class=\"col-md-1\">Show</th></tr></thead>\n"
        "<tbody>\n");
    int listed = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QuibFileHelper& record = records[i];
        if (record.fileSizeBytes <= threshold)
            continue;
        ++listed;
        rows +=
            QStringLiteral("\n<tr><td>%1</td><td>%2</td><td>%3</td><td><a href=%4><button type=\"button\" "
                           "class=\"btn btn-success\">Show</button></a></td></tr>")
                .arg(QString::number(listed), TextEscaping::escapeHtmlText(record.fileSize),
                     TextEscaping::escapeHtmlText(record.filePath),
                     TextEscaping::quotedAttribute(urlPath(record.filePath)));
        if (progress)
            progress(qint32(i), qint32(records.size()), QStringLiteral("Generating..."));
    }
    const int total = int(records.size());
    const QString label = skipLabels().value(options.skipSegment);
    const QString heading =
        QStringLiteral(
            "<h3>Tirrabel</h3><br><ul><li class=\"text-info\">Generated on: %1<li>Path: %2<li>Total: %3 "
            "folders"
            "<li>Indexed: %4 folders<li>Skipped: %5 folders<li>Skip criteria selected: %6"
            "<li>Folder Size Calculation: Files contained in each folder are measured and then summed up to "
            "calculate total size of the folder.  Subfolders are not included in calculation (no roll-up).  "
            "Each subfolder is measured and indexed separately in the catalog.</ul>")
            .arg(QLocale::c().toString(now, QStringLiteral("MMM dd yyyy hh:mm AP dddd")),
                 TextEscaping::escapeHtmlText(options.inputFolderPath), QString::number(total),
                 QString::number(listed), QString::number(total - listed),
                 TextEscaping::escapeHtmlText(label));
    const QString style = QStringLiteral(
        "<style type=\"text/css\">\n.table{\ntable-layout: fixed;\nword-wrap:break-word;\n}\n</style>\n");
    const QStringList parts{
        head(options.editionDisplayName, style),
        QStringLiteral("<body>\n<div class=\"jumbotron\">%1</div>\n<div class=\"container\">").arg(heading),
        QString(),
        rows,
        QStringLiteral("</tbody></table></div>"),
        QString()};
    return {pageFileName(options.baseName, 1), closePage(parts, QString())};
}
