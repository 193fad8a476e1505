#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// What the program's own options ask for, settled before any window: --help, --version and
// --list-editions print and end the program; an --edition name that names no edition ends it with
// the list of names, rather than opening another edition under the typed name.
namespace CommandLine {

struct EditionSummary
{
    QString displayName;
    QString extension; // of its page documents, without the dot
    QString makes;     // what it is for, in a few words
};

// The rows of resources/desktop/editions.tsv in order; empty when the file cannot be read.
QList<EditionSummary> editionSummaries(const QString& resourcesFolder);

// The exit code when the arguments are handled here (help, version, list, a refused edition),
// with the text written to out or err; nothing when the program should start.
std::optional<int> handle(const QStringList& arguments, const QString& resourcesFolder, FILE* out, FILE* err);

// The edition a --edition value names: its display name exactly, or the same name in any case or
// with dashes or underscores for spaces ("ulmira-pro-2"); nothing when it names none.
std::optional<QString> editionNamed(const QString& value);

// The edition named in a page document's generator line ("<name> for Linux <version>"), when it
// is one of the family's; read from the page file inside the document.
std::optional<QString> editionOfDocument(const QString& documentPath);

} // namespace CommandLine
