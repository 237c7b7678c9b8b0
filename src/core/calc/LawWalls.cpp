#include "core/calc/LawWalls.h"

namespace quiren {

namespace {

const QString Table1 = QStringLiteral("令46条4項表1");
const QString Notice1100 = QStringLiteral("昭56建告1100号");
// The high-multiplier panels and the 床勝ち / 真壁 constructions of the
// panels added in 2018.
const QString Notice490 = QStringLiteral("昭56建告1100号(平30国交告490号)");

LawWall panel(const char *name, LawWallGroup group, float multiplier, const QString &provision,
              bool unverified = false, bool insideOnly = false)
{
    const bool face = group == LawWallGroup::PanelOokabe || group == LawWallGroup::PanelYukagachi;
    return LawWall{QString::fromUtf8(name), group, multiplier, provision, unverified, insideOnly, face};
}

std::vector<LawWall> makeList()
{
    using G = LawWallGroup;
    constexpr bool Unverified = true;
    constexpr bool Verified = false;
    constexpr bool Inside = true;
    std::vector<LawWall> list{
        {QStringLiteral("木材"), G::Brace, 0.0f, Table1 + QStringLiteral("(二)〜(七)")},
        {QStringLiteral("9㎜鉄筋"), G::SteelBar, 1.0f, Table1 + QStringLiteral("(二)")},
        {QStringLiteral("土塗り壁"), G::LathEarth, 0.5f, Table1 + QStringLiteral("(一)")},
        {QStringLiteral("木摺片面壁"), G::LathEarth, 0.5f, Table1 + QStringLiteral("(一)")},
        {QStringLiteral("木摺両面壁"), G::LathEarth, 1.0f, Table1 + QStringLiteral("(二)")},
        panel("土塗壁(告示仕様) 中塗り両面 t7", G::LathEarth, 1.5f, Notice1100, Unverified),
        panel("土塗壁(告示仕様) 中塗り片面 t5.5", G::LathEarth, 1.0f, Notice1100, Unverified),
        panel("落とし込み板壁", G::LathEarth, 0.6f, Notice1100, Unverified),

        panel("構造用合板 t7.5 (大壁)", G::PanelOokabe, 2.5f, Notice1100),
        panel("構造用パネル(OSB) (大壁)", G::PanelOokabe, 2.5f, Notice1100),
        panel("パーティクルボード t12 (大壁)", G::PanelOokabe, 2.5f, Notice1100),
        panel("構造用パーティクルボード (大壁)", G::PanelOokabe, 2.5f, Notice1100),
        panel("構造用MDF (大壁)", G::PanelOokabe, 2.5f, Notice1100),
        panel("構造用合板 t9 (大壁) CN50@75", G::PanelOokabe, 3.7f, Notice490),
        panel("構造用パネル(OSB) t9 (大壁) CN50@75", G::PanelOokabe, 3.7f, Notice490),
        panel("構造用パーティクルボード (大壁) N50@75", G::PanelOokabe, 4.3f, Notice490),
        panel("構造用MDF (大壁) N50@75", G::PanelOokabe, 4.3f, Notice490),
        panel("ハードボード t5 (大壁)", G::PanelOokabe, 2.0f, Notice1100),
        panel("木片セメント板 t12 (大壁)", G::PanelOokabe, 2.0f, Notice1100),
        panel("炭酸マグネシウム板 t12 (大壁)", G::PanelOokabe, 2.0f, Notice1100, Unverified),
        panel("パルプセメント板 t8 (大壁)", G::PanelOokabe, 1.5f, Notice1100),
        panel("シージングボード t12 (大壁)", G::PanelOokabe, 1.0f, Notice1100, Unverified),
        panel("ラスシート (大壁)", G::PanelOokabe, 1.0f, Notice1100),
        panel("構造用石膏ボードA種 (大壁)", G::PanelOokabe, 1.7f, Notice1100, Verified, Inside),
        panel("構造用石膏ボードB種 (大壁)", G::PanelOokabe, 1.2f, Notice1100, Verified, Inside),
        panel("石膏ボード t12.5 (大壁)", G::PanelOokabe, 0.9f, Notice1100, Verified, Inside),
        panel("強化石膏ボード (大壁)", G::PanelOokabe, 0.9f, Notice1100, Verified, Inside),
        // Any 大壁 panel nailed onto furring strips instead of the frame.
        panel("面材 (胴縁)", G::PanelOokabe, 0.5f, Notice1100, Unverified),

        panel("構造用合板 t7.5 (床勝ち)", G::PanelYukagachi, 2.5f, Notice490, Unverified),
        panel("構造用パネル(OSB) (床勝ち)", G::PanelYukagachi, 2.5f, Notice490, Unverified),
        panel("構造用パーティクルボード (床勝ち)", G::PanelYukagachi, 2.5f, Notice490, Unverified),
        panel("構造用MDF (床勝ち)", G::PanelYukagachi, 2.5f, Notice490, Unverified),
        panel("構造用石膏ボードA種 (床勝ち)", G::PanelYukagachi, 1.6f, Notice1100, Unverified, Inside),
        panel("構造用石膏ボードB種 (床勝ち)", G::PanelYukagachi, 1.0f, Notice1100, Verified, Inside),
        panel("石膏ボード t12.5 (床勝ち)", G::PanelYukagachi, 0.9f, Notice1100, Verified, Inside),
        panel("強化石膏ボード (床勝ち)", G::PanelYukagachi, 0.9f, Notice1100, Verified, Inside),

        panel("構造用合板 t7.5 (真壁受材)", G::PanelShinkabe, 2.5f, Notice1100, Unverified),
        panel("構造用パネル(OSB) (真壁受材)", G::PanelShinkabe, 2.5f, Notice1100, Unverified),
        panel("パーティクルボード t12 (真壁受材)", G::PanelShinkabe, 2.5f, Notice1100, Unverified),
        panel("構造用パーティクルボード (真壁受材)", G::PanelShinkabe, 2.5f, Notice490, Unverified),
        panel("構造用MDF (真壁受材)", G::PanelShinkabe, 2.5f, Notice490, Unverified),
        panel("構造用石膏ボードA種 (真壁受材)", G::PanelShinkabe, 1.5f, Notice1100),
        panel("構造用石膏ボードB種 (真壁受材)", G::PanelShinkabe, 1.3f, Notice1100),
        panel("石膏ボード t12.5 (真壁受材)", G::PanelShinkabe, 1.0f, Notice1100),
        panel("ラスボード・プラスター (真壁受材)", G::PanelShinkabe, 1.5f, Notice1100, Unverified),
        panel("構造用合板 t7.5 (真壁貫)", G::PanelShinkabe, 1.5f, Notice1100, Unverified),
        panel("構造用パネル(OSB) (真壁貫)", G::PanelShinkabe, 1.5f, Notice1100, Unverified),
        panel("パーティクルボード t12 (真壁貫)", G::PanelShinkabe, 1.5f, Notice1100, Unverified),
        panel("ラスボード・プラスター (真壁貫)", G::PanelShinkabe, 1.0f, Notice1100, Unverified),
        panel("構造用石膏ボードA種 (真壁貫)", G::PanelShinkabe, 0.8f, Notice1100, Unverified),
        panel("構造用石膏ボードB種 (真壁貫)", G::PanelShinkabe, 0.7f, Notice1100, Unverified),
        panel("石膏ボード t12.5 (真壁貫)", G::PanelShinkabe, 0.5f, Notice1100, Unverified),
    };
    return list;
}

} // namespace

const QString UnverifiedMark = QStringLiteral("＊");

QString UnverifiedNote()
{
    return QStringLiteral("＊: 告示の条文で確認できていない倍率です。事務所の一覧に同じ名前で登録した倍率が優先します。");
}

const std::vector<LawWall> &LawWalls()
{
    static const std::vector<LawWall> list = makeList();
    return list;
}

const LawWall *FindLawWall(const QString &name)
{
    for (const LawWall &wall : LawWalls()) {
        if (wall.name == name)
            return &wall;
    }
    return nullptr;
}

float LawWallMultiplier(const QString &name)
{
    const LawWall *wall = FindLawWall(name);
    return wall ? wall->multiplier : 0.0f;
}

QString LawWallGroupCaption(LawWallGroup group)
{
    switch (group) {
    case LawWallGroup::Brace:
        return QStringLiteral("筋かい");
    case LawWallGroup::SteelBar:
        return QStringLiteral("鉄筋");
    case LawWallGroup::LathEarth:
        return QStringLiteral("土塗壁・木ずり");
    case LawWallGroup::PanelOokabe:
        return QStringLiteral("面材 大壁");
    case LawWallGroup::PanelYukagachi:
        return QStringLiteral("面材 床勝ち");
    case LawWallGroup::PanelShinkabe:
        return QStringLiteral("面材 真壁");
    }
    return {};
}

QString WoodBraceProvision(const QString &section, bool crossed)
{
    if (crossed)
        return Table1 + (section == QStringLiteral("9×9") ? QStringLiteral("(七)") : QStringLiteral("(六)"));
    if (section == QStringLiteral("3×9"))
        return Table1 + QStringLiteral("(三)");
    if (section == QStringLiteral("4.5×9"))
        return Table1 + QStringLiteral("(四)");
    if (section == QStringLiteral("9×9"))
        return Table1 + QStringLiteral("(五)");
    return Table1 + QStringLiteral("(二)");
}

QString RebarProvision()
{
    return Table1 + QStringLiteral("(二)");
}

QString CertifiedProvision()
{
    return QStringLiteral("大臣認定");
}

} // namespace quiren
