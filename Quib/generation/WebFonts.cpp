#include "generation/WebFonts.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "generation/TextBoxGenerator.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/StringRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QRawFont>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

// A bundled file name reaches a page and a folder only when it is a plain name.
bool isPlainFileName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,120}$"));
    return plain.match(name).hasMatch() && !name.contains(QStringLiteral(".."));
}

QString cssFormat(const QString& fileName)
{
    const QString extension = platform::pathExtension(fileName).toLower();
    if (extension == QStringLiteral("woff2"))
        return QStringLiteral("woff2");
    if (extension == QStringLiteral("woff"))
        return QStringLiteral("woff");
    if (extension == QStringLiteral("otf"))
        return QStringLiteral("opentype");
    return QStringLiteral("truetype");
}

// A family name as a quoted CSS string: no quote, backslash or character that ends a rule.
QString quotedFamily(const QString& family)
{
    QString name;
    for (const QChar c : family) {
        if (c == u'"' || c == u'\\' || c == u';' || c == u'{' || c == u'}' || c == u'<' || c == u'>' ||
            c.category() == QChar::Other_Control)
            continue;
        name += c;
    }
    return u'"' + name.trimmed() + u'"';
}

QList<WebFonts::Face> readBundledFaces()
{
    QList<WebFonts::Face> faces;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return faces;
    const QDir folder(DataCentre::resourcesPath() + QStringLiteral("/fonts"));
    const QStringList files =
        folder.entryList({"*.ttf", "*.otf", "*.woff", "*.woff2"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (!isPlainFileName(file))
            continue;
        const QRawFont raw(folder.filePath(file), 12);
        if (!raw.isValid() || raw.familyName().isEmpty())
            continue;
        WebFonts::Face face;
        face.family = raw.familyName();
        face.fileName = file;
        face.filePath = folder.filePath(file);
        face.weight = std::clamp(raw.weight(), 100, 900);
        face.italic = raw.style() != QFont::StyleNormal;
        faces.append(face);
    }
    return faces;
}

QList<WebFonts::Face> facesOf(const QStringList& families)
{
    QList<WebFonts::Face> found;
    for (const WebFonts::Face& face : WebFonts::bundledFaces()) {
        if (families.contains(face.family, Qt::CaseInsensitive))
            found.append(face);
    }
    std::stable_sort(found.begin(), found.end(), [](const WebFonts::Face& a, const WebFonts::Face& b) {
        return a.family.compare(b.family, Qt::CaseInsensitive) < 0;
    });
    return found;
}

} // namespace

const QList<WebFonts::Face>& WebFonts::bundledFaces()
{
    static const QList<Face> faces = readBundledFaces();
    return faces;
}

bool WebFonts::isBundledFamily(const QString& family)
{
    const QList<Face>& faces = bundledFaces();
    return std::any_of(faces.begin(), faces.end(), [&](const Face& face) {
        return face.family.compare(family, Qt::CaseInsensitive) == 0;
    });
}

QString WebFonts::fontFamilyValue(const QString& family)
{
    const QString quoted = quotedFamily(family);
    if (family.compare(QStringLiteral("Helvetica Neue"), Qt::CaseInsensitive) == 0)
        return quoted + QStringLiteral(", Arial, Helvetica, sans-serif");
    return quoted;
}

QString WebFonts::firstFamily(const QString& value)
{
    QString first = value.section(u',', 0, 0).trimmed();
    first.remove(u'"');
    first.remove(u'\'');
    return first.trimmed();
}

QStringList WebFonts::familiesUsedBy(const DRVDocument& document)
{
    QStringList families;
    auto add = [&](const QString& family) {
        if (!family.isEmpty() && !families.contains(family, Qt::CaseInsensitive))
            families << family;
    };
    for (DRVGraphic* graphic : document.graphics()) {
        if (auto* text = qobject_cast<DRVText*>(graphic)) {
            add(TextBoxGenerator::textFacts(text).family);
        } else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            for (myTextView* cell : table->cellHelperArray())
                add(cell->familyName());
        }
    }
    return families;
}

QStringList WebFonts::bundledFamiliesUsedBy(const DRVDocument& document)
{
    QStringList bundled;
    for (const QString& family : familiesUsedBy(document)) {
        if (isBundledFamily(family))
            bundled << family;
    }
    return bundled;
}

QString WebFonts::fontFaceRules(const QStringList& families, const QString& pageFolder)
{
    QString rules;
    for (const Face& face : facesOf(families)) {
        rules +=
            QStringLiteral("@font-face{font-family:%1;src:url('%2/%3/%4') format('%5');"
                           "font-weight:%6;font-style:%7;}\n")
                .arg(quotedFamily(face.family), QString::fromLatin1(QUrl::toPercentEncoding(pageFolder)),
                     fontsFolderName(), face.fileName, cssFormat(face.fileName), QString::number(face.weight),
                     face.italic ? QStringLiteral("italic") : QStringLiteral("normal"));
    }
    return rules;
}

QStringList WebFonts::fontFileNames(const QStringList& families)
{
    QStringList names;
    for (const Face& face : facesOf(families))
        names << face.fileName;
    return names;
}

QString WebFonts::licenceFileFor(const QString& fontFileName)
{
    static const QStringList licences =
        QDir(DataCentre::resourcesPath() + QStringLiteral("/fonts"))
            .entryList({QStringLiteral("LICENSE-*.txt")}, QDir::Files, QDir::Name);
    // The longest name that fits wins ("mate-sc" over "mate").
    QString best;
    qsizetype bestLength = 0;
    for (const QString& licence : licences) {
        const QString name = licence.mid(8).chopped(4); // between "LICENSE-" and ".txt"
        if (!name.isEmpty() && isPlainFileName(licence) &&
            fontFileName.startsWith(name, Qt::CaseInsensitive) && name.size() > bestLength) {
            best = licence;
            bestLength = name.size();
        }
    }
    return best;
}

bool WebFonts::copyFontFiles(const QStringList& families, const QString& folder)
{
    if (folder.isEmpty())
        return true;
    const QList<Face> faces = facesOf(families);
    const QString target = platform::stringByAppendingPathComponent(folder, fontsFolderName());
    const QFileInfo targetInfo(target);
    if (targetInfo.isSymLink())
        return false;
    // Fonts the page no longer uses leave with the page's next files.
    QStringList needed;
    for (const Face& face : faces) {
        needed << face.fileName;
        const QString licence = licenceFileFor(face.fileName);
        if (!licence.isEmpty() && !needed.contains(licence))
            needed << licence;
    }
    if (targetInfo.isDir()) {
        QDir existing(target);
        for (const QString& name : existing.entryList(QDir::Files | QDir::Hidden)) {
            if (!needed.contains(name))
                existing.remove(name);
        }
        if (faces.isEmpty())
            QDir().rmdir(target);
    }
    if (faces.isEmpty())
        return true;
    if (!QDir().mkpath(target))
        return false;
    const QDir bundle(DataCentre::resourcesPath() + QStringLiteral("/fonts"));
    bool copied = true;
    for (const QString& name : std::as_const(needed)) {
        const QString source = bundle.filePath(name);
        const QString path = platform::stringByAppendingPathComponent(target, name);
        const QFileInfo existing(path);
        if (existing.isSymLink() || (existing.exists() && !existing.isFile())) {
            copied = false;
            continue;
        }
        if (existing.exists() && existing.size() == QFileInfo(source).size())
            continue;
        QFile::remove(path);
        copied = QFile::copy(source, path) && copied;
    }
    return copied;
}
