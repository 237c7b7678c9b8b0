#include "core/print/JwExport.h"

#include "core/io/SafeWrite.h"

#include "core/print/SheetPainter.h"

namespace quiren {

QString JwFilePath(const QString &jwFolder)
{
    // "JW_Path" is meant to end in a separator, but one typed into the
    // settings file by hand may not: the file still goes into the folder.
    if (jwFolder.isEmpty() || jwFolder.endsWith(QLatin1Char('/')))
        return jwFolder + QLatin1String(JwFileName);
    return jwFolder + QLatin1Char('/') + QLatin1String(JwFileName);
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
    return WriteFileSafely(path, bytes);
}

} // namespace quiren
