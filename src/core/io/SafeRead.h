#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the program did not make: it may be anything a name can
// stand for. A FIFO or a device would hang the program or feed it without
// end, and a huge file would take all memory, so only regular files are
// read (a symbolic link is followed), and only up to a size that no file of
// the program's own ever comes near. Opening never waits: a FIFO with no
// writer is refused at once.
namespace quiren {

enum class ReadStatus {
    Ok,
    Missing,      // nothing of that name
    NotRegular,   // a FIFO, a device, a socket or a folder
    TooLarge,     // more than the size allowed
    Failed,       // no permission, a read error
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    QByteArray bytes;
    QString error;   // the system's description for Missing and Failed
    explicit operator bool() const { return status == ReadStatus::Ok; }
};

// The whole of the regular file `path`, at most `maxSize` bytes. Names that
// are not UTF-8 are found as NativeBytes and NativePathOf find them.
ReadResult ReadFileSafely(const QString &path, qint64 maxSize);

// Messages for a file the program could not read (path, then the limit):
// "... は通常のﾌｧｲﾙではないため読み込めません。" and "... は大きすぎるため
// 読み込めません。"; for Failed, the path and the system's description.
QString ReadProblemMessage(const QString &path, const ReadResult &result, qint64 maxSize);

} // namespace quiren
