// Navigation bars and dropdown menus: a table laid out as a menu becomes a Bootstrap 3 bar. Each bar
// takes its colours and font from one style cell. The collapse target is numbered per table
// ("navbar<N>"), so several bars on one page each toggle their own menu.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <memory>

class DRVDocument;
class DRVTable;

class NavbarGenerator
{
public:
    // Each returns nullptr for a table without cells.
    // Brand from cell (0,0), entries from every other column, cells as full text elements.
    static std::shared_ptr<CodeWidgetHelper> generateNavBar(DRVDocument& document, DRVTable* table);
    // No brand; row 0 as simple entries, centred.
    static std::shared_ptr<CodeWidgetHelper> generateNavBar_centered(DRVDocument& document, DRVTable* table);
    // Fixed to the top of the window; brand text from cell (0,0), entries from row 0.
    static std::shared_ptr<CodeWidgetHelper> generateNavBar_Fixed(DRVDocument& document, DRVTable* table);
    // As the fixed bar, with a linked brand and centred entries.
    static std::shared_ptr<CodeWidgetHelper> generateNavBar_Fixed_Centered(DRVDocument& document,
                                                                           DRVTable* table);
    // One top entry per column; the non-empty cells below it form its dropdown list.
    static std::shared_ptr<CodeWidgetHelper> generateDropdownmenu(DRVDocument& document, DRVTable* table);

    // The id of the bar's collapsible part.
    static QString navbarId(const DRVDocument& document, const DRVTable* table);
};
