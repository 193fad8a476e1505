// The archive reader's fuzz corpus, replayed as the fuzz target reads each input: every file must
// unpack or be refused without a fault (the sanitizer build turns any into a failure).
#include "fuzz/ArchiveReaderInput.h"
#include "fuzz/CorpusReplay.h"

TEST(ArchiveFuzzCorpus, EveryInputIsReadOrRefused)
{
    fuzzinput::replayCorpus(QStringLiteral(QUIB_SOURCE_DIR "/tests/fuzz/corpus-archive"), fuzzinput::readArchive);
}
