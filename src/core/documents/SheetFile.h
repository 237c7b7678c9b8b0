#pragma once

#include "core/calc/CalcSheet.h"
#include "core/documents/CalcFile.h"
#include "core/io/SafeWrite.h"

#include <QByteArray>
#include <QString>

// The sheet file (".qrn2"): UTF-8 JSON that holds a sheet under either rule
// set, every input as the user typed it. docs/qrn2-format.md describes it
// key by key.
//
//   {
//     "format": "quiren-sheet",
//     "version": 1,
//     "rules": "old",
//     "title": ..., "storeyCount": ..., "weight": ..., "certifiedWall": ...,
//     "strongWind": ..., "merge": [...],
//     "seismic": {...}, "loftExemption": ...,          (2025 rules)
//     "storeys": [ {"floorArea": ..., "projectedArea": [..], "rows": [..],
//                   "voids": ..., "loft": [..], "memberDistance": ...,
//                   "quasiWalls": [..]}, x3 ]
//   }
//
// "version" is the format's major version: a reader refuses a larger one.
// Keys a reader does not know are ignored, so later versions of the program
// may add keys without raising it; a missing key keeps the new-sheet value.
// Every value that is present is checked, and a file with a value of the
// wrong type or out of range is refused as a whole, naming the key.
//
// The old-rule inputs are exactly those of a ".qrn" file (CalcFileData), so
// a ".qrn" converts to ".qrn2" and back without a byte changing.
namespace quiren {

inline constexpr char SheetFileFormat[] = "quiren-sheet";
inline constexpr int SheetFileVersion = 1;
// Larger than any sheet the program writes by far; a larger file is not read.
inline constexpr qint64 MaxSheetFileSize = 4 * 1024 * 1024;
// The certified-wall list holds at most 101 walls; -1 is "none".
inline constexpr int MaxCertifiedPosition = 100;
// The columns of the joint check a storey may hold.
inline constexpr int MaxJointColumns = 500;

// The inputs a sheet file holds. A default-constructed value is a new sheet.
struct SheetFileData {
    // The file names the rule sets "old" and "2025".
    RuleSetKind rules = RuleSetKind::Old;
    // The inputs both rule sets share, as the ".qrn" keeps them.
    CalcFileData inputs;
    // The inputs of the 2025 rules. A sheet keeps them under the old rules
    // too, so that switching back and forth loses nothing; the file holds
    // them whenever they differ from a new sheet's.
    WeightRuleInputs weightInputs;
    // Per storey, QuasiRowCount rows; only their input cells are used.
    std::array<std::vector<QuasiWallRow>, WeightRuleStoreys> quasiWalls;
    // The balance check: the side parts of each storey, and for each framing
    // row (FramingRowCount(s) per storey) the places lying in them.
    BalanceInputs balance;
    // The column diameter check of each storey.
    ColumnInputs columns;
    // The certified walls the rows use, with the multipliers they were
    // computed with ("certifiedWalls"): opened where the office's list
    // differs, the sheet still computes with these.
    CertifiedWallList keptWalls;
    // The strong-wind factor in force, cm/m² ("strongWindFactor"); 0 when
    // the file does not say (the setting's value is taken).
    int strongWindFactor = 0;
    // Per framing row, the multiplier cells of both directions as the
    // sheet showed them when saved: written for readers, never read back.
    std::array<std::vector<std::array<QString, 2>>, StoreyCount> rowMultipliers;
    // The column-end joints: the columns of each storey.
    std::array<JointStorey, StoreyCount> joints;

    SheetFileData();
};

// The inputs of a sheet, as a save writes them.
SheetFileData SheetFileDataOf(const CalcSheet &sheet);

// An old ".qrn" file's inputs as a sheet file holds them. The ".qrn" reader
// takes whatever a hand-edited file holds; what a sheet file cannot hold is
// what the window drops on opening anyway: an area, length or places text
// that is not a number (or a negative length or places count) becomes
// empty, a certified-wall position beyond any list becomes 0 (the first
// entry). `dropped` counts those fields.
SheetFileData SheetFileDataOfCalcFile(const CalcFileData &data, int *dropped = nullptr);

// The bytes of a sheet file.
QByteArray EncodeSheetFile(const SheetFileData &data);

// Writes through a temporary file that replaces `path` only once it is
// complete, as the ".qrn" writer does.
WriteResult WriteSheetFile(const QString &path, const SheetFileData &data);

enum class SheetFileStatus {
    Ok,
    CannotOpen,     // missing, a folder, no permission, read error
    NotDataFile,    // not JSON, not a "quiren-sheet", or far too large
    NewerVersion,   // written by a later program with a larger "version"
    BadValue,       // a value of the wrong type or out of range
};

struct SheetFileParse {
    SheetFileStatus status = SheetFileStatus::Ok;
    SheetFileData data;
    // NewerVersion: the file's version; BadValue: where the value stands,
    // as a JSON path ("storeys[1].rows[0].length[0]").
    QString detail;
};

SheetFileParse ParseSheetFile(const QByteArray &bytes);

// Whether the bytes look like a sheet file rather than a ".qrn": the first
// character after blanks (and a byte-order mark) is "{".
bool LooksLikeSheetFile(const QByteArray &bytes);

struct SheetFileRead {
    SheetFileStatus status = SheetFileStatus::Ok;
    SheetFileData data;
    QString message;   // the program's message for a failure
    // For a ".qrn": the inputs it held that a sheet file cannot (see
    // SheetFileDataOfCalcFile). The certified-wall position is mended here;
    // the numbers stay in `data` as the file held them, for ApplySheetFile
    // to refuse by name.
    int droppedInputs = 0;
};

// Reads either kind of file, told apart by its content, not its extension:
// a ".qrn" comes back as an old-rule sheet, through SheetFileDataOfCalcFile.
SheetFileRead ReadSheetFile(const QString &path);

// The messages for a file written by a later version and for a bad value.
QString NewerVersionMessage(const QString &path, const QString &version);
QString BadValueMessage(const QString &path, const QString &where);

// Brings a sheet to what the window shows after opening the file (see
// ApplyCalcFile); `changed` is clear afterwards. Returns the numbers of the
// file the sheet could not take, as ApplyCalcFile does.
std::vector<RefusedCell> ApplySheetFile(CalcSheet &sheet, const SheetFileData &data, int wallCoefficeient);
std::vector<RefusedCell> ApplySheetFile(CalcSheet &sheet, const SheetFileData &data);

} // namespace quiren
