// The objects palette's item keys: one table from key to the factory call that makes the item at
// the drop point. Sizes written n/z keep an item the same size on screen at any zoom.
#include "canvas/DRVGraphicView.h"
#include "editions/EditionSettings.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QDateTime>
#include <QDebug>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

using V = DRVGraphicView;
using Args = DRVGraphicView::TextBoxArguments;
using Drop = DRVGraphicView::LibraryDrop;

const QString kHN = QStringLiteral("Helvetica Neue");
const QString kText = QStringLiteral("Text");
const QString kSnippet = QStringLiteral("HTMLSnippet");

// n divided by the zoom, truncated.
int perZoom(const Drop& d, double n)
{
    return platform::truncToInt(n / d.zoom);
}

QFont font(const QString& family, double points)
{
    QFont f(family);
    // A font of 0 points is no font: the smallest canvas still gets a readable one.
    f.setPointSizeF(std::max(1.0, points));
    return f;
}

enum class Fit { None, Section, SectionAndShift };

void box(V& view, const Drop& d, Args a, QRectF frame, Fit fit = Fit::None)
{
    if (fit != Fit::None && edition().gResponsiveLayoutFlag) {
        const QRectF fitted = view.grabSectionRect(d.point, frame);
        if (fit == Fit::SectionAndShift)
            view.shiftObjectsInSection(d.point, fitted);
        frame = fitted;
    }
    a.frame = frame;
    view.addTextBox(a);
}

Args text(const QString& string, const QFont& f)
{
    Args a;
    a.text = string;
    a.font = f;
    return a;
}

Args coloured(Args a, const QString& textColour, const QString& background = QStringLiteral("CLEAR0"))
{
    a.textColor = textColour;
    a.backgroundColor = background;
    return a;
}

Args button(Args a, const QString& background)
{
    a.backgroundColor = background;
    a.textColor = QStringLiteral("FFFFFF");
    a.cornerRadius = 10;
    a.alignment = QStringLiteral("center");
    a.textType = kSnippet;
    a.buttonLayoutFlag = true;
    return a;
}

Args bordered(Args a, const QString& style, int width, const QString& colour, int corner = 0)
{
    a.borderStyle = style;
    a.borderWidth = width;
    a.borderColor = colour;
    a.cornerRadius = corner;
    return a;
}

QRectF at(const Drop& d, double w, double h)
{
    return QRectF(d.point, QSizeF(w, h));
}

QString stamp(const QString& pattern)
{
    // The calendar year: a week-based year prints the next year in the last days of December.
    return QLocale::c().toString(QDateTime::currentDateTime(), pattern);
}

struct Row
{
    QString key;
    bool continues = false;
    std::function<void(V&, const Drop&)> make;
};

QList<Row> buildRows()
{
    QList<Row> rows;
    auto add = [&rows](const QString& key, std::function<void(V&, const Drop&)> make,
                       bool continues = false) {
        rows.append(Row{key, continues, std::move(make)});
    };

    // Sections, components and tables the component factories already know by key.
    for (const V::LibraryItem& item : V::componentLibraryItems()) {
        const auto make = item.make;
        add(item.key, [make](V& v, const Drop& d) { make(v, d.point); });
    }
    add(QStringLiteral("quib_link"), [](V& v, const Drop& d) { v.addQuibLink_drag(d.point); });
    add(QStringLiteral("quib_individual"), [](V& v, const Drop& d) { v.addIndividual_drag(d.point); });
    add(QStringLiteral("quib_pdf"), [](V& v, const Drop& d) { v.addNewPDF_drag(d.point); });
    add(QStringLiteral("quib_photo"), [](V& v, const Drop& d) { v.addNewImage_drag(d.point); });
    add(QStringLiteral("quib_gallery"), [](V& v, const Drop& d) { v.addImageGallery_drag(d.point); });
    add(QStringLiteral("quib_enlargeable_photo"),
        [](V& v, const Drop& d) { v.addEnlargeablePhoto_drag(d.point); });
    // Over a section its background, elsewhere the page's.
    add(QStringLiteral("quib_backgroundpattern"), [](V& v, const Drop& d) {
        if (v.grabOverLappingSectionCell(d.point) == QRectF())
            v.newBackground();
        else
            v.addSectionBackgroundImage();
    });
    // Slideshows and code snippets.
    add(QStringLiteral("quib_slideshow"), [](V& v, const Drop& d) { v.addSlideshow_drag(d.point); });
    add(QStringLiteral("quib_htmlsnippet"),
        [](V& v, const Drop& d) { v.addSnippet_drag(V::freeSnippetHTML(), at(d, 250, 100)); });
    add(
        QStringLiteral("quib_video"),
        [](V& v, const Drop& d) { v.addSnippet_drag(V::videoSnippetHTML(), at(d, 640, 480)); }, true);
    add(
        QStringLiteral("quib_buynowbutton"),
        [](V& v, const Drop& d) {
            v.addSnippet_drag(V::buyButtonSnippetHTML(), at(d, 700, 200));
            V::showBuyButtonNote();
        },
        true);

    // Form fields.
    const QList<std::pair<const char*, V::FormKind>> forms{
        {"quib_textfield", V::FormKind::TextField},           {"quib_paragraph", V::FormKind::Paragraph},
        {"quib_multiplechoice", V::FormKind::MultipleChoice}, {"quib_checkboxes", V::FormKind::Checkboxes},
        {"quib_submitbutton", V::FormKind::Submit},           {"quib_botchecker", V::FormKind::BotCheck},
        {"quib_emailtextfield", V::FormKind::EmailField}};
    for (const auto& [key, kind] : forms)
        add(QLatin1String(key), [kind](V& v, const Drop& d) { v.addFormElements(d.point, kind); });

    // Lines.
    add(QStringLiteral("quib_line_solid_section"), [](V& v, const Drop& d) {
        v.addTrueLine(QPointF(0, d.point.y()), QPointF(3000, d.point.y()), QStringLiteral("555555"),
                      QStringLiteral("solid"), 2, QStringLiteral("0"), QStringLiteral("0"), -99);
    });
    struct Line
    {
        const char* key;
        const char* colour;
        const char* style;
        const char* beginArrow;
        const char* endArrow;
    };
    for (const Line& l : {Line{"quib_line_solid", "555555", "solid", "0", "0"},
                          Line{"quib_line_dotted", "555555", "dotted", "0", "0"},
                          Line{"quib_line_dashed", "555555", "dashed", "0", "0"},
                          Line{"quib_line_solid_start_arrow", "555555", "solid", "1", "0"},
                          Line{"quib_line_solid_red_start_arrow", "9E0018", "solid", "1", "0"},
                          Line{"quib_line_dashed_start_arrow", "555555", "dashed", "1", "0"},
                          Line{"quib_line_dashed_red_start_arrow", "9E0018", "dashed", "1", "0"},
                          Line{"quib_line_solid_end_arrow", "555555", "solid", "0", "1"},
                          Line{"quib_line_solid_both_arrows", "555555", "solid", "1", "1"}}) {
        add(QLatin1String(l.key), [l](V& v, const Drop& d) {
            v.addTrueLine(d.point, QPointF(d.point.x() + perZoom(d, 200), d.point.y()),
                          QLatin1String(l.colour), QLatin1String(l.style), perZoom(d, 10),
                          QLatin1String(l.beginArrow), QLatin1String(l.endArrow), -99);
        });
    }

    // Shapes and zoom bubbles.
    add(QStringLiteral("quib_zoom_bubble"),
        [](V& v, const Drop& d) { v.addZoomBubbleTextbox_drag(d.point, 0, QStringLiteral("rectangle"), 1); });
    add(QStringLiteral("quib_zoom_bubble_circle"),
        [](V& v, const Drop& d) { v.addZoomBubbleTextbox_drag(d.point, 1000, QStringLiteral("circle"), 1); });
    for (const char* shape :
         {"star", "star2", "star4", "star4b", "star10", "star25", "octagon", "triangle", "triangle2",
          "pyramid", "polygon5", "polygon6", "polygon7", "polygon10", "polygon12"}) {
        const QString name = QLatin1String(shape);
        add(QStringLiteral("quib_shape_") + name,
            [name](V& v, const Drop& d) { v.addZoomBubbleTextbox_drag(d.point, 1000, name, 0); });
        add(QStringLiteral("quib_zoom_bubble_") + name,
            [name](V& v, const Drop& d) { v.addZoomBubbleTextbox_drag(d.point, 1000, name, 1); });
    }

    // Plain, list and title boxes.
    const QString newBox = QStringLiteral("New text box");
    add(QStringLiteral("quib_textbox"),
        [=](V& v, const Drop& d) { box(v, d, text(newBox, font(kHN, 20)), at(d, 300, 150)); });
    for (const auto& [key, colour] :
         QList<std::pair<const char*, const char*>>{{"quib_textbox_red", "EE0000"},
                                                    {"quib_textbox_yellow", "FFC125"},
                                                    {"quib_textbox_blue", "00B2EE"},
                                                    {"quib_textbox_green", "00CD00"},
                                                    {"quib_textbox_black", "000000"}}) {
        const QString c = QLatin1String(colour);
        add(QLatin1String(key), [=](V& v, const Drop& d) {
            box(v, d, coloured(text(newBox, font(kHN, 20)), c), at(d, 300, 150));
        });
    }
    for (const auto& [key, string] : QList<std::pair<const char*, QString>>{
             {"quib_bulletedlist", QStringLiteral("• Item number 1\n• Item number 2\n• Item number 3")},
             {"quib_numberedlist", QStringLiteral("1. First item\n2. Second item\n3. Third item")}}) {
        add(QLatin1String(key), [string](V& v, const Drop& d) {
            box(v, d, text(string, font(kHN, perZoom(d, 25))), at(d, perZoom(d, 300), perZoom(d, 150)));
        });
    }
    for (const auto& [key, tag] : QList<std::pair<const char*, const char*>>{
             {"quib_bulletedlist_html", "ul"}, {"quib_numberedlist_html", "ol"}}) {
        const QString t = QLatin1String(tag);
        const QString html =
            QStringLiteral("<%1>\n<li>First item\n<li>Second item\n<li>Third item\n<li>Fourth "
                           "item\n<li>More...\n</%1>")
                .arg(t);
        add(
            QLatin1String(key),
            [html](V& v, const Drop& d) {
                Args a = text(html, font(QStringLiteral("Lato"), 15));
                a.textType = kSnippet;
                box(v, d, a, at(d, 350, 150), Fit::SectionAndShift);
            },
            true);
    }
    const QString title = QStringLiteral("Placeholder text for title.  Double click me to edit.");
    const QString subtitle = QStringLiteral("Placeholder text for subtitle.  Double click me to edit.");
    add(QStringLiteral("quib_textbox_title"),
        [=](V& v, const Drop& d) { box(v, d, text(title, font(kHN, 80)), at(d, 1000, 200)); });
    add(QStringLiteral("quib_textbox_subtitle"),
        [=](V& v, const Drop& d) { box(v, d, text(subtitle, font(kHN, 50)), at(d, 800, 150)); });
    add(QStringLiteral("quib_textbox_section_title"), [=](V& v, const Drop& d) {
        box(v, d, coloured(text(title, font(kHN, 60)), QStringLiteral("FFFFFF"), QStringLiteral("555555")),
            QRectF(0, d.point.y(), edition().gCanvasWidth, 80));
    });
    add(QStringLiteral("quib_textbox_section_subtitle"), [=](V& v, const Drop& d) {
        box(v, d, coloured(text(subtitle, font(kHN, 30)), QStringLiteral("FFFFFF"), QStringLiteral("555555")),
            QRectF(0, d.point.y(), edition().gCanvasWidth, 50));
    });
    add(QStringLiteral("quib_textbox_body"), [](V& v, const Drop& d) {
        QString body =
            QStringLiteral("Placeholder paragraph body text\n\nLorem ipsum dolor sit amet, consectetur "
                           "adipiscing elit. Phasellus at tincidunt dolor.\n\nDouble click me to edit.");
        if (edition().gDateStampNewTextFlag)
            body = V::dateStampText(QDateTime::currentDateTime()) + u'\n' + body;
        box(v, d, text(body, font(kHN, 18)), at(d, 500, 350));
    });
    add(QStringLiteral("quib_textbox_footnote"), [](V& v, const Drop& d) {
        box(v, d,
            text(QStringLiteral("Placeholder text for footnote.\n\nDouble click me to edit."), font(kHN, 10)),
            at(d, 400, 75));
    });
    const QString actor = QStringLiteral("Actor");
    for (const auto& [key, string, w, h, size] : QList<std::tuple<const char*, QString, int, int, int>>{
             {"quib_textbox_title_kestrin",
              QStringLiteral("Placeholder text for title. Double click me to edit."), 1000, 200, 80},
             {"quib_textbox_subtitle_kestrin",
              QStringLiteral("Placeholder text for subtitle. Double click me to edit."), 800, 150, 50},
             {"quib_textbox_body_kestrin", QStringLiteral("Double click me to edit."), 350, 50, 15},
             {"quib_textbox_footnote_kestrin",
              QStringLiteral("Placeholder text for footnote. Double click me to edit."), 400, 75, 10}}) {
        add(QLatin1String(key), [=](V& v, const Drop& d) {
            box(v, d, text(string, font(actor, size)), at(d, w, h), Fit::Section);
        });
    }
    add(
        QStringLiteral("quib_textbox_body_kestrin_rich"),
        [](V& v, const Drop& d) {
            Args a =
                text(QStringLiteral("This text box supports simple HTML markups such as <i>italics</i>, "
                                    "<b>bold</b> and <u>underline</u>.  And of course, you can create hyper "
                                    "links.  Example:  this is a link to <a href=https://www.wikipedia.org>"
                                    "Wikipedia</a>."),
                     font(QStringLiteral("Lato"), 15));
            a.textType = kSnippet;
            box(v, d, a, at(d, 350, 100), Fit::SectionAndShift);
        },
        true);
    add(QStringLiteral("quib_textbox_label"), [](V& v, const Drop& d) {
        const int w = edition().gCanvasWidth;
        const int h = edition().gCanvasHeight;
        box(v, d,
            text(QStringLiteral("New text box.  Double click me to edit."),
                 font(kHN, std::trunc(float(w / 500) * 30.0f))),
            at(d, std::trunc(w * 0.75), std::trunc(h * 0.75)));
    });
    add(QStringLiteral("quib_personaltag_fulladdress"), [](V& v, const Drop& d) {
        const int w = edition().gCanvasWidth;
        const int h = edition().gCanvasHeight;
        box(v, d,
            text(QStringLiteral(
                     "[TITLE] [FIRST_NAME] [LAST_NAME]\n[JOB_TITLE]\n[COMPANY_NAME]\n[STREET]\n[CITY] "
                     "[STATE] [ZIPCODE]"),
                 font(kHN, std::trunc(float(w) / 500.0f * 18.0f))),
            at(d, std::trunc(w * 0.75), std::trunc(h * 0.6)));
    });

    // Markup boxes: one blank in a frame.
    struct Markup
    {
        const char* key;
        int w, h;
        std::function<Args(const Drop&, Args)> style;
    };
    auto dashed = [](const char* colour, bool circle) {
        return [=](const Drop& d, Args a) {
            return bordered(a, QStringLiteral("dashed"), d.lineWidth, QLatin1String(colour),
                            circle ? perZoom(d, 100) : 0);
        };
    };
    auto filled = [](const char* background, const char* textColour, float opacity, bool circle) {
        return [=](const Drop& d, Args a) {
            a.font = font(kHN, perZoom(d, 40));
            a = coloured(a, QLatin1String(textColour), QLatin1String(background));
            a.opacity = opacity;
            a.cornerRadius = circle ? perZoom(d, 100) : 0;
            return a;
        };
    };
    auto solid = [](int corner, bool zoomedCorner) {
        return [=](const Drop& d, Args a) {
            return bordered(a, QStringLiteral("solid"), 0, QStringLiteral("555555"),
                            zoomedCorner ? perZoom(d, corner) : corner);
        };
    };
    const QList<Markup> markups{
        {"quib_markup_watermark", 325, 70,
         [](const Drop& d, Args a) {
             a.text = QStringLiteral("Watermark");
             a.font = font(kHN, perZoom(d, 40));
             a.opacity = 0.4f;
             return a;
         }},
        {"quib_square_markup_red_dashed", 200, 100, dashed("EE0000", false)},
        {"quib_circle_markup_red_dashed", 100, 100, dashed("EE0000", true)},
        {"quib_square_markup_yellow_dashed", 100, 100, dashed("FFC125", false)},
        {"quib_circle_markup_yellow_dashed", 100, 100, dashed("FFC125", true)},
        {"quib_square_markup_blue_dashed", 100, 100, dashed("00B2EE", false)},
        {"quib_circle_markup_blue_dashed", 100, 100, dashed("00B2EE", true)},
        {"quib_square_markup_green_dashed", 100, 100, dashed("00CD00", false)},
        {"quib_circle_markup_green_dashed", 100, 100, dashed("00CD00", true)},
        {"quib_square_markup_black_dashed", 100, 100, dashed("000000", false)},
        {"quib_circle_markup_black_dashed", 100, 100, dashed("000000", true)},
        {"quib_markup_blackout", 200, 70, filled("000000", "FFFFFF", 1.0f, false)},
        {"quib_markup_blackout_circle", 100, 100, filled("000000", "FFFFFF", 1.0f, true)},
        {"quib_markup_dim", 200, 100, filled("000000", "FFFFFF", 0.5f, false)},
        {"quib_markup_dim_circle", 200, 200, filled("000000", "FFFFFF", 0.5f, true)},
        {"quib_markup_whiten", 200, 100, filled("FFFFFF", "000000", 0.5f, false)},
        {"quib_markup_whiten_circle", 200, 200, filled("FFFFFF", "000000", 0.5f, true)},
        {"quib_square", 100, 100, solid(0, false)},
        {"quib_square_rounded", 100, 100, solid(10, false)},
        {"quib_rectangle", 100, 80, solid(0, false)},
        {"quib_rectangle_rounded", 100, 80, solid(10, false)},
        {"quib_circle", 100, 100, solid(100, true)},
    };
    for (const Markup& m : markups) {
        add(QLatin1String(m.key), [m](V& v, const Drop& d) {
            box(v, d, m.style(d, text(QStringLiteral(" "), font(kHN, perZoom(d, 20)))),
                at(d, perZoom(d, m.w), perZoom(d, m.h)));
        });
    }

    // Markup bubbles: a dashed circle and its pointer line, one group.
    for (const auto& [key, colour] :
         QList<std::pair<const char*, const char*>>{{"quib_circle_markup_red_bubble", "EE0000"},
                                                    {"quib_circle_markup_blue_bubble", "00B2EE"},
                                                    {"quib_circle_markup_yellow_bubble", "FFC125"},
                                                    {"quib_circle_markup_green_bubble", "00CD00"},
                                                    {"quib_circle_markup_black_bubble", "000000"}}) {
        const QString c = QLatin1String(colour);
        add(QLatin1String(key), [c](V& v, const Drop& d) {
            const int group = v.findNextGroupNumber();
            const int diameter = perZoom(d, 100);
            Args a = bordered(text(QStringLiteral(" "), font(kHN, perZoom(d, 20))), QStringLiteral("dashed"),
                              d.lineWidth, c, diameter);
            a.groupNumber = group;
            box(v, d, a, at(d, diameter, diameter));
            const QPointF p = d.point;
            v.addTrueLine(QPointF(p.x() + diameter / 2, p.y()), QPointF(p.x() + perZoom(d, 300), p.y() - 100),
                          c, QStringLiteral("dashed"), d.lineWidth, QStringLiteral("0"), QStringLiteral("1"),
                          group);
        });
    }

    // Tags, stamps and buttons.
    for (int digit = 1; digit <= 9; ++digit) {
        add(QStringLiteral("quib_numbertag_%1").arg(digit), [digit](V& v, const Drop& d) {
            Args a = coloured(text(QString::number(digit), font(QStringLiteral("Arial Black"), 30)),
                              QStringLiteral("FFFFFF"), QStringLiteral("4F94CD"));
            a.cornerRadius = 5;
            box(v, d, a, at(d, 40, 50));
        });
    }
    // Stamps of the drop's date (and time).
    for (const auto& [key, pattern, points, width] : QList<std::tuple<const char*, const char*, int, int>>{
             {"quib_markup_datestamp", "MMM dd yyyy", 30, 270},
             {"quib_markup_timestamp", "MMM dd yyyy HH:mm AP", 20, 300}}) {
        const QString p = QLatin1String(pattern);
        add(
            QLatin1String(key),
            [=](V& v, const Drop& d) {
                Args a = text(stamp(p), font(kHN, points));
                a.cornerRadius = 15;
                box(v, d, a, at(d, width, 50));
            },
            true);
    }
    for (const auto& [key, label, background] : QList<std::tuple<const char*, const char*, const char*>>{
             {"quib_responsive_button", "Click Here", "33A1C9"},
             {"quib_markup_approved", "Like It", "00CD00"},
             {"quib_markup_error", "Special", "B0171F"},
             {"quib_markup_info", "Next", "00B2EE"},
             {"quib_markup_warning", "Important", "FFC125"}}) {
        const QString l = QLatin1String(label);
        const QString b = QLatin1String(background);
        add(QLatin1String(key), [=](V& v, const Drop& d) {
            box(v, d, button(text(l, font(kHN, 25)), b), at(d, 240, 50), Fit::SectionAndShift);
        });
    }
    add(QStringLiteral("quib_pagenumber"), [](V& v, const Drop& d) {
        box(v, d, text(QStringLiteral("Page [PAGE_NUMBER]"), font(kHN, 25)), at(d, 250, 30));
    });
    for (const auto& [key, tag] : QList<std::pair<const char*, const char*>>{
             {"quib_personaltag_firstname", "[FIRST_NAME]"}, {"quib_personaltag_lastname", "[LAST_NAME]"}}) {
        const QString t = QLatin1String(tag);
        add(QLatin1String(key), [t](V& v, const Drop& d) {
            box(v, d, text(t, font(kHN, perZoom(d, 40))), at(d, perZoom(d, 300), perZoom(d, 50)));
        });
    }
    return rows;
}

const QHash<QString, Row>& rowsByKey()
{
    static const QHash<QString, Row> rows = [] {
        QHash<QString, Row> byKey;
        for (Row& row : buildRows())
            byKey.insert(row.key, std::move(row));
        return byKey;
    }();
    return rows;
}

} // namespace

QStringList DRVGraphicView::libraryKeys()
{
    QStringList keys = rowsByKey().keys();
    keys.sort();
    return keys;
}

DRVGraphicView::LibraryDrop DRVGraphicView::libraryDropAt(QPointF point) const
{
    LibraryDrop d;
    d.point = point;
    d.zoom = m_scale > 0 ? m_scale : 1.0;
    d.lineWidth = platform::truncToInt(std::max(2.0 / d.zoom, 1.0));
    return d;
}

DRVGraphicView::LibraryKeyResult DRVGraphicView::addLibraryKeyItem(const QString& key,
                                                                   const LibraryDrop& drop)
{
    const auto it = rowsByKey().constFind(key);
    if (it == rowsByKey().constEnd())
        return LibraryKeyResult::NotAKey;
    if (m_graphicsContainer)
        it->make(*this, drop);
    return it->continues ? LibraryKeyResult::Continues : LibraryKeyResult::Ends;
}
