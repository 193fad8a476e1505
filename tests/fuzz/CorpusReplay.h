// Replays one fuzz target's corpus folder as an ordinary test: each file goes through the target's
// own input function.
#pragma once
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <gtest/gtest.h>

namespace fuzzinput {

inline void replayCorpus(const QString& folder, void (*input)(const uint8_t*, size_t))
{
    const QDir corpus(folder);
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty()) << folder.toStdString();
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(name.toStdString());
        input(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
}

} // namespace fuzzinput
