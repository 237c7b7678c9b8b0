#pragma once

#include <QString>

namespace quiren {

// The reason for a failed read or write (an errno value) as the user reads
// it, in Japanese whatever the locale: the system's own texts would come in
// the language of the environment, often English.
QString SystemErrorText(int error);

// Why a file at `path` cannot be written, as an errno value, for writers
// that are not told (QSettings says only "access error"): the file itself,
// or the nearest folder above it that exists, is not writable (EACCES,
// EROFS, ...), or a part of the path is not a folder. EIO when nothing
// explains it.
int WriteBlocker(const QString &path);

} // namespace quiren
