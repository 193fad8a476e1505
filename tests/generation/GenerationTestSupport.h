// Shared set-up of the page generation tests: one edition, user defaults in a temporary store, a
// fixed bundle version, and golden page texts compared byte for byte.
#pragma once
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/DRVText.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <memory>

namespace generationtest {

// Set QUIB_WRITE_GOLDEN=1 to write the current output as the new golden text (then read it!).
inline void expectGolden(const QString& actual, const char* name)
{
    const QString path = QStringLiteral(QUIB_FIXTURES_DIR "/generation/") + QString::fromLatin1(name);
    if (qEnvironmentVariableIntValue("QUIB_WRITE_GOLDEN") == 1) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(actual.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "missing golden " << name;
    const QByteArray expected = in.readAll();
    EXPECT_EQ(actual.toUtf8(), expected) << "differs from golden " << name;
}

class GenerationTest : public ::testing::Test
{
protected:
    explicit GenerationTest(const char* editionName = "HTML Quib Pro")
        : m_edition(QString::fromLatin1(editionName))
    {
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
        edition().gBundleVersion = QStringLiteral("1.0");
    }

    // A graphic of class T owned by the document, inserted on top of the page.
    template <class T> T* add(DRVDocument& document)
    {
        auto* graphic = new T(&document);
        document.insertGraphics({graphic}, {0});
        return graphic;
    }

    QTemporaryDir m_store;
    ScopedEdition m_edition;
};

// A text box of the page set in family, on top of the page.
inline DRVText* addTextInFamily(DRVDocument& document, const QString& text, QRectF bounds,
                                const QString& family)
{
    auto* box = new DRVText(&document);
    document.insertGraphics({box}, {0});
    box->setTextType(QStringLiteral("Text"));
    box->setBounds(bounds);
    box->updateTextString(text);
    QTextCursor all(box->contents());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFontFamilies({family});
    all.mergeCharFormat(format);
    box->setFontFamily(family);
    return box;
}

// A family of the fonts bundled as web fonts (a ".woff" file), or "" when there is none.
inline QString bundledWebFontFamily()
{
    for (const WebFonts::Face& face : WebFonts::bundledFaces()) {
        if (face.fileName.endsWith(QStringLiteral(".woff")))
            return face.family;
    }
    return {};
}

// A page document named "index" whose working folder is a fresh temporary folder.
struct PageInFolder
{
    PageInFolder()
    {
        document.setPageName(QStringLiteral("index"));
        document.setMainTemplateName(QStringLiteral("index"));
        document.setTempSavePathLocal(folder.path());
    }
    QTemporaryDir folder;
    DRVDocument document;
};

} // namespace generationtest
