// Archives that try to write outside their folder, or to unpack far more than they hold, are refused
// before anything is written.
#include "publishing/ArchiveTestSupport.h"
#include "publishing/UploadFTPS.h"
#include "publishing/ZipArchive.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

using namespace archivetest;

namespace {

struct RawMember
{
    QByteArray name;
    QByteArray data;
    quint32 unixMode = 0; // 0: leave libzip's attributes
};

// Writes an archive member by member with libzip, names taken as given.
bool makeArchive(const QString& path, const std::vector<RawMember>& members)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const RawMember& member : members) {
        zip_source_t* source =
            zip_source_buffer(archive, member.data.constData(), zip_uint64_t(member.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, member.name.constData(), source, ZIP_FL_ENC_RAW);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        if (member.unixMode)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             member.unixMode << 16);
    }
    return zip_close(archive) == 0;
}

// Bytes that deflate hardly shrinks, as in the images of a page.
QByteArray incompressible(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// The process's peak resident memory in KiB, and a reset of it to the present.
qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

bool resetPeakResident()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

class HostileArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The sandbox holds the archive and a target folder with a file in it; after a refusal it
        // must look exactly as before.
        QDir().mkpath(path(QStringLiteral("sandbox/deep/target")));
        writeBytes(path(QStringLiteral("sandbox/deep/target/existing.txt")), "keep me");
    }
    QString path(const QString& relative) const { return dir.path() + u'/' + relative; }
    QString archivePath() const { return path(QStringLiteral("sandbox/deep/hostile.zip")); }
    QString target() const { return path(QStringLiteral("sandbox/deep/target")); }

    QTemporaryDir dir;
};

TEST_F(HostileArchiveTest, EscapingMembersAreRefusedWithNothingWritten)
{
    const QByteArray fine("harmless");
    const struct
    {
        const char* label;
        std::vector<RawMember> members;
    } cases[] = {
        {"parent", {{"ok.txt", fine}, {"../x", "escaped"}}},
        {"absolute", {{"ok.txt", fine}, {"/tmp/quib-escape-test-x", "escaped"}}},
        {"inner parent", {{"a/ok.txt", fine}, {"a/../../x", "escaped"}}},
        {"backslash", {{"ok.txt", fine}, {"..\\x", "escaped"}}},
        {"drive", {{"C:/x", "escaped"}}},
        {"control", {{"a\nb", "escaped"}}},
        {"symlink", {{"ok.txt", fine}, {"link", "../../..", S_IFLNK | 0777}, {"link/x", "escaped"}}},
        {"fifo", {{"pipe", "", S_IFIFO | 0644}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(makeArchive(archivePath(), c.members));
        const QMap<QString, QByteArray> before = snapshot(dir.path());

        UploadFTPS upload;
        EXPECT_FALSE(upload.unzipDocument(archivePath(), target()));
        EXPECT_FALSE(upload.lastErrorText().isEmpty());
        EXPECT_EQ(snapshot(dir.path()), before);
        EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/quib-escape-test-x")));
    }
}

TEST_F(HostileArchiveTest, DotComponentsAreHarmless)
{
    ASSERT_TRUE(makeArchive(archivePath(), {{"./", ""}, {"./a//b.txt", "b"}}));
    UploadFTPS upload;
    ASSERT_TRUE(upload.unzipDocument(archivePath(), target())) << upload.lastErrorText().toStdString();
    EXPECT_EQ(readBytes(target() + QStringLiteral("/a/b.txt")), QByteArray("b"));
}

TEST_F(HostileArchiveTest, NotAZipFileIsRefused)
{
    for (const QByteArray& bytes :
         {QByteArray("<html>not an archive</html>"), QByteArray(), QByteArray("PK\x03\x04 truncated", 14)}) {
        writeBytes(archivePath(), bytes);
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        UploadFTPS upload;
        EXPECT_FALSE(upload.unzipDocument(archivePath(), path(QStringLiteral("sandbox/new"))));
        EXPECT_EQ(snapshot(dir.path()), before);
    }
    UploadFTPS upload;
    EXPECT_FALSE(upload.unzipDocument(path(QStringLiteral("missing.zip")), target()));
}

TEST_F(HostileArchiveTest, ZipBombBeyondTheSizeLimitIsRefused)
{
    // 4 MB of zeros compress to a few kilobytes.
    ASSERT_TRUE(makeArchive(archivePath(), {{"a.txt", "small"}, {"zeros.bin", QByteArray(4 << 20, '\0')}}));
    ASSERT_LT(QFileInfo(archivePath()).size(), 64 * 1024);
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    ZipArchive archive;
    ZipArchive::Limits limits;
    limits.maxTotalBytes = 1 << 20;
    limits.maxRatio = 10000; // the size alone is checked here
    EXPECT_FALSE(archive.extractTo(archivePath(), target(), limits));
    EXPECT_EQ(archive.status(), ZipArchive::Status::TooLarge);
    EXPECT_EQ(snapshot(dir.path()), before);

    limits.maxTotalBytes = 8 << 20;
    EXPECT_TRUE(archive.extractTo(archivePath(), target(), limits)) << archive.errorText().toStdString();
    EXPECT_EQ(archive.extractedFileCount(), 2);
}

TEST_F(HostileArchiveTest, TheDefaultLimitsRefuseAnArchiveCompressedFurtherThanPageFiles)
{
    // Zeros deflate about 1000 to 1; text and images stay far below the ratio. Small members may
    // compress any amount.
    const struct
    {
        const char* label;
        QByteArray data;
        bool accepted;
    } cases[] = {
        {"4 MB of zeros", QByteArray(4 << 20, '\0'), false},
        {"1.5 MB of zeros", QByteArray(3 << 19, '\0'), false},
        {"512 KB of zeros", QByteArray(1 << 19, '\0'), true},
        {"2 MB of image-like bytes", incompressible(2 << 20), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(makeArchive(archivePath(), {{"a.txt", "small"}, {"big.bin", c.data}}));
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        UploadFTPS upload;
        EXPECT_EQ(upload.unzipDocument(archivePath(), target()), c.accepted)
            << upload.lastErrorText().toStdString();
        if (c.accepted) {
            EXPECT_EQ(readBytes(target() + QStringLiteral("/big.bin")), c.data);
            QFile::remove(target() + QStringLiteral("/a.txt"));
            QFile::remove(target() + QStringLiteral("/big.bin"));
        } else {
            EXPECT_TRUE(upload.lastErrorText().contains(QStringLiteral("big.bin")));
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

TEST_F(HostileArchiveTest, TheSizeCapHoldsToTheByte)
{
    ZipArchive::Limits limits;
    limits.maxTotalBytes = 100000;
    const QByteArray first = incompressible(60000);
    for (const qsizetype second : {qsizetype(40000), qsizetype(40001)}) {
        SCOPED_TRACE(second);
        ASSERT_TRUE(makeArchive(archivePath(), {{"a.bin", first}, {"b/c.bin", incompressible(second)}}));
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        ZipArchive archive;
        const bool accepted = archive.extractTo(archivePath(), target(), limits);
        EXPECT_EQ(accepted, first.size() + second <= limits.maxTotalBytes);
        if (!accepted) {
            EXPECT_EQ(archive.status(), ZipArchive::Status::TooLarge);
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

TEST_F(HostileArchiveTest, ALargeMemberStreamsToDiskInSmallChunks)
{
    // 96 MB of zeros from a sparse file: the archive is built and unpacked without the member
    // ever being whole in memory, which the peak resident size shows.
    constexpr qint64 memberSize = qint64(96) << 20;
    const QString sparse = path(QStringLiteral("zeros.bin"));
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(memberSize));
    }
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(archivePath()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    zip_source_t* source = zip_source_file_create(QFile::encodeName(sparse).constData(), 0, -1, nullptr);
    ASSERT_NE(source, nullptr);
    ASSERT_GE(zip_file_add(zip, "zeros.bin", source, 0), 0);
    ASSERT_EQ(zip_close(zip), 0);
    QFile::remove(sparse);

    ZipArchive::Limits limits;
    limits.maxRatio = 10000;
    ZipArchive archive;
    ASSERT_TRUE(resetPeakResident());
    const qint64 before = peakResidentKiB();
    ASSERT_TRUE(archive.extractTo(archivePath(), target(), limits)) << archive.errorText().toStdString();
    const qint64 growth = peakResidentKiB() - before;
    EXPECT_EQ(QFileInfo(target() + QStringLiteral("/zeros.bin")).size(), memberSize);
    EXPECT_LT(growth, 16 * 1024) << "peak resident memory grew by " << growth << " KiB";
}

TEST_F(HostileArchiveTest, AMemberBlockedByAFileInTheTargetMovesNothing)
{
    // "a.txt" sorts before "existing.txt/", which a file of that name blocks: the refusal must
    // come before a.txt is moved in.
    ASSERT_TRUE(makeArchive(archivePath(), {{"a.txt", "a"}, {"existing.txt/inner.txt", "x"}}));
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    UploadFTPS upload;
    EXPECT_FALSE(upload.unzipDocument(archivePath(), target()));
    EXPECT_FALSE(upload.lastErrorText().isEmpty());
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(HostileArchiveTest, ForgedSizeIsCaughtWhileUnpacking)
{
    // Declare 1000 bytes for a member that holds 200000: the headers pass the size check, the data
    // does not, and nothing reaches the target.
    ASSERT_TRUE(makeArchive(archivePath(), {{"a.txt", "first"}, {"b.bin", QByteArray(200000, 'b')}}));
    QByteArray bytes = readBytes(archivePath());
    const auto patchSize = [&bytes](const QByteArray& signature, int offset) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 4)) {
            if (qFromLittleEndian<quint32>(bytes.constData() + at + offset) == 200000)
                qToLittleEndian<quint32>(1000, bytes.data() + at + offset);
        }
    };
    patchSize(QByteArray("PK\x03\x04", 4), 22); // local header: uncompressed size
    patchSize(QByteArray("PK\x01\x02", 4), 24); // central directory: uncompressed size
    writeBytes(archivePath(), bytes);
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    UploadFTPS upload;
    EXPECT_FALSE(upload.unzipDocument(archivePath(), target()));
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(HostileArchiveTest, TooManyMembersAreRefused)
{
    std::vector<RawMember> members;
    for (int i = 0; i <= ZipArchive::Limits().maxMembers; ++i)
        members.push_back({QByteArray("f") + QByteArray::number(i), QByteArray()});
    ASSERT_TRUE(makeArchive(archivePath(), members));
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    UploadFTPS upload;
    EXPECT_FALSE(upload.unzipDocument(archivePath(), target()));
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(HostileArchiveTest, TargetThatIsAFileIsRefused)
{
    ASSERT_TRUE(makeArchive(archivePath(), {{"a.txt", "a"}}));
    UploadFTPS upload;
    EXPECT_FALSE(upload.unzipDocument(archivePath(), target() + QStringLiteral("/existing.txt")));
    EXPECT_EQ(readBytes(target() + QStringLiteral("/existing.txt")), QByteArray("keep me"));
}

} // namespace
