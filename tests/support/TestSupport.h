#pragma once

#include <QByteArray>
#include <QString>

namespace quiren::test {

// A folder of its own for each test executable, removed when it ends.
// XDG_CONFIG_HOME and XDG_DATA_HOME point below it, so no test ever touches
// the settings or desktop files of the person running the suite.
QString scratchRoot();

// A fresh, empty folder below scratchRoot().
QString makeScratchDir(const QString &name);

QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);

} // namespace quiren::test
