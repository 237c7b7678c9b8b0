#pragma once

#include <QByteArray>
#include <QString>

// A file's name is bytes. Qt reads them as UTF-8 and cannot give back bytes
// that are not UTF-8 - names in Shift-JIS from old Windows disks and
// archives among them: each such byte becomes U+FFFD, and the path Qt then
// hands out (from a folder listing, a file dialog or the command line) names
// no file at all.
namespace quiren {

// The bytes of the existing file that `path` stands for when `path` itself
// names none: folder by folder, the one entry whose name Qt reads as the
// text given. Empty when `path` names a file as it is, holds no U+FFFD, or
// when no entry - or more than one - reads so.
QByteArray NativePathOf(const QString &path);

// Names given on a command line arrive as bytes, and there they can be kept
// whole: TextOfNativeBytes reads them as UTF-8 and turns each byte that is
// not part of valid UTF-8 into the lone surrogate U+DC80..U+DCFF, and
// NativeBytes gives the very same bytes back. A name derived from such a
// text ("a\xffb.qrn" -> "a\xffb.pdf") keeps its bytes too, so two names
// that differ only in such bytes never end up as the same file.
QString TextOfNativeBytes(const QByteArray &bytes);
QByteArray NativeBytes(const QString &path);

// The bytes to write `path` to: NativeBytes(path), or, when that names no
// existing folder and `path` holds U+FFFD, the folder found as NativePathOf
// finds it followed by the file's own name. A file may be new; its folder
// must exist.
QByteArray NativeTargetOf(const QString &path);

} // namespace quiren
