// View's source items: shown in the page, form and e-mail designers and the viewer, left out of the
// print, catalog, chart and record editions, and usable only with a document.
#include "editions/EditionSettings.h"
#include "window/MenuValidation.h"

#include <gtest/gtest.h>

TEST(SourceMenuValidation, ShownByEditionAndEnabledWithADocument)
{
    struct Row
    {
        const char* edition;
        bool shown;
    };
    const Row rows[] = {
        {"HTML Quib Pro", true},
        {"Brumel Responsive Website Designer", true},
        {"Ulmira Pro 2", true},
        {"Ulmira Express", true},
        {"Selvaro Pro 2", true},
        {"Quibpage Web Design Document Viewer", true},
        {"Quib", true}, // a name no branch knows keeps every item
        {"Kestrin Label Maker", false},
        {"Brumel Responsive Email Designer", false},
        {"Cardell Viewer", false},
        {"Ostrevin", false},
        {"Corvane eCard Designer", false},
    };
    for (const Row& row : rows) {
        ScopedEdition scoped(QString::fromLatin1(row.edition));
        for (const char* action : {"showOrHideSourceCode:", "showOrHideSourceCodeStatic:"}) {
            MenuValidationState state = MenuValidationState::forEdition(edition());
            const MenuItemState without =
                MenuValidation::validate(QString::fromLatin1(action), MenuItemState{}, state);
            EXPECT_FALSE(without.enabled) << row.edition << " " << action;
            EXPECT_EQ(without.visible, row.shown) << row.edition << " " << action;

            state.hasDocument = true;
            const MenuItemState with =
                MenuValidation::validate(QString::fromLatin1(action), MenuItemState{}, state);
            EXPECT_EQ(with.enabled, row.shown) << row.edition << " " << action;
            EXPECT_EQ(with.visible, row.shown) << row.edition << " " << action;
        }
    }
}
