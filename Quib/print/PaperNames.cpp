#include "print/PaperNames.h"

#include <QSizeF>

#include <array>

namespace {

struct NamedPaper
{
    const char* name;
    QPageSize::PageSizeId id;
};

constexpr std::array kPapers{
    NamedPaper{"na-letter", QPageSize::Letter},
    NamedPaper{"US Letter", QPageSize::Letter},
    NamedPaper{"na-legal", QPageSize::Legal},
    NamedPaper{"A3", QPageSize::A3},
    NamedPaper{"A4", QPageSize::A4},
    NamedPaper{"A5", QPageSize::A5},
    NamedPaper{"B5", QPageSize::B5},
    NamedPaper{"Tabloid", QPageSize::Tabloid},
    NamedPaper{"na-number-10-envelope", QPageSize::Envelope10},
    NamedPaper{"na-number-9-envelope", QPageSize::Envelope9},
    NamedPaper{"iso-designated-long-envelope", QPageSize::EnvelopeDL},
    NamedPaper{"monarch-envelope", QPageSize::EnvelopeMonarch},
};

} // namespace

QPageSize pageSizeForPaperName(const QString& paperName)
{
    const QString name = paperName.trimmed();
    // Qt knows 12 x 18 in only as an architectural size; keep the printing system's own name.
    if (name.compare(QLatin1String("Tabloid Oversize"), Qt::CaseInsensitive) == 0)
        return QPageSize(QSizeF(12.0, 18.0), QPageSize::Inch, QStringLiteral("Tabloid Oversize"));
    for (const NamedPaper& paper : kPapers)
        if (name.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0)
            return QPageSize(paper.id);
    return QPageSize();
}

QPageSize printPaper(const QString& templatePaper, bool a4Chosen)
{
    const QPageSize known = pageSizeForPaperName(templatePaper);
    if (known.isValid())
        return known;
    return QPageSize(a4Chosen ? QPageSize::A4 : QPageSize::Letter);
}
