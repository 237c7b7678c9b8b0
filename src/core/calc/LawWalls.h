#pragma once

#include <QString>

#include <optional>
#include <vector>

// The bearing walls whose multiplier the law itself gives, without a
// minister's certificate: the framing table of 令46条 (clay and lath walls,
// braces) and the panel and traditional walls of 昭56建告1100号. Each entry
// is a framing kind as the grid shows it, by the short name designers write
// on drawings, with its construction in brackets ("構造用合板 t7.5 (大壁)").
namespace quiren {

enum class LawWallGroup {
    Brace,        // wood braces; their value depends on the section cells
    SteelBar,     // the 9 mm rebar brace
    LathEarth,    // clay, lath and the other traditional walls
    PanelOokabe,  // panels nailed over posts and studs (大壁), and on furring
    PanelYukagachi,   // 大壁 panels standing on the subfloor (床勝ち)
    PanelShinkabe,    // panels between the posts (真壁: on battens or 貫)
};

struct LawWall {
    QString name;             // the kind text
    LawWallGroup group;
    float multiplier;         // as a bearing wall; 0 for the brace entries
    QString provision;        // where the law gives it
    // The value could not be confirmed in the 告示's text: it is shown
    // marked, and the office list may give the wall another multiplier.
    bool unverified = false;
    // Gypsum boards are allowed on inside faces only.
    bool insideOnly = false;
    // Whether the panel may stand on one face of a wall whose other face
    // carries another panel (2025 rules): 大壁 and 床勝ち panels.
    bool facePanel = false;
};

// Every entry, in the order the kind list offers them.
const std::vector<LawWall> &LawWalls();
// The entry of that exact name.
const LawWall *FindLawWall(const QString &name);
// The multiplier of the entry of that name; 0 for a name not in the list.
float LawWallMultiplier(const QString &name);

// Caption of a group in the kind list ("面材 大壁", "筋かい" …).
QString LawWallGroupCaption(LawWallGroup group);

// Provisions of the pieces a kind is made of that are not entries of the
// list: the wood brace of a section, crossed or not, and the rebar brace.
QString WoodBraceProvision(const QString &section, bool crossed);
QString RebarProvision();
// Where a minister-certified wall's multiplier comes from.
QString CertifiedProvision();

// The mark beside an unverified multiplier, and what it means.
extern const QString UnverifiedMark;
QString UnverifiedNote();

} // namespace quiren
