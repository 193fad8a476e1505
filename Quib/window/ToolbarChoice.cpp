#include "window/ToolbarChoice.h"

namespace {

using H = HiddenInspectorControls;

enum class ToolbarFamily { Web, Mail, Print, Viewer, Catalog };

ToolbarFamily familyOf(const QString& toolbar)
{
    static const QStringList mail{QStringLiteral("kestrinEmailDesignerToolbar"),
                                  QStringLiteral("ulmiraToolbar"), QStringLiteral("ulmiraExpressToolbar")};
    static const QStringList print{QStringLiteral("corvaneEnvelopeDesignerToolbar"),
                                   QStringLiteral("tuvikBusinessCardDesignerToolbar"),
                                   QStringLiteral("tuvikEcardDesignerToolbar"),
                                   QStringLiteral("yarrowinToolbar"),
                                   QStringLiteral("kestrinFlyerToolbar"),
                                   QStringLiteral("kestrinFoldingCardToolbar"),
                                   QStringLiteral("kestrinManualToolbar"),
                                   QStringLiteral("labelDesignerToolbar"),
                                   QStringLiteral("lomithImageNotesToolbar")};
    static const QStringList viewer{QStringLiteral("cardellViewerToolbar"),
                                    QStringLiteral("quibpageViewerToolbar")};
    if (mail.contains(toolbar))
        return ToolbarFamily::Mail;
    if (print.contains(toolbar))
        return ToolbarFamily::Print;
    if (viewer.contains(toolbar))
        return ToolbarFamily::Viewer;
    if (toolbar == QLatin1String("photoCatalogToolbar"))
        return ToolbarFamily::Catalog;
    return ToolbarFamily::Web;
}

ToolbarItemDescription button(const char* label, const char* action)
{
    return {QString::fromLatin1(action), QString::fromUtf8(label), QString::fromLatin1(action), {}};
}

} // namespace

const QList<ToolbarChoiceRow>& ToolbarChoice::rows()
{
    static const QList<ToolbarChoiceRow> table{
        {QStringLiteral("Corvane Envelope Designer"), QStringLiteral("corvaneEnvelopeDesignerToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Corvane Business Card Designer"), QStringLiteral("tuvikBusinessCardDesignerToolbar"),
         true, H::LinkAndScroll},
        {QStringLiteral("Corvane eCard Designer"), QStringLiteral("tuvikEcardDesignerToolbar"), true,
         H::Nothing},
        {QStringLiteral("Lomith Image Notes"), QStringLiteral("lomithImageNotesToolbar"), true, H::Nothing},
        {QStringLiteral("HTML Quib Pro"), QStringLiteral("quibToolbar"), false, H::Nothing},
        {QStringLiteral("Brumel Responsive Website Designer"), QStringLiteral("kestrinToolbar"), false,
         H::Nothing},
        {QStringLiteral("Ulmira Pro 2"), QStringLiteral("ulmiraToolbar"), true, H::Nothing},
        {QStringLiteral("Ulmira Express"), QStringLiteral("ulmiraExpressToolbar"), true, H::Nothing},
        {QStringLiteral("Pommerit Recipe Manager"), QStringLiteral("pommeritToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Ostrevin"), QStringLiteral("photoCatalogToolbar"), false, H::Nothing},
        {QStringLiteral("Femmock"), QStringLiteral("gondrithToolbar"), true, H::LinkAndScroll},
        {QStringLiteral("Kestrin Label Maker"), QStringLiteral("yarrowinToolbar"), true, H::LinkAndScroll},
        {QStringLiteral("Kestrin Flyer Maker Pro"), QStringLiteral("kestrinFlyerToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Kestrin Greeting Card Designer"), QStringLiteral("kestrinFoldingCardToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Kestrin Markup"), QStringLiteral("kestrinMarkupToolbar"), true, H::LinkAndScroll},
        {QStringLiteral("Kestrin Markup Express"), QStringLiteral("kestrinMarkup2Toolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Kestrin PDF Author"), QStringLiteral("kestrinManualToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Kestrin Family Tree Maker"), QStringLiteral("kestrinFamilyTreeToolbar"), true,
         H::LinkAndScroll},
        {QStringLiteral("Brumel Responsive Email Designer"), QStringLiteral("kestrinEmailDesignerToolbar"),
         false, H::Scroll},
        {QStringLiteral("Kestrin Responsive Form Designer"), QStringLiteral("kestrinFormDesignerToolbar"),
         true, H::LinkAndScroll},
        {QStringLiteral("Zandelle"), QStringLiteral("zandelleToolbar"), false, H::Nothing},
        {QStringLiteral("Selvaro Pro"), QStringLiteral("selvaroToolbar"), false, H::Nothing},
        {QStringLiteral("Selvaro Pro 2"), QStringLiteral("selvaroPro2Toolbar"), false, H::Nothing},
        {QStringLiteral("Brennolt Pro"), QStringLiteral("labelDesignerToolbar"), true, H::LinkAndScroll},
        {QStringLiteral("Cardell Vet Edition"), QStringLiteral("cardellvetToolbar"), false,
         H::AlternativeText},
        {QStringLiteral("Cardell"), QStringLiteral("cardellToolbar"), false, H::AlternativeText},
        {QStringLiteral("Cardell 2"), QStringLiteral("cardell2Toolbar"), false, H::AlternativeText},
        {QStringLiteral("Veldacre"), QStringLiteral("veldacreToolbar"), false, H::AlternativeText},
        {QStringLiteral("Cardell Viewer"), QStringLiteral("cardellViewerToolbar"), false, H::AlternativeText},
        {QStringLiteral("Quibpage Web Design Document Viewer"), QStringLiteral("quibpageViewerToolbar"),
         false, H::AlternativeText},
        {QStringLiteral("Haskavel Pro"), QStringLiteral("orgChartMakerToolbar"), true, H::LinkAndScroll},
        {QStringLiteral("Haskavel Pro 2"), QStringLiteral("orgChartMakerToolbar2"), true, H::LinkAndScroll}};
    return table;
}

const ToolbarChoiceRow* ToolbarChoice::rowForEdition(const QString& displayName)
{
    for (const ToolbarChoiceRow& row : rows()) {
        if (row.edition == displayName)
            return &row;
    }
    return nullptr;
}

QStringList ToolbarChoice::hiddenControlNames(HiddenInspectorControls hidden)
{
    switch (hidden) {
    case H::LinkAndScroll:
        return {QStringLiteral("altTextField"),        QStringLiteral("linkTextFieldLabel"),
                QStringLiteral("hyperLinkTextField"),  QStringLiteral("linkOptionSegmentedControl"),
                QStringLiteral("saveLinkButton"),      QStringLiteral("scrollSegmentedControl"),
                QStringLiteral("scrollTextFieldLabel")};
    case H::Scroll:
        return {QStringLiteral("scrollSegmentedControl"), QStringLiteral("scrollTextFieldLabel")};
    case H::AlternativeText:
        return {QStringLiteral("altTextField")};
    case H::Nothing:
        break;
    }
    return {};
}

QList<ToolbarItemDescription> ToolbarChoice::itemsForToolbar(const QString& toolbar)
{
    const ToolbarItemDescription canvasSizes{
        QStringLiteral("canvasSizeToolbarItem"),
        QStringLiteral("Canvas"),
        QStringLiteral("setCanvasSize:"),
        {QStringLiteral("Mobile"), QStringLiteral("Full"), QStringLiteral("Wide")}};
    const ToolbarItemDescription mailWidths{
        QStringLiteral("mailCanvasSizeToolbarItem"),
        QStringLiteral("Width"),
        QStringLiteral("setMailCanvasSize:"),
        {QStringLiteral("Standard"), QStringLiteral("Extra Wide"), QStringLiteral("Flex")}};
    const ToolbarItemDescription paper{QStringLiteral("paperSizeSegmentedControl"),
                                       QStringLiteral("Paper"),
                                       QStringLiteral("adjustPageSize:"),
                                       {QStringLiteral("Letter"), QStringLiteral("A4")}};
    const ToolbarItemDescription cards{QStringLiteral("numOfCardsPerSheetSegmentedControl"),
                                       QStringLiteral("Cards per Sheet"),
                                       QStringLiteral("adjustPageSize:"),
                                       {QStringLiteral("10"), QStringLiteral("8")}};
    const ToolbarItemDescription settings = button("Settings", "showPagePreferences:");
    const ToolbarItemDescription preview = button("Preview", "showWebPreview:");
    switch (familyOf(toolbar)) {
    case ToolbarFamily::Mail:
        return {mailWidths, settings, preview, button("Send", "publishMail:")};
    case ToolbarFamily::Print: {
        QList<ToolbarItemDescription> items{paper, cards, button("Portrait", "rotateCanvas0:"),
                                            button("Landscape", "rotateCanvas90Right:"),
                                            button("Print Settings", "launchPrintSettings:")};
        // Business cards ask first: one card in a chosen spot, or a full sheet.
        if (toolbar == QLatin1String("tuvikBusinessCardDesignerToolbar"))
            items.append(button("Print…", "printBusinessCard:"));
        else
            items.append(button("Print", "printLabels:"));
        return items;
    }
    case ToolbarFamily::Viewer:
        return {preview};
    case ToolbarFamily::Catalog:
        return {settings, button("Export PDF", "exportToPDF:")};
    case ToolbarFamily::Web:
        break;
    }
    return {canvasSizes, settings, preview, button("Publish", "publishThisPage:")};
}
