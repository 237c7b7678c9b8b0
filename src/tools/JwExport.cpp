#include "tools/JwExport.h"

#include "print/SheetPainter.h"

#include <QSaveFile>

namespace quiren {

QString JwFilePath(const QString &jwFolder)
{
    return jwFolder + QLatin1String(JwFileName);
}

QStringList JwSheetLines(const CalcSheet &sheet, const SheetSettings &settings,
                         SheetDevice &measure)
{
    QStringList lines;
    SheetPainter painter(measure, lines);
    DrawSheet(painter, sheet, settings);
    return lines;
}

QByteArray JwFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += JwBytes(line);
        bytes += "\r\n";
    }
    return bytes;
}

WriteResult WriteJwFile(const QString &path, const CalcSheet &sheet,
                        const SheetSettings &settings, SheetDevice &measure)
{
    const QByteArray bytes = JwFileBytes(JwSheetLines(sheet, settings, measure));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace quiren
