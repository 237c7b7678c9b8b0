#include "core/calc/ColumnCheck.h"

#include "core/calc/CalcSheet.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <limits>

namespace quiren {

namespace {

// Shown figures come from doubles: a value that is a whole tenth may be held
// a few ulps off it, and must not round to the next tenth on that alone.
constexpr double TenthGuard = 1e-9;

// Typed figures are compared with shown tenths; the typed text is an exact
// decimal, its double only a hair off it.
constexpr double TypedGuard = 1e-7;

// Species as they are also written: in kanji, or in katakana (read as
// hiragana below).
const std::pair<const char *, const char *> SpeciesKanji[] = {
    {"米杉", "べいすぎ"}, {"米栂", "べいつが"}, {"米檜", "べいひ"},   {"米松", "べいまつ"}, {"唐松", "からまつ"},
    {"落葉松", "からまつ"}, {"赤松", "あかまつ"}, {"黒松", "くろまつ"}, {"檜葉", "ひば"},   {"杉", "すぎ"},
    {"檜", "ひのき"},     {"桧", "ひのき"},     {"栂", "つが"},       {"樅", "もみ"},
};

QString loose(const QString &text)
{
    QString out;
    QString plain = text.normalized(QString::NormalizationForm_KC).toLower();
    for (const auto &[kanji, kana] : SpeciesKanji)
        plain.replace(QString::fromUtf8(kanji), QString::fromUtf8(kana));
    for (QChar c : plain) {
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)   // katakana to hiragana
            c = QChar(c.unicode() - 0x60);
        if (c.isSpace() || c == QChar(0x30FB) || c == u'(' || c == u')' || c == u'-' || c == u'_'
            || c == QChar(0x3000))
            continue;
        out += c;
    }
    return out;
}

struct Species {
    const char *key;
    const char *name;
};

std::vector<Timber> buildTimbers()
{
    std::vector<Timber> list;
    auto add = [&list](const QString &key, const QString &name, double fc, bool verified) {
        list.push_back({key, name, fc, verified});
    };
    const QString ungraded = QStringLiteral("無等級 ");
    // Ungraded timber, by species group (すぎ alone is confirmed by a
    // published worked answer).
    add(QStringLiteral("sugi"), ungraded + QStringLiteral("すぎ"), 17.7, true);
    const Species group177[] = {{"momi", "もみ"},       {"ezomatsu", "えぞまつ"}, {"todomatsu", "とどまつ"},
                                {"benimatsu", "べにまつ"}, {"beisugi", "べいすぎ"}, {"spruce", "スプルース"}};
    for (const Species &sp : group177)
        add(QString::fromUtf8(sp.key), ungraded + QString::fromUtf8(sp.name), 17.7, false);
    const Species group192[] = {{"tsuga", "つが"}, {"beitsuga", "べいつが"}};
    for (const Species &sp : group192)
        add(QString::fromUtf8(sp.key), ungraded + QString::fromUtf8(sp.name), 19.2, false);
    const Species group207[] = {{"karamatsu", "からまつ"}, {"hinoki", "ひのき"}, {"hiba", "ひば"}, {"beihi", "べいひ"}};
    for (const Species &sp : group207)
        add(QString::fromUtf8(sp.key), ungraded + QString::fromUtf8(sp.name), 20.7, false);
    const Species group222[] = {{"akamatsu", "あかまつ"}, {"kuromatsu", "くろまつ"}, {"beimatsu", "べいまつ"}};
    for (const Species &sp : group222)
        add(QString::fromUtf8(sp.key), ungraded + QString::fromUtf8(sp.name), 22.2, false);

    // Visually graded, 甲種 1st / 2nd / 3rd grade.
    struct Graded {
        const char *key;
        const char *name;
        double fc[3];
    };
    const Graded visual[] = {{"hinoki", "ひのき", {30.6, 27.0, 23.4}},
                             {"beimatsu", "べいまつ", {27.0, 18.0, 13.8}},
                             {"akamatsu", "あかまつ", {27.0, 16.8, 11.4}},
                             {"karamatsu", "からまつ", {23.4, 20.4, 18.6}},
                             {"beitsuga", "べいつが", {21.0, 21.0, 17.4}}};
    for (const Graded &g : visual)
        for (int grade = 0; grade < 3; ++grade)
            add(QStringLiteral("%1-k%2").arg(QString::fromUtf8(g.key)).arg(grade + 1),
                QStringLiteral("目視等級甲種%1級 %2").arg(grade + 1).arg(QString::fromUtf8(g.name)), g.fc[grade],
                true);

    // Machine graded.
    struct Machine {
        const char *key;
        const char *name;
        const char *grade;
        double fc;
    };
    const Machine machine[] = {{"sugi", "すぎ", "E50", 19.2},   {"sugi", "すぎ", "E70", 23.4},
                               {"sugi", "すぎ", "E90", 28.2},   {"sugi", "すぎ", "E110", 32.4},
                               {"hinoki", "ひのき", "E70", 18.0}, {"hinoki", "ひのき", "E90", 24.6},
                               {"hinoki", "ひのき", "E110", 31.2}};
    for (const Machine &m : machine)
        add(QStringLiteral("%1-%2").arg(QString::fromUtf8(m.key), QString::fromUtf8(m.grade).toLower()),
            QStringLiteral("機械等級%1 %2").arg(QString::fromUtf8(m.grade), QString::fromUtf8(m.name)), m.fc, true);

    // Glued laminated timber, symmetric mixed grades and single grade.
    struct Glulam {
        const char *grade;
        double fc;
    };
    const Glulam glulam[] = {{"E105-F300", 23.2}, {"E95-F270", 21.7}, {"E65-F225", 16.7},
                             {"E95-F315", 26.0},  {"E75-F270", 22.3}, {"E65-F255", 20.6}};
    for (const Glulam &g : glulam)
        add(QString::fromUtf8(g.grade).toLower(), QStringLiteral("集成材 %1").arg(QString::fromUtf8(g.grade)), g.fc,
            true);
    return list;
}

// The loose forms a timber answers to: its key, its name, the name's two
// parts in either order, a species alone for its ungraded timber, and the
// grade word "集成材" or "無等級" left out.
QStringList looseNames(const Timber &t)
{
    QStringList names{loose(t.key), loose(t.name)};
    const QStringList parts = t.name.split(QLatin1Char(' '));
    if (parts.size() == 2) {
        names << loose(parts[1] + parts[0]) << loose(parts[1]);
        const QString grade = parts[0];
        for (const QString &word : {QStringLiteral("無等級"), QStringLiteral("目視等級"), QStringLiteral("機械等級"),
                                    QStringLiteral("集成材")}) {
            if (!grade.startsWith(word))
                continue;
            const QString bare = grade.mid(word.size());
            if (word == QStringLiteral("無等級") || bare.isEmpty())
                continue;
            names << loose(bare + parts[1]) << loose(parts[1] + bare);
        }
        if (grade == QStringLiteral("集成材"))
            names << loose(parts[1]);
    }
    return names;
}

double requiredLoadN(double wdNPerM2, double tributaryM2)
{
    return wdNPerM2 * tributaryM2;
}

} // namespace

// ---- timbers -------------------------------------------------------------------

const std::vector<Timber> &TimberList()
{
    static const std::vector<Timber> list = buildTimbers();
    return list;
}

const Timber *FindTimber(const QString &keyOrName)
{
    const QString wanted = loose(keyOrName);
    if (wanted.isEmpty())
        return nullptr;
    for (const Timber &t : TimberList())
        if (looseNames(t).contains(wanted))
            return &t;
    return nullptr;
}

// ---- methods and sources -----------------------------------------------------------

QString ChoiceKey(ColumnMethod method)
{
    switch (method) {
    case ColumnMethod::Ratio:
        return QStringLiteral("ratio");
    case ColumnMethod::Buckling:
        return QStringLiteral("buckling");
    case ColumnMethod::Area:
        return QStringLiteral("area");
    }
    return {};
}

std::optional<ColumnMethod> ColumnMethodFromKey(const QString &key)
{
    for (ColumnMethod m : {ColumnMethod::Ratio, ColumnMethod::Buckling, ColumnMethod::Area})
        if (ChoiceKey(m) == key)
            return m;
    return std::nullopt;
}

QString ChoiceName(ColumnMethod method)
{
    switch (method) {
    case ColumnMethod::Ratio:
        return QStringLiteral("算定式");
    case ColumnMethod::Buckling:
        return QStringLiteral("座屈(5㎡/本)");
    case ColumnMethod::Area:
        return QStringLiteral("負担可能面積");
    }
    return {};
}

QString ChoiceKey(WdSource source)
{
    return source == WdSource::Typed ? QStringLiteral("typed") : QStringLiteral("loads");
}

std::optional<WdSource> WdSourceFromKey(const QString &key)
{
    if (key == QLatin1String("typed"))
        return WdSource::Typed;
    if (key == QLatin1String("loads"))
        return WdSource::Loads;
    return std::nullopt;
}

// ---- the arithmetic -----------------------------------------------------------------

double SlendernessRatio(double lengthMm, double depthMm)
{
    return depthMm > 0 ? std::sqrt(12.0) * lengthMm / depthMm : std::numeric_limits<double>::infinity();
}

double BucklingFactor(double lambda)
{
    if (lambda <= 30)
        return 1.0;
    if (lambda <= 100)
        return 1.3 - 0.01 * lambda;
    return 3000.0 / (lambda * lambda);
}

double AllowableAxialForceN(double fcNPerMm2, double lambda, double widthMm, double depthMm)
{
    return 1.1 / 3.0 * fcNPerMm2 * BucklingFactor(lambda) * widthMm * depthMm;
}

double RatioFormulaDpMm(double lengthMm, double wdNPerM2)
{
    return 0.027 * lengthMm + 22.5 * wdNPerM2 / lengthMm;
}

double BucklingDepthMm(double lengthMm, double widthMm, double fcNPerMm2, double wdNPerM2, double tributaryM2)
{
    const double load = requiredLoadN(wdNPerM2, tributaryM2);
    auto carries = [&](double d) {
        return AllowableAxialForceN(fcNPerMm2, SlendernessRatio(lengthMm, d), widthMm > 0 ? widthMm : d, d) >= load;
    };
    // The force a section carries grows with its depth (η and the area
    // both do), so the smallest depth is found by halving.
    double low = 0, high = 10000;
    if (!carries(high))
        return std::numeric_limits<double>::infinity();
    for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
        const double mid = (low + high) / 2;
        (carries(mid) ? high : low) = mid;
    }
    return high;
}

int OldRuleRatioDenominator(bool heavyRoof, bool topStorey)
{
    if (heavyRoof)
        return topStorey ? 28 : 25;
    return topStorey ? 33 : 30;
}

double RoundUpTenth(double value)
{
    return std::ceil(value * 10.0 - TenthGuard) / 10.0;
}

double RoundDownTenth(double value)
{
    return std::floor(value * 10.0 + TenthGuard) / 10.0;
}

double ColumnFigures::required(const ColumnCase &c) const
{
    if (c.oldRatioDenominator > 0)
        return oldDpMm;
    switch (c.method) {
    case ColumnMethod::Ratio:
        return ratioDpMm;
    case ColumnMethod::Buckling:
        return bucklingDMm;
    case ColumnMethod::Area:
        return aaM2;
    }
    return 0;
}

ColumnFigures ComputeColumn(const ColumnCase &c)
{
    ColumnFigures f;
    const double width = c.widthMm > 0 ? c.widthMm : c.depthMm;
    f.lambda = SlendernessRatio(c.lengthMm, c.depthMm);
    f.eta = BucklingFactor(f.lambda);
    const double na = AllowableAxialForceN(c.fcNPerMm2, f.lambda, width, c.depthMm);
    f.naKN = na / 1000.0;
    f.aaM2 = c.wdNPerM2 > 0 ? RoundDownTenth(na / c.wdNPerM2) : 0;
    f.ratioDpMm = RoundUpTenth(RatioFormulaDpMm(c.lengthMm, c.wdNPerM2));
    f.bucklingDMm = RoundUpTenth(BucklingDepthMm(c.lengthMm, c.widthMm, c.fcNPerMm2, c.wdNPerM2));
    if (c.oldRatioDenominator > 0)
        f.oldDpMm = RoundUpTenth(c.lengthMm / c.oldRatioDenominator);
    // λ² against 150² in whole squares: no root between the figures and the limit.
    f.slenderOk = c.depthMm > 0 && 12.0 * c.lengthMm * c.lengthMm <= 22500.0 * c.depthMm * c.depthMm;

    const bool areaMethod = c.oldRatioDenominator == 0 && c.method == ColumnMethod::Area;
    if (areaMethod)
        f.strengthOk = c.tributaryM2 * 10.0 <= f.aaM2 * 10.0 + TypedGuard;
    else
        f.strengthOk = c.depthMm * 10.0 >= f.required(c) * 10.0 - TypedGuard;
    return f;
}

QString TenthText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    return FormatDecimal(value, 1, 1);
}

QString EtaText(double eta)
{
    return FormatDecimal(std::floor(eta * 10000.0 + TenthGuard) / 10000.0, 4, 4);
}

QString KiloNewtonText(double kN)
{
    return FormatDecimal(std::floor(kN * 100.0 + TenthGuard) / 100.0, 2, 2);
}

// ---- a storey of the sheet ---------------------------------------------------------

QString StoreyColumnResult::verdictText() const
{
    if (!checked())
        return {};
    return verdict == ColumnVerdict::Sufficient ? QStringLiteral("OK") : QStringLiteral("NG");
}

QString StoreyColumnResult::methodText() const
{
    if (oldRules)
        return QStringLiteral("旧基準の表 1/%1").arg(oldRatioDenominator);
    return ChoiceName(method);
}

QString ColumnDirectionName(int d)
{
    return d == 0 ? QStringLiteral("張り間方向") : QStringLiteral("けた行方向");
}

namespace {

// A typed number above 0, or nothing.
std::optional<double> positive(const QString &text)
{
    const QString t = HalfWidthNumber(text.trimmed());
    if (CheckNumberText(t) != NumberCheck::Number)
        return std::nullopt;
    const double v = TextValue(t);
    return v > 0 ? std::optional<double>(v) : std::nullopt;
}

QString kn4(double value)
{
    return FormatDecimal(value, 4, 4);
}

// Wd from the sheet's loads, N/m²: the weight per floor area the storey's
// Lw is worked out from (storey 2 spread over its own floor), rounded up to
// a whole N/m² so that the printed terms retrace the figure.
void wdFromLoads(const CalcSheet &sheet, int s, StoreyColumnResult &r)
{
    const LwBreakdown &b = sheet.weightResults.breakdown;
    if (s >= WeightRuleStoreys || !b.valid || s >= b.storeys)
        return;
    double w = b.w[s];
    QString terms;
    if (b.storeys == 1) {
        terms = QStringLiteral("① %1 + ½×④ %2").arg(kn4(b.roofLoad), kn4(b.walls1));
    } else if (s == 0) {
        terms = QStringLiteral("① %1 + ② %2 + ③ %3 + ½×④ %4 + ⑤ %5")
                    .arg(kn4(b.roofLoad), kn4(b.walls2), kn4(b.floor2), kn4(b.walls1), kn4(b.lowerRoof));
    } else {
        terms = QStringLiteral("(① %1 + ½×② %2) ÷ r %3").arg(kn4(b.roofLoad), kn4(b.walls2), kn4(b.areaRatio));
        if (!(b.areaRatio > 0))
            return;
        w /= b.areaRatio;
    }
    const double wd = std::ceil(w * 1000.0 - 1e-6);
    r.wdNPerM2 = wd;
    r.wdKnown = wd > 0;
    r.wdFormula = QStringLiteral("%1 = %2 kN/m² → %3 N/m²").arg(terms, kn4(w), QString::number(wd, 'f', 0));
}

} // namespace

StoreyColumnResult CheckStoreyColumns(const CalcSheet &sheet, int s)
{
    const StoreyColumnInputs &in = sheet.columns[s];
    StoreyColumnResult r;
    r.oldRules = sheet.ruleSetKind() == RuleSetKind::Old;
    r.method = r.oldRules ? ColumnMethod::Ratio : in.method;
    if (r.oldRules)
        r.oldRatioDenominator = OldRuleRatioDenominator(sheet.weightType == 1, s == sheet.storeyIndex);
    if (in.isBlank())
        return r;

    const bool needsFc = !r.oldRules && r.method != ColumnMethod::Ratio;
    const bool needsWd = !r.oldRules;
    const bool needsArea = !r.oldRules && r.method == ColumnMethod::Area;

    // The timber: one of the list, a typed Fc, or the tool's すぎ.
    if (const Timber *t = FindTimber(in.timber)) {
        r.timberName = t->name;
        r.fcNPerMm2 = t->fcNPerMm2;
        r.fcKnown = true;
        r.fcUnverified = !t->verified;
    } else if (!in.timber.isEmpty()) {
        // A timber this program does not list (a later program's): its Fc is unknown.
        r.timberName = in.timber;
    } else if (!in.typedFc.trimmed().isEmpty()) {
        r.timberName = QStringLiteral("Fc入力");
        if (const std::optional<double> fc = positive(in.typedFc)) {
            r.fcNPerMm2 = *fc;
            r.fcKnown = true;
        }
    } else {
        const Timber &sugi = TimberList().front();
        r.timberName = sugi.name;
        r.fcNPerMm2 = sugi.fcNPerMm2;
        r.fcKnown = true;
    }

    r.wdSource = in.wdSource;
    r.wdNote = in.wdNote;
    if (in.wdSource == WdSource::Typed) {
        if (const std::optional<double> wd = positive(in.typedWd)) {
            r.wdNPerM2 = *wd;
            r.wdKnown = true;
        }
    } else if (!r.oldRules) {
        wdFromLoads(sheet, s, r);
    }
    const std::optional<double> area = positive(in.areaM2);
    r.tributaryM2 = area.value_or(0);

    if (needsFc && !r.fcKnown)
        r.missing << QStringLiteral("Fc");
    if (needsWd && !r.wdKnown)
        r.missing << (in.wdSource == WdSource::Typed ? QStringLiteral("Wd") : QStringLiteral("Wd(荷重から求められません)"));
    if (needsArea && !area)
        r.missing << QStringLiteral("負担面積");

    const bool storeyInputsKnown = r.missing.isEmpty();
    bool anyShort = false, allChecked = storeyInputsKnown;
    for (int d = 0; d < 2; ++d) {
        // A direction left empty has the same column and length as the other.
        const ColumnDirectionInputs &typed =
            in.direction[d].isBlank() ? in.direction[1 - d] : in.direction[d];
        const std::optional<double> length = positive(typed.lengthMm);
        const std::optional<double> depth = positive(typed.depthMm);
        const std::optional<double> width = positive(typed.widthMm);
        if (!length)
            r.missing << QStringLiteral("%1の l").arg(ColumnDirectionName(d));
        if (!depth)
            r.missing << QStringLiteral("%1の d").arg(ColumnDirectionName(d));
        ColumnDirectionResult &dir = r.direction[d];
        ColumnCase &c = dir.input;
        c.lengthMm = length.value_or(0);
        c.depthMm = depth.value_or(0);
        c.widthMm = width.value_or(0);
        c.fcNPerMm2 = r.fcNPerMm2;
        c.wdNPerM2 = r.wdNPerM2;
        c.tributaryM2 = r.tributaryM2;
        c.method = r.method;
        c.oldRatioDenominator = r.oldRatioDenominator;
        if (!length || !depth || !storeyInputsKnown) {
            allChecked = false;
            continue;
        }
        dir.checked = true;
        dir.figures = ComputeColumn(c);
        anyShort = anyShort || !dir.figures.ok();
    }
    if (anyShort)
        r.verdict = ColumnVerdict::Short;
    else
        r.verdict = allChecked ? ColumnVerdict::Sufficient : ColumnVerdict::Incomplete;
    return r;
}

QStringList ColumnHeaderLines(const StoreyColumnResult &r)
{
    QStringList lines{QStringLiteral("方法: %1").arg(r.methodText())};
    if (r.oldRules)
        return lines;
    if (r.method != ColumnMethod::Ratio) {
        QString timber = QStringLiteral("樹種: %1  Fc = %2 N/mm²")
                             .arg(r.timberName, r.fcKnown ? FormatDecimal(r.fcNPerMm2, 2, 1) : QStringLiteral("-"));
        lines << timber;
        if (r.fcUnverified)
            lines << QStringLiteral("※このFcは未確認の値です。告示で確かめるか、Fcを入力して下さい。");
    }
    const QString wd = r.wdKnown ? FormatDecimal(r.wdNPerM2, 1, 0) : QStringLiteral("-");
    if (r.wdSource == WdSource::Typed) {
        lines << QStringLiteral("Wd = %1 N/m² (入力%2)")
                     .arg(wd, r.wdNote.isEmpty() ? QString() : QStringLiteral(": ") + r.wdNote);
    } else {
        lines << QStringLiteral("Wd = %1 N/m² (仮定: 地震力の必要壁量と同じ床面積あたりの荷重)").arg(wd);
        if (!r.wdFormula.isEmpty())
            lines << QStringLiteral("Wd = ") + r.wdFormula;
        lines << QStringLiteral("※表計算ツールの解説シート§2「柱の小径の算出方法」で確かめて下さい。");
    }
    return lines;
}

std::vector<ColumnTableRow> ColumnTableRows(const StoreyColumnResult &r)
{
    std::vector<ColumnTableRow> rows;
    auto row = [&rows, &r](const QString &caption, auto text) {
        ColumnTableRow line{caption, {}};
        for (int d = 0; d < 2; ++d)
            line.values[d] = text(r.direction[d]);
        rows.push_back(line);
    };
    auto typed = [](double value) { return value > 0 ? FormatDecimal(value, 2, 0) : QString(); };
    auto figure = [](const ColumnDirectionResult &dir, auto text) {
        return dir.checked ? text(dir.figures) : QString();
    };
    row(QStringLiteral("l (mm)"), [&](const ColumnDirectionResult &dir) { return typed(dir.input.lengthMm); });
    row(QStringLiteral("b×d (mm)"), [&](const ColumnDirectionResult &dir) {
        if (!(dir.input.depthMm > 0))
            return QString();
        return QStringLiteral("%1×%2").arg(typed(dir.input.widthMm > 0 ? dir.input.widthMm : dir.input.depthMm),
                                           typed(dir.input.depthMm));
    });
    row(QStringLiteral("λ = √12·l/d ≦ 150"), [&](const ColumnDirectionResult &dir) {
        return figure(dir, [](const ColumnFigures &f) {
            return TenthText(f.lambda) + (f.slenderOk ? QStringLiteral(" OK") : QStringLiteral(" NG"));
        });
    });
    if (r.oldRules) {
        row(QStringLiteral("必要径 l/%1 (mm)").arg(r.oldRatioDenominator), [&](const ColumnDirectionResult &dir) {
            return figure(dir, [](const ColumnFigures &f) { return TenthText(f.oldDpMm); });
        });
    } else if (r.method == ColumnMethod::Ratio) {
        row(QStringLiteral("dp = 0.027·l + 22.5·Wd/l (mm)"), [&](const ColumnDirectionResult &dir) {
            return figure(dir, [](const ColumnFigures &f) { return TenthText(f.ratioDpMm); });
        });
    } else {
        row(QStringLiteral("η"), [&](const ColumnDirectionResult &dir) {
            return figure(dir, [](const ColumnFigures &f) { return EtaText(f.eta); });
        });
        row(QStringLiteral("Na = 1.1/3·Fc·η·b·d (kN)"), [&](const ColumnDirectionResult &dir) {
            return figure(dir, [](const ColumnFigures &f) { return KiloNewtonText(f.naKN); });
        });
        if (r.method == ColumnMethod::Buckling) {
            row(QStringLiteral("必要な d (Na ≧ 5㎡·Wd) (mm)"), [&](const ColumnDirectionResult &dir) {
                return figure(dir, [](const ColumnFigures &f) { return TenthText(f.bucklingDMm); });
            });
        } else {
            row(QStringLiteral("Aa = Na/Wd (㎡)"), [&](const ColumnDirectionResult &dir) {
                return figure(dir, [](const ColumnFigures &f) { return TenthText(f.aaM2); });
            });
            row(QStringLiteral("最大の負担面積 (㎡)"),
                [&](const ColumnDirectionResult &dir) { return typed(dir.input.tributaryM2); });
        }
    }
    row(QStringLiteral("判定"), [&](const ColumnDirectionResult &dir) {
        return figure(dir, [](const ColumnFigures &f) { return f.ok() ? QStringLiteral("OK") : QStringLiteral("NG"); });
    });
    return rows;
}

bool HasColumnData(const CalcSheet &sheet)
{
    for (int s = 0; s <= sheet.storeyIndex && s < StoreyCount; ++s)
        if (!sheet.columns[s].isBlank())
            return true;
    return false;
}

} // namespace quiren
