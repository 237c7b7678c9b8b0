#include "core/calc/SheetWalls.h"

#include "core/calc/LawWalls.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quiren {

namespace {

const QString WoodSuffix = QStringLiteral("+木材");
const QString RebarSuffix = QStringLiteral("+鉄筋");

bool rules2025(const CalcSheet &sheet)
{
    return sheet.ruleSetKind() == RuleSetKind::Rules2025;
}

float capOf(const CalcSheet &sheet)
{
    return rules2025(sheet) ? 7.0f : 5.0f;
}

QString valueText(float value)
{
    return FormatDecimal(value, 2, 1);
}

// The multiplier of a kind as the list shows it beside the kind.
QString choiceLabel(const QString &kind, const QString &value, bool unverified)
{
    return kind + QStringLiteral("　") + value + (unverified ? UnverifiedMark : QString());
}

// Whether a wall piece is one of the sheet's certified walls (or an office
// value of an unverified law wall): what a file keeps.
bool isKept(const FramingWallPiece &piece)
{
    return piece.source != MultiplierSource::Law;
}

template <typename Visit>
void forEachRowInUse(const CalcSheet &sheet, Visit visit)
{
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        for (const FramingRow &row : sheet.framing[s]) {
            if (row.inUse() && !row[ColKind].trimmed().isEmpty())
                visit(row);
        }
    }
}

} // namespace

FramingResolution ResolveSheetRow(const CalcSheet &sheet, const FramingRow &row)
{
    return ResolveFraming(row[ColKind], row[ColSection], row[ColXBracing], sheet.walls(),
                          static_cast<int>(sheet.walls().size()) - 1, sheet.keptWalls, rules2025(sheet));
}

QString MultiplierSourceName(MultiplierSource source)
{
    switch (source) {
    case MultiplierSource::Law:
        return QStringLiteral("法令");
    case MultiplierSource::OfficeList:
        return QStringLiteral("事務所の一覧");
    case MultiplierSource::KeptInFile:
        return QStringLiteral("ﾌｧｲﾙ保存値");
    }
    return {};
}

CertifiedWallList UsedCertifiedWalls(const CalcSheet &sheet)
{
    CertifiedWallList used;
    forEachRowInUse(sheet, [&](const FramingRow &row) {
        for (const FramingWallPiece &piece : ResolveSheetRow(sheet, row).walls) {
            const bool known = std::any_of(used.begin(), used.end(),
                                           [&](const CertifiedWall &w) { return w.name == piece.name; });
            if (isKept(piece) && !known)
                used.append(CertifiedWall{piece.name, piece.multiplier});
        }
    });
    return used;
}

void ForgetKeptWalls(CalcSheet &sheet, const QString &kind)
{
    sheet.keptWalls.removeIf([&](const CertifiedWall &wall) {
        return kind == wall.name || kind == wall.name + WoodSuffix || kind == wall.name + RebarSuffix;
    });
}

QStringList WallNotices(const CalcSheet &sheet)
{
    QStringList notices;
    for (int s = 0; s <= sheet.storeyIndex; ++s) {
        for (const QString &missing : sheet.unresolvedKinds[s])
            notices << QStringLiteral("%1の「%2」は倍率がわかりません(法令の一覧にも事務所の一覧にもありません)。"
                                      "%1は判定しません。")
                           .arg(StoreyName(s), missing);
    }
    // Kept walls in use whose office value differs or is missing.
    const CertifiedWallList &office = sheet.walls();
    for (const CertifiedWall &used : UsedCertifiedWalls(sheet)) {
        const bool kept = std::any_of(sheet.keptWalls.begin(), sheet.keptWalls.end(),
                                      [&](const CertifiedWall &w) { return w.name == used.name; });
        if (!kept)
            continue;
        const CertifiedWall *listed = nullptr;
        for (const CertifiedWall &wall : office) {
            if (!wall.name.isEmpty() && wall.name == used.name)
                listed = &wall;
        }
        const LawWall *law = FindLawWall(used.name);
        if (!listed && !law) {
            notices << QStringLiteral("「%1」は事務所の一覧にありません。保存時の倍率%2で計算しています。")
                           .arg(used.name, valueText(used.multiplier));
        } else {
            const float now = listed ? listed->multiplier : law->multiplier;
            if (now != used.multiplier)
                notices << QStringLiteral("「%1」の倍率は事務所の一覧では%2です。保存時の倍率%3で計算しています"
                                          "(一覧の倍率にするには種類を選び直して下さい)。")
                               .arg(used.name, valueText(now), valueText(used.multiplier));
        }
    }
    return notices;
}

std::vector<KindChoice> KindChoices(const CalcSheet &sheet)
{
    std::vector<KindChoice> list;
    auto heading = [&](const QString &caption) { list.push_back(KindChoice{{}, QStringLiteral("【") + caption + QStringLiteral("】"), true}); };
    auto item = [&](const QString &kind, const QString &value, bool unverified) {
        list.push_back(KindChoice{kind, choiceLabel(kind, value, unverified), false});
    };
    list.push_back(KindChoice{framing::Clear, framing::Clear, false});

    const bool twoFaces = rules2025(sheet);
    std::vector<const LawWall *> outside, inside;
    LawWallGroup current = LawWallGroup::Brace;
    bool first = true;
    for (const LawWall &wall : LawWalls()) {
        if (first || wall.group != current) {
            heading(LawWallGroupCaption(wall.group));
            current = wall.group;
            first = false;
        }
        const QString value = valueText(wall.multiplier);
        switch (wall.group) {
        case LawWallGroup::Brace:
            item(wall.name, QStringLiteral("1.0〜5.0"), false);
            continue;
        case LawWallGroup::SteelBar:
            item(wall.name, value, false);
            continue;
        default:
            break;
        }
        item(wall.name, value, wall.unverified);
        item(wall.name + WoodSuffix, value + QStringLiteral("+筋かい"), wall.unverified);
        if (wall.group == LawWallGroup::LathEarth)
            item(wall.name + RebarSuffix, valueText(wall.multiplier + 1.0f), wall.unverified);
        if (wall.facePanel && wall.group == LawWallGroup::PanelOokabe && !wall.unverified) {
            if (wall.insideOnly && wall.name != QStringLiteral("強化石膏ボード (大壁)"))
                inside.push_back(&wall);
            else if (!wall.insideOnly)
                outside.push_back(&wall);
        }
    }
    if (twoFaces) {
        // One panel on each face: an outside panel with a gypsum board inside.
        heading(QStringLiteral("両面 面材 (2025年基準)"));
        for (const LawWall *out : outside) {
            for (const LawWall *in : inside) {
                const QString kind = out->name + QStringLiteral("+") + in->name;
                const QString value = valueText(out->multiplier + in->multiplier);
                item(kind, value, false);
                item(kind + WoodSuffix, value + QStringLiteral("+筋かい"), false);
            }
        }
    }

    bool certifiedHeading = false;
    for (const CertifiedWall &wall : sheet.walls()) {
        if (wall.isPlaceholder() || FindLawWall(wall.name))
            continue;
        if (!certifiedHeading) {
            heading(QStringLiteral("大臣認定 (事務所の一覧)"));
            certifiedHeading = true;
        }
        const QString value = valueText(wall.multiplier);
        item(wall.name, value, false);
        item(wall.name + WoodSuffix, value + QStringLiteral("+筋かい"), false);
        item(wall.name + RebarSuffix, valueText(wall.multiplier + 1.0f), false);
    }
    return list;
}

bool UsesLawPanelKinds(const CalcSheet &sheet)
{
    bool uses = false;
    forEachRowInUse(sheet, [&](const FramingRow &row) {
        for (const FramingWallPiece &piece : ResolveSheetRow(sheet, row).walls) {
            const LawWall *law = FindLawWall(piece.name);
            if (law && law->provision.startsWith(QStringLiteral("昭56")))
                uses = true;
        }
    });
    return uses;
}

std::vector<KindLegendLine> KindLegend(const CalcSheet &sheet)
{
    std::vector<KindLegendLine> lines;
    QStringList seen;
    forEachRowInUse(sheet, [&](const FramingRow &row) {
        const FramingResolution resolved = ResolveSheetRow(sheet, row);
        const bool crossed = row[ColXBracing] == framing::Crossed;
        QString kind = row[ColKind];
        if (resolved.woodBrace)
            kind += QStringLiteral(" ") + row[ColSection] + (crossed ? QStringLiteral(" たすき") : QStringLiteral(" 片"));
        if (seen.contains(kind))
            return;
        seen << kind;
        KindLegendLine line{kind, {}, {}};
        if (!resolved.resolved) {
            line.multiplier = QStringLiteral("不明");
            line.provision = QStringLiteral("一覧にありません");
            lines.push_back(line);
            return;
        }
        QStringList values, provisions;
        auto provision = [&](const QString &text) {
            if (!provisions.contains(text))
                provisions << text;
        };
        for (const FramingWallPiece &piece : resolved.walls) {
            values << valueText(piece.multiplier) + (piece.unverified ? UnverifiedMark : QString());
            // The 2025 rules' sheet names today's ministry.
            const bool certified = piece.provision == CertifiedProvision();
            provision(certified && sheet.ruleSetKind() == RuleSetKind::Rules2025 ? QStringLiteral("国土交通大臣認定")
                                                                                  : piece.provision);
        }
        const FramingShares &shares = resolved.shares;
        if (resolved.woodBrace) {
            if (crossed && row[ColSection] == QStringLiteral("9×9") && !resolved.walls.empty())
                values = QStringList{};   // crossed 9 cm square braces stand alone
            values << valueText(shares.brace);
            provision(WoodBraceProvision(row[ColSection], crossed));
        } else if (resolved.rebar) {
            values << valueText(shares.braces());
            provision(RebarProvision());
        }
        const float sum = shares.sum();
        line.multiplier = values.join(QStringLiteral("+"));
        if (values.size() > 1)
            line.multiplier += QStringLiteral("=") + valueText(sum);
        if (sum > capOf(sheet))
            line.multiplier += QStringLiteral("→") + valueText(capOf(sheet));
        // "令46条4項表1(一)(三)" rather than the article twice.
        QString joined;
        QString lastArticle;
        for (const QString &text : provisions) {
            const qsizetype item = text.indexOf(QLatin1Char('('));
            const QString article = item > 0 ? text.left(item) : text;
            if (!joined.isEmpty() && item > 0 && article == lastArticle && !text.endsWith(QStringLiteral("号)"))) {
                joined += text.mid(item);
                continue;
            }
            joined += (joined.isEmpty() ? QString() : QStringLiteral("、")) + text;
            lastArticle = article;
        }
        line.provision = joined;
        lines.push_back(line);
    });
    return lines;
}

} // namespace quiren
