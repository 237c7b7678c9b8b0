#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

namespace quiren::test {

QString scratchRoot()
{
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/quiren-test-XXXXXX"));
    return root.path();
}

QString makeScratchDir(const QString &name)
{
    const QString path = scratchRoot() + QLatin1Char('/') + name + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(path);
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace quiren::test
