// Reading and writing files whose names may stand for anything: FIFOs,
// devices, links, huge files, names that are not UTF-8.
#include "core/io/NativePath.h"
#include "core/io/SafeRead.h"
#include "core/io/SafeWrite.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace quiren {
namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

void makeFifo(const QString &path) { ASSERT_EQ(::mkfifo(native(path).constData(), 0600), 0); }

bool isFifo(const QString &path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Runs `work` and gives up after a few seconds instead of hanging: every
// FIFO in `fifos` is then opened for writing, which lets a reader that was
// waiting on it go on.
template <typename Work>
auto withinSeconds(Work work, const QStringList &fifos)
{
    auto running = std::async(std::launch::async, work);
    if (running.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "still waiting after 10 s";
        for (const QString &fifo : fifos) {
            const int fd = ::open(native(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }
    return running.get();
}

TEST(SafeRead, OnlyRegularFilesWithinTheLimitAreRead)
{
    const QString dir = test::makeScratchDir(QStringLiteral("safe-read"));
    test::writeAll(dir + QStringLiteral("/small"), "0123456789");
    test::writeAll(dir + QStringLiteral("/large"), QByteArray(11, 'x'));
    makeFifo(dir + QStringLiteral("/fifo"));
    QFile::link(QStringLiteral("/dev/zero"), dir + QStringLiteral("/zero"));
    QFile::link(dir + QStringLiteral("/small"), dir + QStringLiteral("/link"));

    const struct {
        const char *name;
        ReadStatus status;
    } cases[] = {
        {"small", ReadStatus::Ok},          {"link", ReadStatus::Ok},
        {"large", ReadStatus::TooLarge},    {"fifo", ReadStatus::NotRegular},
        {"zero", ReadStatus::NotRegular},   {"missing", ReadStatus::Missing},
        {"", ReadStatus::NotRegular},       // the folder itself
    };
    for (const auto &c : cases) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(c.name);
        const ReadResult read = withinSeconds([&] { return ReadFileSafely(path, 10); },
                                              {dir + QStringLiteral("/fifo")});
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.bytes, c.status == ReadStatus::Ok ? QByteArray("0123456789") : QByteArray()) << c.name;
    }
}

TEST(SafeWrite, OnlyARegularFileIsReplaced)
{
    const QString dir = test::makeScratchDir(QStringLiteral("safe-write"));
    const QString fifo = dir + QStringLiteral("/fifo.txt");
    makeFifo(fifo);
    QFile::link(fifo, dir + QStringLiteral("/to-fifo"));
    QDir(dir).mkdir(QStringLiteral("folder"));
    test::writeAll(dir + QStringLiteral("/target"), "old");
    QFile::link(dir + QStringLiteral("/target"), dir + QStringLiteral("/to-target"));

    for (const char *name : {"fifo.txt", "to-fifo", "folder"}) {
        const WriteResult written = withinSeconds(
            [&] { return WriteFileSafely(dir + QLatin1Char('/') + QLatin1String(name), "new"); }, {fifo});
        EXPECT_FALSE(written.ok) << name;
        EXPECT_FALSE(written.error.isEmpty()) << name;
    }
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("/folder")).isDir());

    // A link to a regular file is followed: the file gets the bytes, the
    // link stays a link.
    EXPECT_TRUE(WriteFileSafely(dir + QStringLiteral("/to-target"), "new").ok);
    EXPECT_EQ(test::readAll(dir + QStringLiteral("/target")), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("/to-target")).isSymLink());
}

TEST(NativePath, NamesKeepEveryByte)
{
    const QByteArray names[] = {
        "plain.qrn", "\xe6\x9c\xa8\xe9\x80\xa0.qrn" /* 木造 */, "a\xff\xfe" "b.qrn",
        "\x96\xd8\x91\xa2.qrn" /* 木造 in Shift-JIS */, "cut\xe6\x9c", "overlong\xc0\xaf",
        "surrogate\xed\xa0\x80", "emoji\xf0\x9f\x98\x80",
    };
    QStringList texts;
    for (const QByteArray &name : names) {
        const QString text = TextOfNativeBytes(name);
        EXPECT_EQ(NativeBytes(text), name) << name.toHex().constData();
        // Valid UTF-8 reads as itself.
        if (QString::fromUtf8(name).toUtf8() == name) {
            EXPECT_EQ(text, QString::fromUtf8(name));
        }
        texts << text;
    }
    EXPECT_EQ(texts.removeDuplicates(), 0);

    // Written under its bytes, also relative to a folder named in them.
    const QString dir = test::makeScratchDir(QStringLiteral("native-names"));
    const QString folder = dir + QLatin1Char('/') + TextOfNativeBytes("\x8b\x8c");
    ASSERT_EQ(::mkdir(NativeBytes(folder).constData(), 0700), 0);
    const QString file = folder + QLatin1Char('/') + TextOfNativeBytes("a\xff" "b.pdf");
    ASSERT_TRUE(WriteFileSafely(file, "pdf").ok);
    EXPECT_EQ(ReadFileSafely(file, 100).bytes, QByteArray("pdf"));
    struct stat info {};
    EXPECT_EQ(::stat((native(dir) + "/\x8b\x8c/a\xff" "b.pdf").constData(), &info), 0);
    // Qt cannot remove what it cannot name.
    ::unlink((native(dir) + "/\x8b\x8c/a\xff" "b.pdf").constData());
    ::rmdir((native(dir) + "/\x8b\x8c").constData());
}

} // namespace
} // namespace quiren
