// Inside the edition selection: the steps of each edition and the lists and helpers they share.
// Not for use outside this folder; everything else reads edition().
#pragma once
#include "editions/EditionSettings.h"

#include <QStringList>

namespace editions {

// ---- shared lists ----
const QStringList& fontListA();
const QStringList& fontListB();
const QStringList& presetFontList();
const QStringList& textColoursA();
const QStringList& fillColoursA();
const QStringList& namesAbc();
const QStringList& tagList11();
const QStringList& tagList12();
// Titles of the zoom pop-up, "5%" to "600%".
const QStringList& zoomLevels();

// ---- addresses (the product's own) ----
QString productSite(const QString& product);
QString companySite();
QString storePage(const QString& product);
QString videoPlaylist(const QString& product);
QString generalSupportAddress();
QString supportDeskAddress();
QString webDesignerSupportAddress();

// ---- steps shared by several editions ----
// Loads the named icon from the resources ("icons/<name>.png"); a missing image leaves it null.
void editionIcon(EditionSettings& e, const QString& name);
// Each name through the application's strings table, the English name where there is no entry.
QStringList localized(const QStringList& names);
// The profile editions take the user's saved category names when they chose to override them.
void applySavedCategoryNames(EditionSettings& e);
QString quibpageViewerText();
QString cardellViewerText(const QString& displayName);
// Selects the sheet and sizes the canvas from it.
void applyLaunchSheet(EditionSettings& e, const QString& sheetDescription);
// The "labels" file of the resources, sorted by template number as text.
QList<LabelTemplateHelper> readLabelTemplates();

// ---- one set-up per edition, in the order of the display-name chain ----
void setUpDefaultEdition(EditionSettings& e);
void setUpHtmlQuibPro(EditionSettings& e);
void setUpBrumelResponsiveWebsiteDesigner(EditionSettings& e);
void setUpQuibpageWebDesignDocumentViewer(EditionSettings& e);
void setUpPommeritRecipeManager(EditionSettings& e);
void setUpZandelle(EditionSettings& e);
void setUpOstrevin(EditionSettings& e);
void setUpQuellam(EditionSettings& e);
void setUpTirrabel(EditionSettings& e);
void setUpLunnifer(EditionSettings& e);
void setUpUlmiraPro2(EditionSettings& e);
void setUpUlmiraExpress(EditionSettings& e);
void setUpBrumelResponsiveEmailDesigner(EditionSettings& e);
void setUpSelvaroPro(EditionSettings& e);
void setUpKestrinResponsiveFormDesigner(EditionSettings& e);
void setUpSelvaroPro2(EditionSettings& e);
void setUpCardell(EditionSettings& e);
void setUpCardell2(EditionSettings& e);
void setUpCardellViewer(EditionSettings& e);
void setUpCardellVetEdition(EditionSettings& e);
void setUpVeldacre(EditionSettings& e);
void setUpHaskavelPro(EditionSettings& e);
void setUpHaskavelPro2(EditionSettings& e);
void setUpKestrinFamilyTreeMaker(EditionSettings& e);
void setUpKestrinMarkup(EditionSettings& e);
void setUpKestrinMarkupExpress(EditionSettings& e);
void setUpLomithImageNotes(EditionSettings& e);
void setUpKestrinPdfAuthor(EditionSettings& e);
void setUpBrennoltPro(EditionSettings& e);
void setUpFemmock(EditionSettings& e);
void setUpKestrinLabelMaker(EditionSettings& e);
void setUpCorvaneBusinessCardDesigner(EditionSettings& e);
void setUpKestrinFlyerMakerPro(EditionSettings& e);
void setUpKestrinGreetingCardDesigner(EditionSettings& e);
void setUpCorvaneEcardDesigner(EditionSettings& e);
void setUpCorvaneEnvelopeDesigner(EditionSettings& e);

struct EditionEntry
{
    const char* displayName;
    void (*setUp)(EditionSettings&);
};
// The 35 editions in the order their display names are compared.
const QList<EditionEntry>& editionChain();

// Run-once state of the selection (ScopedEdition saves and restores it).
bool& selectionHasRun();
QString& launchDisplayNameStore();

} // namespace editions
