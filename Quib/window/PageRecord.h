// One page of an open website project as the scan found it. The page list's tiles show these
// records; the record itself holds no widget, so a rescan can rebuild the list without the views.
#pragma once
#include <QDateTime>
#include <QString>

struct PageRecord
{
    QString pageName;            // the document's file name with extension
    QString documentName;        // the same name; what "order.index" lists
    QString fileTime;            // modification date, "MMM dd yyyy h:mm a"
    QDateTime modificationDate;  // the same date, for sorting
    QString imagePath;           // thumbnail in the working copy (the @2x one where there is one)
    QString pageTitle;
    QString pageWidth;           // "" when the page names none
    QString pageLocalFileName;   // <stem>.html or <stem>.php in the working copy
    QString pagePublishFileName; // <stem>.<publish extension>
    bool useBaseTemplateFlag = false;
    bool inheritMetadataFlag = false;
    bool inheritCustomHeaderCodeFlag = false;
    bool oldZorprofileFlag = false;
    int pageNumber = 0;
    bool borderFlag = false;     // the page open in the window
};

// What the add-page sheet hands back when the user presses its add button.
struct AddNewPageChoice
{
    QString pageTitle;
    QString fileName;                       // as typed, without extension
    QString pageFileType;                   // extension of the page document to create
    QString selectedTemplateName;           // template document name inside its category folder
    QString selectedTemplateCategoryFolder; // "blank", "forms", a template category
    bool directlySelectFileName = false;    // the user typed the name rather than taking the proposal
    bool mainLaunchPage = false;            // file name "index"
    bool baseTemplatePage = false;          // file name "basetemplate"
    bool applyBaseTemplate = false;
};
