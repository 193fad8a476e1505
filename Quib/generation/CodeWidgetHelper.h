// The generated pieces of one page element: its CSS, its HTML, its script and its frame. The page
// shell places them, or the responsive arrangement claims them for a section column. Records live
// for one generation pass.
#pragma once
#include <QRectF>
#include <QString>

class CodeWidgetHelper
{
public:
    QString headerString;      // the element's CSS rules
    QString tableHeaderString; // its CSS when it lives in a table cell
    QString bodyString;        // its HTML
    QString javaScriptString;  // script it needs
    QRectF rect;               // frame on the canvas, y downwards
    int originY = 0;           // sort key: the top edge truncated
    bool addedToGrid = false;  // claimed by a section column
    QString formResponseBody;  // what the form mail handler adds for it
    QString formMessageBody;
    bool partOfTableFlag = false;
    int responsiveResizeFlag = 0; // keeps its own size in a section column
    bool noMarginAddOnFlag = false;
};
