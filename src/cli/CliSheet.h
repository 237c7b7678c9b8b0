#pragma once

#include "core/calc/CalcSheet.h"
#include "core/documents/CalcFile.h"
#include "core/documents/SheetFile.h"
#include "core/settings/AppData.h"
#include "core/settings/WallListFile.h"

#include <QString>

#include <memory>
#include <vector>
#include <optional>

// What the qrn commands share: the application data as the tool sees it, and
// reading a calculation file into a sheet exactly as the window shows it
// after opening the file.
namespace quiren::cli {

// The program's settings and office data, and the certified-wall list from
// "WallListData" in qrn's own folder (none there: no walls). Loaded on first
// use. The tool never writes any setting.
AppData &CliAppData();

// The inputs of a sheet file (".qrn2") or a calculation file (".qrn"), told
// apart by their content. A file that cannot be opened or read gets the
// program's message on stderr and an empty optional. droppedInputs: see
// SheetFileRead.
std::optional<SheetFileData> ReadCliSheetFile(const QString &path, int *droppedInputs = nullptr);

// Reads `path` into a fully recomputed sheet, or an empty pointer after the
// message of ReadCliSheetFile. `refused`, when given, receives the numbers of
// the file the sheet could not take (left empty, as the window does).
std::unique_ptr<CalcSheet> LoadCliSheet(const QString &path,
                                        std::vector<RefusedCell> *refused = nullptr);

// The end of a command that writes `output`: the path on stdout and ExitOk,
// or the reason on stderr ("qrn <command>: ... / cannot write ...") and
// ExitError.
int ReportWritten(const QString &command, const QString &output, const WriteResult &written);

// Whether `output` is the file `input` (the same file once links are
// resolved, or another hard link to it): writing the output would replace
// the calculation file. Says so on stderr when it is.
bool OutputIsInput(const QString &command, const QString &input, const QString &output);

// Captions as the window shows them, following the "PafKind" setting.
// Judgement grid row 0 for direction d ("桁に平行な壁面" ...).
QString DirectionCaption(int d);
// The caption of projected area w ("梁に平行な壁面の見付面積：Ａ" ...).
QString AreaCaption(int w);
// A caption as a table heading: without its accelerator (PlainCaption) and
// without the ideographic spaces that spread it out ("判　定" gives "判定").
QString HeadingCaption(const QString &caption);

} // namespace quiren::cli
