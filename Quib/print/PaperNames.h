// Paper names as the label catalogue and templates give them to the printing system, turned into
// page sizes for Qt's printing and PDF output.
#pragma once
#include <QPageSize>
#include <QString>

// The page size of a paper name; an invalid size for an empty or unknown name.
QPageSize pageSizeForPaperName(const QString& paperName);

// The paper of a print: the template's paper when known, else A4 when the paper-size control's
// second segment is chosen, else US letter.
QPageSize printPaper(const QString& templatePaper, bool a4Chosen);
