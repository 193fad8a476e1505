// HTML snippets: user-written markup carried into the page. In the absolute page each snippet gets a
// ".snippet<N>" rule (plain or, for a formatted snippet, styled like a text box) and its code in a
// div; in the responsive layout and inside table cells it becomes a fragment.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVGraphic;
class QObject;
struct PagePieces;

class SnippetGenerator
{
public:
    SnippetGenerator(DRVDocument& document, PagePieces& pieces, bool publishFlag);

    // The snippet pass over htmlSnippetArray, last snippet first (numbered 0).
    void generate();

    // The fragment of one snippet (or of a snippet cell record of table, when table is given):
    // header, body, click script, rect and originY.
    static std::shared_ptr<CodeWidgetHelper> generateSnippetCode(DRVDocument& document, QObject* snippet,
                                                                 DRVGraphic* table);

    // The number of body lines the page reader takes for a snippet's code: every newline
    // character it splits at counts, and a trailing one keeps its empty last line.
    static int snippetLineCount(const QString& code);

    // The click script of an element: a click on #elementId shows and hides the listed elements.
    // Only ids of the form [A-Za-z][A-Za-z0-9_-]* are written; an unsafe click target writes nothing.
    static QString clickScript(const QString& elementId, const QString& showList, const QString& hideList);

private:
    // A table cell of the responsive editor page: its rules and element, numbered in the snippets'
    // run. Cells are laid out as formatted snippets there, so the page reader takes them back as such.
    // They get no fragment: the editor page is never arranged into sections.
    void generateCellText(QObject* cell, int number);

    DRVDocument& m_document;
    PagePieces& m_pieces;
    bool m_publishFlag = false;
};
