// qrn lw: the seismic wall quantity Lw of the 2025 rules by the official
// spreadsheet tool's method, with every intermediate value: the quick
// reference users look up while they design.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/NumberOptions.h"
#include "cli/TextTable.h"
#include "core/calc/LwReport.h"
#include "core/calc/SeismicWeight.h"
#include "core/text/NumberText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <optional>

namespace quiren::cli {

namespace {

const QStringList Options{
    QStringLiteral("storeys"), QStringLiteral("roof"), QStringLiteral("wall"),
    QStringLiteral("pv"),      QStringLiteral("use"),  QStringLiteral("c0"),
    QStringLiteral("h1"),      QStringLiteral("h2"),   QStringLiteral("rise"),
    QStringLiteral("overhang"), QStringLiteral("pitch"), QStringLiteral("area1"),
    QStringLiteral("area2"),
};

const QString CommandName = QStringLiteral("lw");

// A number ≥ 0 (> 0 when `positive`), or a usage fault naming the option.
double number(const QString &name, const QString &text, bool positive)
{
    const bool isNumber = CheckNumberText(text) == NumberCheck::Number;
    const double value = isNumber ? TextValue(text) : 0;
    if (!isNumber || value < 0 || (positive && value == 0))
        FailUsage(CommandName, QStringLiteral("--%1 の値 \"%2\" が正しくありません(%3の数値)。")
                 .arg(name, text, positive ? QStringLiteral("正") : QStringLiteral("0以上")),
             QStringLiteral("--%1: \"%2\" is not a %3 number.")
                 .arg(name, text, positive ? QStringLiteral("positive") : QStringLiteral("non-negative")));
    return value;
}

double requiredNumber(const GivenOptions &p, const QString &name, bool positive)
{
    return number(name, RequiredOption(CommandName, p, name), positive);
}

// A choice by its key, or a typed load in N/m² (Typed, with the load).
template <typename Enum>
std::pair<Enum, double> choiceOrLoad(const QString &name, const QString &text,
                                     std::optional<Enum> (*fromKey)(const QString &),
                                     const QString &keys)
{
    if (const std::optional<Enum> choice = fromKey(text))
        return {*choice, 0};
    if (CheckNumberText(text) != NumberCheck::Number)
        FailUsage(CommandName, QStringLiteral("--%1 は %2 か荷重(N/m²)で指定して下さい(\"%3\")。").arg(name, keys, text),
             QStringLiteral("--%1 takes %2 or a load in N/m² (\"%3\").").arg(name, keys, text));
    return {Enum::Typed, number(name, text, false)};
}

struct Request {
    LwInput input;
    RoofFinish roof = RoofFinish::Tile;
    WallFinish wall = WallFinish::Siding;
    SolarPanels pv = SolarPanels::None;
    BuildingUse use = BuildingUse::Dwelling;
};

Request request(const GivenOptions &p)
{
    Request r;
    LwInput &in = r.input;
    const QString storeys = RequiredOption(CommandName, p, QStringLiteral("storeys"));
    if (storeys != QLatin1String("1") && storeys != QLatin1String("2"))
        FailUsage(CommandName, QStringLiteral("--storeys は 1 か 2 です(\"%1\")。三階建ては構造計算が必要です。").arg(storeys),
             QStringLiteral("--storeys takes 1 or 2 (\"%1\").").arg(storeys));
    in.storeys = storeys.toInt();
    const bool two = in.storeys == 2;

    const auto roof = choiceOrLoad<RoofFinish>(QStringLiteral("roof"), RequiredOption(CommandName, p, QStringLiteral("roof")),
                                               RoofFinishFromKey, QStringLiteral("tile|slate|metal"));
    const auto wall = choiceOrLoad<WallFinish>(
        QStringLiteral("wall"), RequiredOption(CommandName, p, QStringLiteral("wall")), WallFinishFromKey,
        QStringLiteral("earthen|mortar|siding|metal|board"));
    const auto pv = choiceOrLoad<SolarPanels>(
        QStringLiteral("pv"), p.text(QStringLiteral("pv")).value_or(QStringLiteral("none")),
        SolarPanelsFromKey, QStringLiteral("none|standard"));
    const QString useText = p.text(QStringLiteral("use")).value_or(QStringLiteral("dwelling"));
    const std::optional<BuildingUse> use = BuildingUseFromKey(useText);
    if (!use)
        FailUsage(CommandName, QStringLiteral("--use は dwelling か office です(\"%1\")。").arg(useText),
             QStringLiteral("--use takes dwelling or office (\"%1\").").arg(useText));
    const QString c0 = p.text(QStringLiteral("c0")).value_or(QStringLiteral("0.2"));
    if (c0 != QLatin1String("0.2") && c0 != QLatin1String("0.3"))
        FailUsage(CommandName, QStringLiteral("--c0 は 0.2 か 0.3 です(\"%1\")。").arg(c0),
             QStringLiteral("--c0 takes 0.2 or 0.3 (\"%1\").").arg(c0));

    r.roof = roof.first;
    r.wall = wall.first;
    r.pv = pv.first;
    r.use = *use;
    in.loads = UnitLoads::Standard(r.roof, r.wall, r.pv, r.use, roof.second, wall.second, pv.second);
    in.c0 = TextValue(c0);
    in.h1 = requiredNumber(p, QStringLiteral("h1"), true);
    if (two)
        in.h2 = requiredNumber(p, QStringLiteral("h2"), true);
    in.rise = requiredNumber(p, QStringLiteral("rise"), false);
    in.overhang = requiredNumber(p, QStringLiteral("overhang"), false);
    in.pitch = requiredNumber(p, QStringLiteral("pitch"), false);
    // Storey 2's share of the weight needs both floor areas; a one-storey
    // building's Lw does not depend on its area.
    if (two || p.text(QStringLiteral("area1")))
        in.area1 = requiredNumber(p, QStringLiteral("area1"), true);
    if (two)
        in.area2 = requiredNumber(p, QStringLiteral("area2"), true);
    return r;
}

QString fixed(double value, int decimals)
{
    return FormatDecimal(value, decimals, decimals);
}

QString jsonText(const Request &r, const LwBreakdown &b)
{
    const int n = b.storeys;
    QJsonArray lw, lwRaw, w, ai;
    for (int s = 0; s < n; ++s) {
        lw.append(b.lw[s]);
        lwRaw.append(b.lwRaw[s]);
        w.append(b.w[s]);
        ai.append(b.ai[s]);
    }
    QJsonObject lines{{QStringLiteral("roof"), b.roofLoad}, {QStringLiteral("walls1"), b.walls1}};
    if (n == 2) {
        lines.insert(QStringLiteral("walls2"), b.walls2);
        lines.insert(QStringLiteral("floor2"), b.floor2);
        lines.insert(QStringLiteral("lowerRoof"), b.lowerRoof);
    }
    QJsonObject root{
        {QStringLiteral("storeys"), n},
        {QStringLiteral("lw"), lw},
        {QStringLiteral("lwRaw"), lwRaw},
        {QStringLiteral("w"), w},
        {QStringLiteral("ai"), ai},
        {QStringLiteral("alpha"), b.alpha},
        {QStringLiteral("t"), b.t},
        {QStringLiteral("height"), b.height},
        {QStringLiteral("roofFactor"), b.roofFactor},
        {QStringLiteral("areaRatio"), b.areaRatio},
        {QStringLiteral("lines"), lines},
        {QStringLiteral("c0"), r.input.c0},
        {QStringLiteral("warnings"), QJsonArray::fromStringList(b.warnings)},
    };
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

QString loadText(const QString &name, double load)
{
    return QStringLiteral("%1 %2 N/m²").arg(name, SingleText(static_cast<float>(load)));
}

QString tableText(const Request &r, const LwBreakdown &b)
{
    const LwInput &in = r.input;
    const bool two = b.storeys == 2;
    QString out;
    out += QStringLiteral("地震力に対する必要壁量 Lw (2025年基準・表計算ツールの方法)\n");
    out += QStringLiteral("  屋根: %1   太陽光発電設備: %2\n")
               .arg(loadText(ChoiceName(r.roof), in.loads.roof), loadText(ChoiceName(r.pv), in.loads.solar));
    out += QStringLiteral("  外壁: %1   用途: %2 (積載荷重 %3 N/m²)   C0: %4\n")
               .arg(loadText(ChoiceName(r.wall), in.loads.wallFinish), ChoiceName(r.use),
                    SingleText(static_cast<float>(in.loads.live)), SingleText(static_cast<float>(in.c0)));
    out += QStringLiteral("  階高: 1階 %1 m%2   屋根の高さ: %3 m   軒の出: %4 m   勾配: %5 寸\n")
               .arg(SingleText(static_cast<float>(in.h1)),
                    two ? QStringLiteral("  2階 %1 m").arg(SingleText(static_cast<float>(in.h2))) : QString(),
                    SingleText(static_cast<float>(in.rise)), SingleText(static_cast<float>(in.overhang)),
                    SingleText(static_cast<float>(in.pitch)));
    if (two)
        out += QStringLiteral("  床面積: 1階 %1 m²  2階 %2 m²   r = Af2/Af1 = %3\n")
                   .arg(SingleText(static_cast<float>(in.area1)), SingleText(static_cast<float>(in.area2)),
                        fixed(b.areaRatio, 4));
    out += QLatin1Char('\n');

    // The same lines the sheet and the window show.
    TextTable lines({false, true, false});
    for (const ReportLine &line : LwReportLines(b))
        lines.addRow({line.label, line.value, line.unit});
    out += lines.render(2) + QLatin1Char('\n');
    TextTable storeys({false, true, true});
    storeys.addRow({QString(), QStringLiteral("1階"), two ? QStringLiteral("2階") : QString()});
    auto row = [&](const QString &caption, auto value) {
        QStringList cells{caption};
        for (int s = 0; s < 2; ++s)
            cells << (s < b.storeys ? value(s) : QString());
        storeys.addRow(cells);
    };
    if (in.area1 > 0) {
        const double area[2] = {in.area1, in.area2};
        row(QStringLiteral("必要壁量 Lw×Af (m)"), [&](int s) { return FormatFixed4(b.lw[s] * area[s] / 100.0); });
    }
    out += storeys.render(2);
    for (const QString &warning : b.warnings)
        out += QStringLiteral("警告: %1\n").arg(warning);
    return out;
}

int runLw(const QStringList &args)
{
    Request r;
    bool json = false;
    CommandLine line(QStringLiteral("lw"));
    line.addFlag(QStringLiteral("json"));
    for (const QString &name : Options)
        line.addValue(name);
    if (const std::optional<int> done = line.parse(args))
        return *done;
    try {
        const GivenOptions parsed = GivenOptionsOf(CommandName, line, Options);
        json = parsed.json;
        r = request(parsed);
    } catch (const UsageError &e) {
        Err() << e.message;
        Err().flush();
        return ExitError;
    }
    const LwBreakdown b = ComputeLw(r.input);
    if (!b.valid) {
        for (const QString &warning : b.warnings)
            Err() << QStringLiteral("qrn lw: %1\n").arg(warning);
        Err().flush();
        return ExitError;
    }
    Out() << (json ? jsonText(r, b) : tableText(r, b));
    return ExitOk;
}

const bool registered = RegisterCommand({
    QStringLiteral("lw"),
    QStringLiteral("qrn lw --storeys 1|2 --roof tile|slate|metal|N/m² --wall earthen|mortar|siding|metal|board|N/m²\n"
                   "       [--pv none|standard|N/m²] [--use dwelling|office] [--c0 0.2|0.3]\n"
                   "       --h1 M [--h2 M] --rise M --overhang M --pitch 寸 [--area1 M²] [--area2 M²] [--json]\n"
                   "                 2025年基準の地震力に対する必要壁量 Lw を表計算ツールの方法で計算し、\n"
                   "                 途中の値とともに表示します (2階建ては --h2 --area1 --area2 が必要)。"),
    QStringLiteral("qrn lw --storeys 1|2 --roof tile|slate|metal|N/m² --wall earthen|mortar|siding|metal|board|N/m²\n"
                   "       [--pv none|standard|N/m²] [--use dwelling|office] [--c0 0.2|0.3]\n"
                   "       --h1 M [--h2 M] --rise M --overhang M --pitch SUN [--area1 M²] [--area2 M²] [--json]\n"
                   "                 The 2025 seismic wall quantity Lw by the official spreadsheet tool's method,\n"
                   "                 with every intermediate value (two storeys need --h2 --area1 --area2)."),
    runLw,
});

} // namespace

} // namespace quiren::cli
