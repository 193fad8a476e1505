#include "app/CommandLine.h"

#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace CommandLine {

namespace {

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// Every name the program starts as: the family's editions and the default one.
QStringList startableNames()
{
    QStringList names{DataCentre::defaultDisplayName()};
    names += DataCentre::editionDisplayNames();
    return names;
}

QString looseForm(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[\\s_-]+"));
    return name.trimmed().toLower().replace(separators, QStringLiteral(" "));
}

QString usage()
{
    return QStringLiteral(
               "Usage: quib [--edition NAME] [DOCUMENT...]\n"
               "\n"
               "Lays out pages on a canvas and publishes, mails, exports or prints them. One program serves\n"
               "a family of editions, each for one kind of page.\n"
               "\n"
               "Options:\n"
               "  --edition NAME    start as the edition NAME (\"Ulmira Pro 2\" or ulmira-pro-2); without it "
               "the\n"
               "                    edition is the one that made the first DOCUMENT, else \"%1\"\n"
               "  --list-editions   list the editions and what each makes\n"
               "  --version         print the version\n"
               "  -h, --help        print this help\n"
               "\n"
               "With no DOCUMENT the edition's welcome window shows.\n")
        .arg(DataCentre::defaultDisplayName());
}

QString editionList(const QList<EditionSummary>& rows)
{
    qsizetype width = 0;
    for (const EditionSummary& row : rows)
        width = std::max(width, row.displayName.size());
    QString text;
    for (const EditionSummary& row : rows)
        text += QStringLiteral("%1  .%2  %3\n")
                    .arg(row.displayName.leftJustified(width), row.extension.leftJustified(10), row.makes);
    return text;
}

QString namesList()
{
    QString text;
    for (const QString& name : startableNames())
        text += QStringLiteral("  %1\n").arg(name);
    return text;
}

// The value given to --edition, when the option is there (an empty value when it lacks one).
std::optional<QString> editionOption(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--edition"))
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (argument.startsWith(QLatin1String("--edition=")))
            return argument.mid(qsizetype(qstrlen("--edition=")));
    }
    return std::nullopt;
}

bool hasOption(const QStringList& arguments, std::initializer_list<const char*> spellings)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            return false;
        if (argument == QLatin1String("--edition")) {
            ++i;
            continue;
        }
        for (const char* spelling : spellings)
            if (argument == QLatin1String(spelling))
                return true;
    }
    return false;
}

} // namespace

QList<EditionSummary> editionSummaries(const QString& resourcesFolder)
{
    QFile file(resourcesFolder + QStringLiteral("/desktop/editions.tsv"));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024)
        return {};
    QList<EditionSummary> rows;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 3)
            rows.append({fields.at(0), fields.at(1), fields.at(2)});
    }
    return rows;
}

std::optional<QString> editionNamed(const QString& value)
{
    const QStringList names = startableNames();
    if (names.contains(value))
        return value;
    const QString loose = looseForm(value);
    for (const QString& name : names)
        if (looseForm(name) == loose)
            return name;
    return std::nullopt;
}

std::optional<int> handle(const QStringList& arguments, const QString& resourcesFolder, FILE* out, FILE* err)
{
    if (hasOption(arguments, {"-h", "--help"})) {
        print(out, usage());
        return 0;
    }
    if (hasOption(arguments, {"--version"})) {
        print(out, QStringLiteral("quib %1\n").arg(QStringLiteral(QUIB_VERSION)));
        return 0;
    }
    if (hasOption(arguments, {"--list-editions"})) {
        const QList<EditionSummary> rows = editionSummaries(resourcesFolder);
        if (rows.isEmpty()) {
            print(err, QStringLiteral("quib: the list of editions could not be read from %1\n")
                           .arg(resourcesFolder));
            return 1;
        }
        print(out, editionList(rows));
        return 0;
    }
    if (const std::optional<QString> value = editionOption(arguments)) {
        if (value->isEmpty()) {
            print(err, QStringLiteral("quib: --edition needs a name. The editions are:\n") + namesList());
            return 2;
        }
        if (!editionNamed(*value)) {
            print(err,
                  QStringLiteral("quib: there is no edition called \"%1\". The editions are:\n").arg(*value) +
                      namesList());
            return 2;
        }
    }
    return std::nullopt;
}

std::optional<QString> editionOfDocument(const QString& documentPath)
{
    std::vector<DocumentArchiver::Member> members;
    if (!DocumentArchiver::isInstalled() || !DocumentArchiver::readDocument(documentPath, &members))
        return std::nullopt;
    static const QRegularExpression generator(
        QStringLiteral("<meta name='Generator' content='([^'<>\\n]{1,120}) for Linux [^'<>\\n]*'>"));
    for (const DocumentArchiver::Member& member : members) {
        if (member.isFolder || member.relativePath.contains(QLatin1Char('/')) ||
            !(member.relativePath.endsWith(QLatin1String(".html")) ||
              member.relativePath.endsWith(QLatin1String(".php"))))
            continue;
        // The generator line sits in the head; the page is ASCII-compatible or UTF-16 with a mark.
        const QByteArray head = member.bytes.left(64 * 1024);
        const bool utf16 = head.startsWith("\xff\xfe") || head.startsWith("\xfe\xff");
        const QString text = utf16 ? QStringDecoder(QStringDecoder::Utf16)(head) : QString::fromLatin1(head);
        const QRegularExpressionMatch match = generator.match(text);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        if (startableNames().contains(name))
            return name;
    }
    return std::nullopt;
}

} // namespace CommandLine
