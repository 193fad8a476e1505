// One input of the archive reader's fuzz target, shared with the test that replays its corpus: the
// bytes as a page document, unpacked the way opening does it (within tighter limits, so that one
// input stays quick) and the page file looked for among what came out.
#pragma once
#include "publishing/PageFileFinder.h"
#include "publishing/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzzinput {

inline void readArchive(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch;
    const QString document = scratch.filePath(QStringLiteral("Fuzz.quibpage"));
    const QString unpacked = scratch.filePath(QStringLiteral("unpacked"));
    {
        QFile file(document);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ZipArchive::Limits limits;
    limits.maxMembers = 200;
    limits.maxTotalBytes = qint64(4) * 1024 * 1024;
    ZipArchive archive;
    if (archive.extractTo(document, unpacked, limits)) {
        const QString page = PageFileFinder::pageFileIn(unpacked, QStringLiteral("Fuzz"),
                                                        {QStringLiteral("html"), QStringLiteral("php")});
        QFile file(page);
        if (!page.isEmpty() && file.open(QIODevice::ReadOnly))
            (void)file.read(4096);
    }
    QDir(unpacked).removeRecursively();
}

} // namespace fuzzinput
