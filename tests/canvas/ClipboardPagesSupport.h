// Pages for the clipboard tests: a document with a page path in a folder of the test's own, bound to
// a canvas and a selection, with graphics placed outside the undo history.
#pragma once
#include "FactoriesTestSupport.h"
#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"

#include <QDir>

namespace clipboardpages {

struct Page
{
    explicit Page(const QString& path)
    {
        doc.setPagePath(path);
        QDir().mkpath(path.left(path.lastIndexOf(u'.')));
        selection.setContent(&doc);
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
    }

    void place(const QList<DRVGraphic*>& graphics) { factorytest::placeOnPage(doc, graphics); }

    // Selects every graphic and copies them.
    bool copyAll()
    {
        QList<int> all;
        for (int i = 0; i < int(doc.graphics().size()); ++i)
            all.append(i);
        view.changeSelectionIndexes(all);
        return view.copy();
    }

    DRVDocument doc;
    DRVSelectionModel selection;
    DRVGraphicView view;
};

} // namespace clipboardpages
