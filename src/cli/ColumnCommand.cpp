// qrn column: the column diameter check (柱の小径) of the 2025 rules for one
// column: the ratio formula, the buckling method with 5 m² per column, the
// area the section may carry, and the slenderness.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/NumberOptions.h"
#include "cli/TextTable.h"
#include "core/calc/ColumnCheck.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <map>
#include <optional>

namespace quiren::cli {

namespace {

const QStringList Options{
    QStringLiteral("l"),  QStringLiteral("d"),    QStringLiteral("b"),      QStringLiteral("fc"),
    QStringLiteral("timber"), QStringLiteral("wd"), QStringLiteral("area"), QStringLiteral("method"),
};

const QString CommandName = QStringLiteral("column");

// A positive number, or a usage fault naming the option.
double positive(const QString &name, const QString &text)
{
    const QString typed = HalfWidthNumber(text.trimmed());
    const bool isNumber = CheckNumberText(typed) == NumberCheck::Number;
    const double value = isNumber ? TextValue(typed) : 0;
    if (!isNumber || !(value > 0))
        FailUsage(CommandName, QStringLiteral("--%1 の値 \"%2\" が正しくありません(正の数値)。").arg(name, text),
             QStringLiteral("--%1: \"%2\" is not a positive number.").arg(name, text));
    return value;
}

double requiredPositive(const GivenOptions &p, const QString &name)
{
    const std::optional<QString> text = p.text(name);
    if (!text)
        FailUsage(CommandName, QStringLiteral("--%1 を指定して下さい。").arg(name), QStringLiteral("--%1 is missing.").arg(name));
    return positive(name, *text);
}

struct Request {
    ColumnCase column;
    QString timberName;       // the listed timber, "Fc入力", or the default すぎ
    bool fcUnverified = false;
    bool areaGiven = false;
};

Request request(const GivenOptions &p)
{
    Request r;
    ColumnCase &c = r.column;
    c.lengthMm = requiredPositive(p, QStringLiteral("l"));
    c.depthMm = requiredPositive(p, QStringLiteral("d"));
    if (const std::optional<QString> b = p.text(QStringLiteral("b")))
        c.widthMm = positive(QStringLiteral("b"), *b);
    c.wdNPerM2 = requiredPositive(p, QStringLiteral("wd"));

    const std::optional<QString> fc = p.text(QStringLiteral("fc"));
    const std::optional<QString> timber = p.text(QStringLiteral("timber"));
    if (fc && timber)
        FailUsage(CommandName, QStringLiteral("--fc と --timber はどちらか一方だけ指定して下さい。"),
             QStringLiteral("--fc and --timber exclude each other."));
    const Timber &sugi = TimberList().front();
    c.fcNPerMm2 = sugi.fcNPerMm2;
    r.timberName = sugi.name;
    if (fc) {
        c.fcNPerMm2 = positive(QStringLiteral("fc"), *fc);
        r.timberName = QStringLiteral("Fc入力");
    } else if (timber) {
        const Timber *t = FindTimber(*timber);
        if (!t)
            FailUsage(CommandName, QStringLiteral("--timber \"%1\" は一覧にありません。--fc で基準強度を指定して下さい。").arg(*timber),
                 QStringLiteral("--timber \"%1\" is not in the list; give --fc instead.").arg(*timber));
        c.fcNPerMm2 = t->fcNPerMm2;
        r.timberName = t->name;
        r.fcUnverified = !t->verified;
    }

    if (const std::optional<QString> area = p.text(QStringLiteral("area"))) {
        c.tributaryM2 = positive(QStringLiteral("area"), *area);
        r.areaGiven = true;
    }
    // The method follows what was asked: a tributary area asks for the
    // allowable area, a timber for the buckling check, neither for the
    // ratio formula; --method chooses one outright.
    c.method = r.areaGiven ? ColumnMethod::Area : (fc || timber) ? ColumnMethod::Buckling : ColumnMethod::Ratio;
    if (const std::optional<QString> method = p.text(QStringLiteral("method"))) {
        const std::optional<ColumnMethod> chosen = ColumnMethodFromKey(*method);
        if (!chosen)
            FailUsage(CommandName, QStringLiteral("--method は ratio、buckling、area のいずれかです(\"%1\")。").arg(*method),
                 QStringLiteral("--method takes ratio, buckling or area (\"%1\").").arg(*method));
        if (*chosen == ColumnMethod::Area && !r.areaGiven)
            FailUsage(CommandName, QStringLiteral("--method area には --area (最大の負担面積 m²) が必要です。"),
                 QStringLiteral("--method area needs --area."));
        c.method = *chosen;
    }
    return r;
}

QString jsonNumber(double value, const QString &text)
{
    return std::isfinite(value) ? text : QStringLiteral("null");
}

QString jsonText(const Request &r, const ColumnFigures &f)
{
    // Hand-written so that the figures keep the decimals they are shown with.
    const QList<std::pair<QString, QString>> members{
        {QStringLiteral("ratioDp"), jsonNumber(f.ratioDpMm, TenthText(f.ratioDpMm))},
        {QStringLiteral("lambda"), jsonNumber(f.lambda, TenthText(f.lambda))},
        {QStringLiteral("eta"), EtaText(f.eta)},
        {QStringLiteral("na"), KiloNewtonText(f.naKN)},
        {QStringLiteral("aa"), TenthText(f.aaM2)},
        {QStringLiteral("bucklingD"), jsonNumber(f.bucklingDMm, TenthText(f.bucklingDMm))},
        {QStringLiteral("ok"), f.ok() ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("method"), QStringLiteral("\"%1\"").arg(ChoiceKey(r.column.method))},
        {QStringLiteral("slenderOk"), f.slenderOk ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("fc"), FormatDecimal(r.column.fcNPerMm2, 2, 1)},
    };
    QString out = QStringLiteral("{\n");
    for (qsizetype i = 0; i < members.size(); ++i)
        out += QStringLiteral("  \"%1\": %2%3\n")
                   .arg(members[i].first, members[i].second, i + 1 < members.size() ? QStringLiteral(",") : QString());
    return out + QStringLiteral("}\n");
}

QString mm(double value)
{
    return QStringLiteral("%1 mm").arg(FormatDecimal(value, 1, 0));
}

QString tableText(const Request &r, const ColumnFigures &f)
{
    const ColumnCase &c = r.column;
    const double width = c.widthMm > 0 ? c.widthMm : c.depthMm;
    QString out = QStringLiteral("柱の小径 (2025年基準)  方法: %1\n").arg(ChoiceName(c.method));
    out += QStringLiteral("  l = %1   断面 b×d = %2×%3 mm   Wd = %4 N/m²\n")
               .arg(mm(c.lengthMm), FormatDecimal(width, 1, 0), FormatDecimal(c.depthMm, 1, 0),
                    FormatDecimal(c.wdNPerM2, 1, 0));
    out += QStringLiteral("  Fc = %1 N/mm² (%2)%3\n")
               .arg(FormatDecimal(c.fcNPerMm2, 2, 1), r.timberName,
                    r.fcUnverified ? QStringLiteral("  ※未確認の値: 告示で確かめて下さい") : QString());
    out += QLatin1Char('\n');

    auto mark = [&c](ColumnMethod method, bool passed) {
        return c.method == method ? (passed ? QStringLiteral("OK") : QStringLiteral("NG")) : QString();
    };
    TextTable table({false, true, false, false});
    table.addRow({QStringLiteral("有効細長比 λ = √12·l/d"), TenthText(f.lambda), QStringLiteral("≦ 150"),
                  f.slenderOk ? QStringLiteral("OK") : QStringLiteral("NG")});
    table.addRow({QStringLiteral("座屈低減係数 η"), EtaText(f.eta), QString(), QString()});
    table.addRow({QStringLiteral("長期許容軸力 Na = 1.1/3·Fc·η·b·d (kN)"), KiloNewtonText(f.naKN), QString(), QString()});
    table.addRow({QStringLiteral("算定式 dp = 0.027·l + 22.5·Wd/l (mm)"), TenthText(f.ratioDpMm),
                  QStringLiteral("≦ d %1").arg(FormatDecimal(c.depthMm, 1, 0)),
                  mark(ColumnMethod::Ratio, f.strengthOk)});
    table.addRow({QStringLiteral("座屈による必要径 (5㎡/本) (mm)"), TenthText(f.bucklingDMm),
                  QStringLiteral("≦ d %1").arg(FormatDecimal(c.depthMm, 1, 0)),
                  mark(ColumnMethod::Buckling, f.strengthOk)});
    table.addRow({QStringLiteral("負担可能面積 Aa = Na/Wd (m²)"), TenthText(f.aaM2),
                  r.areaGiven ? QStringLiteral("≧ 負担面積 %1").arg(FormatDecimal(c.tributaryM2, 2, 0)) : QString(),
                  mark(ColumnMethod::Area, f.strengthOk)});
    out += table.render(2);
    out += QStringLiteral("\n  判定: %1\n").arg(f.ok() ? QStringLiteral("OK") : QStringLiteral("NG"));
    return out;
}

int runColumn(const QStringList &args)
{
    Request r;
    bool json = false;
    CommandLine line(QStringLiteral("column"));
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
    // Wd is in N/m²: a figure this small was most likely typed in kN/m².
    if (r.column.wdNPerM2 < 100) {
        Err() << QStringLiteral("qrn column: 注意: --wd は N/m² で指定します (4.5 kN/m² は 4500)。"
                                " / note: --wd is in N/m² (4.5 kN/m² is 4500).\n");
        Err().flush();
    }
    const ColumnFigures f = ComputeColumn(r.column);
    Out() << (json ? jsonText(r, f) : tableText(r, f));
    return ExitOk;
}

const bool registered = RegisterCommand({
    QStringLiteral("column"),
    QStringLiteral("qrn column --l MM --d MM [--b MM] [--fc N/mm² | --timber 樹種] --wd N/m² [--area M²]\n"
                   "       [--method ratio|buckling|area] [--json]\n"
                   "                 2025年基準の柱の小径: 算定式の必要径、座屈(5㎡/本)による必要径、\n"
                   "                 負担可能面積と有効細長比を計算します (--area で負担面積と比べます)。"),
    QStringLiteral("qrn column --l MM --d MM [--b MM] [--fc N/mm² | --timber NAME] --wd N/m² [--area M²]\n"
                   "       [--method ratio|buckling|area] [--json]\n"
                   "                 The 2025 column diameter check: the ratio formula, the buckling depth\n"
                   "                 with 5 m² per column, the allowable area and the slenderness."),
    runColumn,
});

} // namespace

} // namespace quiren::cli
