#pragma once

#include "core/calc/ColumnInputs.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The column diameter check (柱の小径), one storey and direction at a time.
//
// Under the 2025 rules the necessary diameter follows the load the storey
// carries, Wd (N/m² of floor). Three ways to show it, as the official tool
// offers them:
//   ratio formula   dp = 0.027·l + 22.5·Wd/l                      (mm)
//   buckling        the smallest d with Na(d) ≥ 5 m² · Wd
//   allowable area  Aa = Na / Wd ≥ the largest tributary area of a column
// with, for the section b × d in the buckling direction and the distance l
// between the horizontal members,
//   λ = √12 · l / d,  η = 1 (λ ≤ 30), 1.3 − 0.01λ (λ ≤ 100), 3000/λ² (above),
//   Na = (1.1/3) · Fc · η · b · d   (N, long-term allowable axial force).
// Under the old rules the necessary diameter is l times a ratio of a table
// (light or heavy roof; top storey or the others). In every method λ must not
// exceed 150.
//
// Shown figures round toward the safe side: necessary diameters up to 0.1 mm,
// allowable areas down to 0.1 m². Judgements compare the typed figure with
// the shown one, so what the sheet prints is what was judged; λ is judged
// unrounded.
namespace quiren {

class CalcSheet;

// ---- timbers ---------------------------------------------------------------

struct Timber {
    QString key;       // file and command-line key ("sugi", "hinoki-k1", "e105-f300")
    QString name;      // as listed ("無等級 すぎ", "目視等級甲種1級 ひのき", "集成材 E105-F300")
    double fcNPerMm2;  // compressive base strength Fc
    bool verified;     // false: the value could not be checked against the notice's text
};

// The timbers offered, すぎ (no grade) first: the official tool's assumption
// when no timber is chosen.
const std::vector<Timber> &TimberList();
// A timber by its key or by its name, loosely: blanks, "・" and brackets
// ignored, full-width letters and digits read as half-width, species and
// grade in either order, a species alone for its ungraded timber ("すぎ",
// "ひのき E90", "E105F300"). Null when none matches.
const Timber *FindTimber(const QString &keyOrName);

// ---- methods and sources ---------------------------------------------------

QString ChoiceKey(ColumnMethod method);   // "ratio", "buckling", "area"
std::optional<ColumnMethod> ColumnMethodFromKey(const QString &key);
QString ChoiceName(ColumnMethod method);  // "算定式", "座屈(5㎡/本)", "負担可能面積"
QString ChoiceKey(WdSource source);       // "typed", "loads"
std::optional<WdSource> WdSourceFromKey(const QString &key);

// ---- the arithmetic -----------------------------------------------------------

constexpr double SlendernessLimit = 150.0;
constexpr double BucklingAreaM2 = 5.0;   // floor area per column assumed by the buckling method
constexpr double SugiFc = 17.7;          // 無等級 すぎ, N/mm²

double SlendernessRatio(double lengthMm, double depthMm);
double BucklingFactor(double lambda);
// Na in N.
double AllowableAxialForceN(double fcNPerMm2, double lambda, double widthMm, double depthMm);
// dp of the ratio formula, mm, unrounded.
double RatioFormulaDpMm(double lengthMm, double wdNPerM2);
// The smallest depth d (mm, unrounded) whose section b × d (b = d when
// widthMm is 0) carries tributaryM2 · Wd; infinity when none does.
double BucklingDepthMm(double lengthMm, double widthMm, double fcNPerMm2, double wdNPerM2,
                       double tributaryM2 = BucklingAreaM2);
// The old rules' ratio d/l as its denominator (33, 30, 28 or 25).
int OldRuleRatioDenominator(bool heavyRoof, bool topStorey);

// Safe-side roundings to 0.1, guarded against the last bit of binary noise.
double RoundUpTenth(double value);
double RoundDownTenth(double value);

// One column in one direction, as numbers.
struct ColumnCase {
    double lengthMm = 0;   // l
    double depthMm = 0;    // d
    double widthMm = 0;    // b; 0: square
    double fcNPerMm2 = SugiFc;
    double wdNPerM2 = 0;
    double tributaryM2 = 0;   // the largest tributary area (method Area)
    ColumnMethod method = ColumnMethod::Ratio;
    int oldRatioDenominator = 0;   // old rules: the table's ratio 1/N; 0 under the 2025 rules
};

struct ColumnFigures {
    double lambda = 0;        // unrounded
    double eta = 0;
    double naKN = 0;
    double aaM2 = 0;          // Na / Wd, rounded down to 0.1
    double ratioDpMm = 0;     // rounded up to 0.1 (2025 rules)
    double bucklingDMm = 0;   // rounded up to 0.1; infinity when no depth carries the load
    double oldDpMm = 0;       // old rules: l / N rounded up to 0.1
    bool slenderOk = false;   // λ ≤ 150
    bool strengthOk = false;  // the method's own test
    bool ok() const { return slenderOk && strengthOk; }
    // What the method asks of the section, as the sheet shows it:
    // necessary d (mm) or allowable area (m²).
    double required(const ColumnCase &c) const;
};

ColumnFigures ComputeColumn(const ColumnCase &c);

// Texts of shown figures: "110.2", "6.9", λ "88.4", η "0.4158", Na "29.75".
QString TenthText(double value);
QString EtaText(double eta);
QString KiloNewtonText(double kN);

// ---- a storey of the sheet -----------------------------------------------------

enum class ColumnVerdict {
    NotChecked,   // nothing typed for the storey's columns
    Incomplete,   // something the method needs is missing (see missing)
    Sufficient,
    Short,
};

struct ColumnDirectionResult {
    bool checked = false;   // l and d given and everything the method needs known
    ColumnCase input;
    ColumnFigures figures;
};

struct StoreyColumnResult {
    ColumnVerdict verdict = ColumnVerdict::NotChecked;
    bool oldRules = false;
    ColumnMethod method = ColumnMethod::Ratio;   // the one used (old rules: Ratio, the table)
    int oldRatioDenominator = 0;
    // The timber: its name (or "Fc入力"), Fc, whether the value is unverified.
    QString timberName;
    double fcNPerMm2 = 0;
    bool fcKnown = false;
    bool fcUnverified = false;
    // Wd and where it came from: the typed note, or the sheet's loads with
    // every term ("① 0.8123 + ② … = 4.3100 kN/m²").
    WdSource wdSource = WdSource::Typed;
    double wdNPerM2 = 0;
    bool wdKnown = false;
    QString wdNote;       // typed: the user's note
    QString wdFormula;    // loads: the terms, the sum and the division by r
    double tributaryM2 = 0;
    std::array<ColumnDirectionResult, 2> direction;
    QStringList missing;  // what the user still has to type, in Japanese

    bool checked() const { return verdict == ColumnVerdict::Sufficient || verdict == ColumnVerdict::Short; }
    // "OK", "NG", or empty when not judged.
    QString verdictText() const;
    // The method as printed: "算定式", "旧基準の表 1/30", …
    QString methodText() const;
};

// The check as a reviewer follows it, for the window, the printed page and
// qrn show: a few lines for the storey (method, timber and Fc, Wd and where
// it came from), then the rows of a table with one value per direction.
QStringList ColumnHeaderLines(const StoreyColumnResult &result);
struct ColumnTableRow {
    QString caption;
    std::array<QString, 2> values;
};
std::vector<ColumnTableRow> ColumnTableRows(const StoreyColumnResult &result);

// The check of storey s of the sheet.
StoreyColumnResult CheckStoreyColumns(const CalcSheet &sheet, int s);

// Whether the sheet holds any column input for an existing storey.
bool HasColumnData(const CalcSheet &sheet);

// The Japanese direction names (0: "張り間方向", 1: "けた行方向").
QString ColumnDirectionName(int d);

} // namespace quiren
