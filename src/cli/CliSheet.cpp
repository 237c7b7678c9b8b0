#include "cli/CliSheet.h"

#include "cli/Command.h"
#include "core/documents/SheetFile.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"

#include "core/io/NativePath.h"

#include <QDir>
#include <QHash>

#include <sys/stat.h>

namespace quiren::cli {

namespace {

// Settings the tool reads once: a listing of a thousand files would
// otherwise read the settings file for every caption and every file.
bool pafKind()
{
    static const bool kind = ReadPafKind();
    return kind;
}

int wallCoefficient()
{
    static const int coefficient = ReadWallCoefficient();
    return coefficient;
}

} // namespace

AppData &CliAppData()
{
    static AppData &data = [] () -> AppData & {
        AppData &d = AppData::instance();   // programFolder: qrn's own folder
        // The office data from the settings, and the wall list beside qrn,
        // as the window reads them.
        LoadOptionData(d);
        // Files that cannot be read are named, and the command goes on
        // without them, as the program does; so are wall-list lines.
        for (const QString &problem : {SettingsFileProblem(QString::fromLatin1(AppTitle)), d.wallListProblem}) {
            if (!problem.isEmpty())
                Err() << QStringLiteral("qrn: ") << Visible(problem) << '\n';
        }
        const QString unread = UnreadWallLinesMessage(d.walls);
        if (!unread.isEmpty())
            Err() << QStringLiteral("qrn: ") << unread << '\n';
        Err().flush();
        return d;
    }();
    return data;
}

std::optional<SheetFileData> ReadCliSheetFile(const QString &path, int *droppedInputs)
{
    SheetFileRead read = ReadSheetFile(path);
    if (droppedInputs)
        *droppedInputs = read.droppedInputs;
    if (read.status != SheetFileStatus::Ok) {
        // The messages name the file the way the program does; the tool
        // adds the path to the "not a data file" one so that a list of
        // files can be told apart.
        if (read.status == SheetFileStatus::NotDataFile)
            Err() << VisibleName(path) << ": ";
        Err() << VisibleName(read.message) << '\n';
        Err().flush();
        return std::nullopt;
    }
    return std::move(read.data);
}

std::unique_ptr<CalcSheet> LoadCliSheet(const QString &path, std::vector<RefusedCell> *refused)
{
    const std::optional<SheetFileData> data = ReadCliSheetFile(path);
    if (!data)
        return nullptr;
    auto sheet = std::make_unique<CalcSheet>(&CliAppData().walls);
    std::vector<RefusedCell> cells =
        ApplySheetFile(*sheet, *data, data->inputs.strongWind ? wallCoefficient() : WallCoefficientDefault);
    if (refused)
        *refused = std::move(cells);
    return sheet;
}


QString DirectionCaption(int d)
{
    const QString phrase = Str(S::ParallelWallArea);   // "平行な壁面の見付面積"
    if (pafKind())
        return Str(d == 0 ? S::ToGirders : S::ToBeams) + phrase.left(5);
    return Str(d == 0 ? S::GirderDirectionWallArea : S::BeamDirectionWallArea).left(6);
}

QString AreaCaption(int w)
{
    const int s = w % 3;
    const bool beams = w < 3;   // area s feeds direction 0: the face parallel to the beams
    const QString letter = Str((beams ? S::BeamAreaLetters : S::GirderAreaLetters) + s);
    if (pafKind())
        return Str(beams ? S::ToBeams : S::ToGirders) + Str(S::ParallelWallArea) + letter;
    return Str(beams ? S::BeamDirectionWallArea : S::GirderDirectionWallArea) + letter;
}

int ReportWritten(const QString &command, const QString &output, const WriteResult &written)
{
    if (!written) {
        Err() << QStringLiteral("qrn %1: %2 に書き込めません。(%3) / cannot write %2: %3\n")
                     .arg(command, VisibleName(QDir::toNativeSeparators(output)), VisibleName(written.error));
        return ExitError;
    }
    Out() << VisibleName(output) << '\n';
    return ExitOk;
}

bool OutputIsInput(const QString &command, const QString &input, const QString &output)
{
    struct stat in {};
    struct stat out {};
    if (::stat(NativeBytes(input).constData(), &in) != 0 || ::stat(NativeBytes(output).constData(), &out) != 0)
        return false;   // an output that does not exist yet is no file of ours
    if (in.st_dev != out.st_dev || in.st_ino != out.st_ino)
        return false;
    Err() << QStringLiteral("qrn %1: 出力ファイル %2 は入力ファイルそのものです。書き込みません。"
                            " / the output %2 is the input file; nothing written.\n")
                 .arg(command, VisibleName(output));
    Err().flush();
    return true;
}

QString HeadingCaption(const QString &caption)
{
    // The same few captions head every sheet of a long run.
    static QHash<QString, QString> made;
    auto known = made.constFind(caption);
    if (known == made.cend())
        known = made.insert(caption, PlainCaption(caption).remove(QChar(0x3000)).trimmed());
    return *known;
}

} // namespace quiren::cli
