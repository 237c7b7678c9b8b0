// qrn nvalue: the N value of one column-end joint (N値計算法) and the joint
// it calls for, for the designer who checks a column by hand.
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/NumberOptions.h"
#include "core/calc/ColumnJoint.h"
#include "core/text/NumberText.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <optional>

namespace quiren::cli {

namespace {

const QStringList Options{
    QStringLiteral("position"), QStringLiteral("corner"), QStringLiteral("upper-corner"),
    QStringLiteral("a1"),       QStringLiteral("a2"),     QStringLiteral("h1"),
    QStringLiteral("h2"),
};

const QString CommandName = QStringLiteral("nvalue");

bool yesNo(const GivenOptions &p, const QString &name)
{
    const QString text = RequiredOption(CommandName, p, name);
    if (text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("no"))
        return false;
    FailUsage(CommandName, QStringLiteral("--%1 は yes か no です(\"%2\")。").arg(name, text),
         QStringLiteral("--%1 takes yes or no (\"%2\").").arg(name, text));
}

// A number (a multiplier difference may be negative); heights positive.
double number(const GivenOptions &p, const QString &name, bool positive)
{
    const QString text = RequiredOption(CommandName, p, name);
    const bool isNumber = CheckNumberText(text) == NumberCheck::Number;
    const double value = isNumber ? TextValue(text) : 0;
    if (!isNumber || (positive && value <= 0))
        FailUsage(CommandName, QStringLiteral("--%1 の値 \"%2\" が正しくありません(%3数値)。")
                 .arg(name, text, positive ? QStringLiteral("正の") : QString()),
             QStringLiteral("--%1: \"%2\" is not a %3number.")
                 .arg(name, text, positive ? QStringLiteral("positive ") : QString()));
    return value;
}

NValueInput request(const GivenOptions &p)
{
    NValueInput in;
    const QString position = RequiredOption(CommandName, p, QStringLiteral("position"));
    if (position == QLatin1String("top"))
        in.position = JointPosition::Top;
    else if (position == QLatin1String("ground"))
        in.position = JointPosition::Ground;
    else
        FailUsage(CommandName, QStringLiteral("--position は top か ground です(\"%1\")。").arg(position),
             QStringLiteral("--position takes top or ground (\"%1\").").arg(position));
    in.corner = yesNo(p, QStringLiteral("corner"));
    in.a1 = number(p, QStringLiteral("a1"), false);
    if (p.text(QStringLiteral("h1")))
        in.h1 = number(p, QStringLiteral("h1"), true);
    if (in.position == JointPosition::Ground) {
        in.upperCorner = yesNo(p, QStringLiteral("upper-corner"));
        if (p.text(QStringLiteral("a2")))
            in.a2 = number(p, QStringLiteral("a2"), false);
        if (p.text(QStringLiteral("h2")))
            in.h2 = number(p, QStringLiteral("h2"), true);
    } else {
        // A top-storey column has no column above it: whether that one
        // would be a corner changes nothing, but a pull or height given
        // for it means the position was mistaken.
        if (p.text(QStringLiteral("upper-corner")))
            yesNo(p, QStringLiteral("upper-corner"));
        for (const char *name : {"a2", "h2"})
            if (p.text(QLatin1String(name)))
                FailUsage(CommandName, QStringLiteral("--%1 は --position ground でのみ使えます。").arg(QLatin1String(name)),
                     QStringLiteral("--%1 applies to --position ground only.").arg(QLatin1String(name)));
    }
    return in;
}

QString factorText(double h, double f)
{
    if (f == 1.0)
        return h > 0 ? QStringLiteral("1 (H=%1m≦3.2m)").arg(SingleText(static_cast<float>(h)))
                     : QStringLiteral("1");
    return QStringLiteral("%1/2.7").arg(SingleText(static_cast<float>(h)));
}

QString tableText(const NValueInput &in, const NValueTerms &t, const JointNeed &need)
{
    const bool ground = in.position == JointPosition::Ground;
    QString out;
    out += QStringLiteral("N値計算法 (平12建告1460号)\n");
    out += QStringLiteral("  位置: %1  %2%3\n")
               .arg(ground ? QStringLiteral("2階建ての1階の柱") : QStringLiteral("平屋・最上階の柱"),
                    in.corner ? QStringLiteral("出隅の柱") : QStringLiteral("その他の柱"),
                    ground ? (in.upperCorner ? QStringLiteral("  上階の柱: 出隅")
                                             : QStringLiteral("  上階の柱: その他"))
                           : QString());
    if (ground)
        out += QStringLiteral("  N = A1×B1×H1/2.7 + A2×B2×H2/2.7 − L\n"
                              "    = %1×%2×%3 + %4×%5×%6 − %7\n")
                   .arg(SingleText(static_cast<float>(in.a1)), SingleText(static_cast<float>(t.b1)),
                        factorText(in.h1, t.f1), SingleText(static_cast<float>(in.a2)),
                        SingleText(static_cast<float>(t.b2)), factorText(in.h2, t.f2),
                        SingleText(static_cast<float>(t.l)));
    else
        out += QStringLiteral("  N = A1×B1×H1/2.7 − L\n    = %1×%2×%3 − %4\n")
                   .arg(SingleText(static_cast<float>(in.a1)), SingleText(static_cast<float>(t.b1)),
                        factorText(in.h1, t.f1), SingleText(static_cast<float>(t.l)));
    out += QStringLiteral("    = %1\n").arg(NText(t.n));
    out += QStringLiteral("  接合部: %1  必要耐力 %2 kN  %3\n")
               .arg(need.symbol, KnText(need.kn), need.hardware);
    if (need.beyondTable)
        out += QStringLiteral("  N値が5.6を超えます。短期許容引張耐力 %1 kN 以上の金物を用いて下さい。\n")
                   .arg(KnText(need.kn));
    return out;
}

QString jsonText(const NValueTerms &t, const JointNeed &need)
{
    const QJsonObject root{
        {QStringLiteral("n"), ShownN(t.n)},
        {QStringLiteral("joint"), need.symbol},
        {QStringLiteral("kn"), ShownKn(need.kn)},
        {QStringLiteral("hardware"), need.hardware},
    };
    // QJsonObject keeps its members sorted; the order here is the one documented.
    QString out = QStringLiteral("{\"n\": %1, \"joint\": %2, \"kn\": %3, \"hardware\": %4}\n");
    auto value = [&](const QString &key) {
        QJsonObject one{{key, root.value(key)}};
        QString text = QString::fromUtf8(QJsonDocument(one).toJson(QJsonDocument::Compact));
        return text.mid(key.size() + 4, text.size() - key.size() - 5);
    };
    return out.arg(value(QStringLiteral("n")), value(QStringLiteral("joint")), value(QStringLiteral("kn")),
                   value(QStringLiteral("hardware")));
}

int runNValue(const QStringList &args)
{
    NValueInput in;
    bool json = false;
    CommandLine line(QStringLiteral("nvalue"));
    line.addFlag(QStringLiteral("json"));
    for (const QString &name : Options)
        line.addValue(name);
    if (const std::optional<int> done = line.parse(args))
        return *done;
    try {
        const GivenOptions parsed = GivenOptionsOf(CommandName, line, Options);
        json = parsed.json;
        in = request(parsed);
    } catch (const UsageError &e) {
        Err() << e.message;
        Err().flush();
        return ExitError;
    }
    const NValueTerms t = ComputeNValue(in);
    const JointNeed need = JointNeedFor(t.n);
    Out() << (json ? jsonText(t, need) : tableText(in, t, need));
    return ExitOk;
}

const bool registered = RegisterCommand({
    QStringLiteral("nvalue"),
    QStringLiteral("qrn nvalue --position top|ground --corner yes|no [--upper-corner yes|no]\n"
                   "       --a1 X [--a2 Y] [--h1 M] [--h2 M] [--json]\n"
                   "                 柱1本の柱頭・柱脚の N 値(N値計算法)と接合部の仕様を計算します\n"
                   "                 (平屋は top。ground は2階建ての1階の柱で --upper-corner が必要)。"),
    QStringLiteral("qrn nvalue --position top|ground --corner yes|no [--upper-corner yes|no]\n"
                   "       --a1 X [--a2 Y] [--h1 M] [--h2 M] [--json]\n"
                   "                 The N value of one column's head and foot joint and the joint it calls for\n"
                   "                 (a one-storey building is top; ground, storey 1 of two, needs --upper-corner)."),
    runNValue,
});

} // namespace

} // namespace quiren::cli
