#pragma once

#include "core/calc/CalcSheet.h"
#include "core/io/SafeWrite.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The calculation file (".qrn"): 29 lines of comma-separated fields in CP932
// with CR LF, holding only the inputs of a sheet. Everything else is
// recomputed after reading.
//
//   line 1      "Quiren"
//   line 2      three merge marks             #TRUE# / #FALSE#
//   line 3      title, storey-count index, weight type, certified-wall
//               position (-1 none), strong-wind option
//   lines 4-6   per storey: floor area, projected area s, projected area s+3
//   lines 7-29  the 23 framing rows (9 + 7 + 7) in grid order, each the seven
//               input cells kind, section, X-bracing, length 0, places 0,
//               length 1, places 1
//
// Saving a window's sheet is WriteCalcFile; opening a file is ReadCalcFile,
// then ApplyCalcFile on the new window's sheet. The window adds its own
// steps around them (recent files, captions, the document slot).
namespace quiren {

inline constexpr int CalcFileLineCount = 29;
inline constexpr int CalcFileRowFields = 7;   // input cells of a framing row

// A calculation file is a few kilobytes; anything larger than this is
// answered as "not a data file" without being read into memory.
inline constexpr qint64 MaxCalcFileSize = 1024 * 1024;

// The inputs a calculation file holds. A default-constructed value is what a
// new sheet holds, so a field a reader cannot read simply keeps it.
struct CalcFileData {
    using RowInputs = std::array<QString, CalcFileRowFields>;

    std::array<bool, 3> merge{};
    QString titleName;
    int storeyIndex = 0;       // 0..2
    int weightType = 0;        // 0 light, 1 heavy
    int certifiedChoice = 0;   // position in the wall choice, -1 none
    bool strongWind = false;
    std::array<QString, StoreyCount> floorArea;
    std::array<QString, ProjectedAreaCount> projectedArea;
    // Per storey, FramingRowCount(s) rows of input cells in file order.
    std::array<std::vector<RowInputs>, StoreyCount> rows;

    CalcFileData();
    bool operator==(const CalcFileData &) const = default;
};

// The inputs of a sheet, as a save writes them.
CalcFileData CalcFileDataOf(const CalcSheet &sheet);

// A text as the file can hold it. A double quote would end the quoted field
// (the format has no escape), so it becomes the full-width "＂"; line breaks
// become blanks (every field stays on its line); the JIS forms of a few
// signs that CP932 keeps under another code ("〜", "−", "‖", "—", "¢",
// "£", "¬") become the CP932 look-alikes ("～", "－", "∥", "―", "￠", "￡",
// "￢"), which is what the user sees anyway.
QString StorableText(const QString &text);

// The bytes of a file, or, when a text holds a character that CP932 cannot
// hold (an emoji, a rare kanji), no bytes and an error naming the field and
// the character.
struct CalcFileBytes {
    QByteArray bytes;
    QString error;   // empty when the bytes are good
};
CalcFileBytes EncodeCalcFile(const CalcFileData &data);

// The core of saving: writes the file through a temporary file in the same
// folder, which replaces `path` only once it is completely written and
// flushed. On failure the old file is untouched and the result carries the
// system's description of the error (or the encoding error above).
WriteResult WriteCalcFile(const QString &path, const CalcFileData &data);
WriteResult WriteCalcFile(const QString &path, const CalcSheet &sheet);

// Reading. ParseCalcFile takes the fields one after another, wherever the
// lines break; an empty optional means the first field is not exactly
// "Quiren" (or the data is too large to be a calculation file). A field
// that cannot be read keeps the new-sheet value; a storey-count index
// outside 0..2 or a weight type outside 0..1 reads as 0.
std::optional<CalcFileData> ParseCalcFile(const QByteArray &bytes);

enum class CalcFileStatus {
    Ok,
    CannotOpen,    // missing, a folder, a FIFO or device, no permission, read error
    NotDataFile,   // first field not "Quiren", or far too large
};

struct CalcFileRead {
    CalcFileStatus status = CalcFileStatus::Ok;
    CalcFileData data;
    QString message;   // the program's message for a failure
};

CalcFileRead ReadCalcFile(const QString &path);

// path & "ﾌｧｲﾙを開けません。"
QString CannotOpenMessage(const QString &path);
// "Quiren" & "のデータファイルではありません。"
QString NotDataFileMessage();

// Brings a sheet to what the window shows after opening a file: the sheet is
// set up as new, the inputs are applied in the window's order with their
// reactions (merge marks; storey count; title; weight; certified wall, a
// position beyond the list choosing the first entry; the strong-wind option
// through ToggleStrongWind so the six wind factors follow it; the areas;
// the rows), then Long_calc for storeys 0..2 and RecalcStorey for 0..n.
// `changed` is clear afterwards.
//
// Areas, lengths and places go through the checks and the normalisation of
// typed entries (CellInput.h): a length "1.82" becomes "  1.82", places
// "2.0" become "2". A text the window would refuse (not a number, negative,
// out of range, places that are not whole) is left empty, as the window
// empties such an entry, noted in the sheet's unreadCells (so the storey is
// not judged "OK") and returned so that the caller can say which cell it
// could not use.
//
// wallCoefficeient: the strong-wind setting (cm/m²) as read now. The
// two-argument form reads it from the settings when the option is on.
struct RefusedCell {
    enum Kind { FloorArea, ProjectedArea, Framing } kind = FloorArea;
    int storey = 0;
    int direction = 0;   // of a projected area or a framing cell
    int row = -1;        // framing row, 0-based
    int column = -1;     // framing column (ColLength0, ColPlaces1, ...)
    QString text;        // as the file held it
};
std::vector<RefusedCell> ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data,
                                       int wallCoefficeient);
// Where a refused number stood and what it was, as the user reads it:
// 一階 3行目 桁に平行な軸組長さ(m) "1e38", 二階 見付面積(D) "-5".
QString RefusedCellText(const RefusedCell &cell);
// What the user is told after opening a file with refused numbers; empty
// when there are none.
QString RefusedCellsMessage(const std::vector<RefusedCell> &cells);
std::vector<RefusedCell> ApplyCalcFile(CalcSheet &sheet, const CalcFileData &data);

} // namespace quiren
