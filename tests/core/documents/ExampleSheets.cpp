#include "ExampleSheets.h"

#include "core/settings/SettingsStore.h"

namespace quiren::test {

namespace {

struct YesPrompter : EditPrompter {
    void notANumber() override {}
    void invalidNumber() override {}
    bool confirmLongLength() override { return true; }
};

struct RowEntry {
    QString kind, section, crossed, length0, places0, length1, places1;
};

// Types one framing row into storey s, row r, as the grid edits do.
void enter(CalcSheet &sheet, int s, int r, const RowEntry &e)
{
    YesPrompter yes;
    auto type = [&](int column, const QString &text) {
        if (text.isEmpty())
            return;
        sheet.row(s, r)[column] = text;
        sheet.AfterEdit(s, r, column, yes);
    };
    type(ColKind, e.kind);
    type(ColSection, e.section);
    if (e.crossed == QStringLiteral("する"))
        sheet.ToggleXBracing(s, r);
    type(ColLength0, e.length0);
    type(ColPlaces0, e.places0);
    type(ColLength1, e.length1);
    type(ColPlaces1, e.places1);
}

void enterRows(CalcSheet &sheet, int s, const std::vector<RowEntry> &rows)
{
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        enter(sheet, s, r, rows[r]);
}

std::unique_ptr<CalcSheet> newSheet()
{
    return std::make_unique<CalcSheet>();
}

} // namespace

std::vector<ExampleSheet> ExampleSheets()
{
    std::vector<ExampleSheet> list;

    // One storey, light roof: both directions sufficient.
    {
        auto sheet = newSheet();
        sheet->titleName = QStringLiteral("田中邸新築工事");
        sheet->SetFloorArea(0, QStringLiteral("82.81"));
        sheet->SetProjectedArea(0, QStringLiteral("24.5"));
        sheet->SetProjectedArea(3, QStringLiteral("31.2"));
        enterRows(*sheet, 0, {
            {QStringLiteral("木材"), QStringLiteral("3×9"), {}, QStringLiteral("0.91"), QStringLiteral("6"),
             QStringLiteral("0.91"), QStringLiteral("6")},
            {QStringLiteral("木材"), QStringLiteral("4.5×9"), QStringLiteral("する"), QStringLiteral("1.82"),
             QStringLiteral("1"), QStringLiteral("1.82"), QStringLiteral("2")},
            {QStringLiteral("木摺両面壁"), {}, {}, QStringLiteral("1.82"), QStringLiteral("2"),
             QStringLiteral("0.91"), QStringLiteral("4")},
        });
        list.push_back({QStringLiteral("hiraya.qrn"), std::move(sheet)});
    }

    // Two storeys, heavy roof: the first storey falls short along the beams.
    {
        auto sheet = newSheet();
        sheet->titleName = QStringLiteral("鈴木邸新築工事（瓦葺）");
        sheet->SetStoreyIndex(1);
        sheet->SetWeightType(1);
        sheet->SetFloorArea(0, QStringLiteral("66.24"));
        sheet->SetProjectedArea(0, QStringLiteral("38.6"));
        sheet->SetProjectedArea(3, QStringLiteral("45.3"));
        sheet->SetFloorArea(1, QStringLiteral("49.68"));
        sheet->SetProjectedArea(1, QStringLiteral("16.2"));
        sheet->SetProjectedArea(4, QStringLiteral("19.8"));
        enterRows(*sheet, 0, {
            {QStringLiteral("木材"), QStringLiteral("4.5×9"), QStringLiteral("する"), QStringLiteral("0.91"),
             QStringLiteral("4"), QStringLiteral("0.91"), QStringLiteral("2")},
            {QStringLiteral("木材"), QStringLiteral("4.5×9"), {}, QStringLiteral("0.91"), QStringLiteral("3"),
             QStringLiteral("0.91"), QStringLiteral("4")},
            {QStringLiteral("土塗り壁+木材"), QStringLiteral("3×9"), {}, QStringLiteral("1.82"),
             QStringLiteral("2"), QStringLiteral("1.82"), QStringLiteral("1")},
            {QStringLiteral("木摺両面壁"), {}, {}, QStringLiteral("1.82"), QStringLiteral("1"), {}, {}},
        });
        enterRows(*sheet, 1, {
            {QStringLiteral("木材"), QStringLiteral("3×9"), QStringLiteral("する"), QStringLiteral("0.91"),
             QStringLiteral("3"), QStringLiteral("0.91"), QStringLiteral("3")},
            {QStringLiteral("木摺片面壁+木材"), QStringLiteral("4.5×9"), {}, QStringLiteral("0.91"),
             QStringLiteral("2"), QStringLiteral("1.82"), QStringLiteral("1")},
        });
        list.push_back({QStringLiteral("nikai.qrn"), std::move(sheet)});
    }

    // Three storeys in a strong-wind district: the wind governs the upper
    // storeys; the third storey falls short in both directions.
    {
        auto sheet = newSheet();
        sheet->titleName = QStringLiteral("高橋ビル新築工事, 3階建て住宅");
        sheet->SetStoreyIndex(2);
        sheet->SwitchStrongWind(WallCoefficientDefault);
        sheet->SetFloorArea(0, QStringLiteral("52.17"));
        sheet->SetProjectedArea(0, QStringLiteral("62.4"));
        sheet->SetProjectedArea(3, QStringLiteral("71.8"));
        sheet->SetFloorArea(1, QStringLiteral("52.17"));
        sheet->SetProjectedArea(1, QStringLiteral("38.9"));
        sheet->SetProjectedArea(4, QStringLiteral("44.6"));
        sheet->SetFloorArea(2, QStringLiteral("41.4"));
        sheet->SetProjectedArea(2, QStringLiteral("16.5"));
        sheet->SetProjectedArea(5, QStringLiteral("19.2"));
        enterRows(*sheet, 0, {
            {QStringLiteral("木材"), QStringLiteral("9×9"), QStringLiteral("する"), QStringLiteral("0.91"),
             QStringLiteral("5"), QStringLiteral("0.91"), QStringLiteral("6")},
            {QStringLiteral("木摺両面壁+木材"), QStringLiteral("4.5×9"), QStringLiteral("する"),
             QStringLiteral("1.82"), QStringLiteral("2"), QStringLiteral("1.82"), QStringLiteral("2")},
            {QStringLiteral("9㎜鉄筋"), {}, {}, QStringLiteral("0.91"), QStringLiteral("4"),
             QStringLiteral("0.91"), QStringLiteral("4")},
        });
        enterRows(*sheet, 1, {
            {QStringLiteral("木材"), QStringLiteral("4.5×9"), QStringLiteral("する"), QStringLiteral("0.91"),
             QStringLiteral("6"), QStringLiteral("0.91"), QStringLiteral("6")},
            {QStringLiteral("木摺両面壁+鉄筋"), {}, {}, QStringLiteral("1.82"), QStringLiteral("2"),
             QStringLiteral("1.82"), QStringLiteral("3")},
        });
        enterRows(*sheet, 2, {
            {QStringLiteral("木材"), QStringLiteral("3×9"), QStringLiteral("する"), QStringLiteral("0.91"),
             QStringLiteral("3"), QStringLiteral("0.91"), QStringLiteral("3")},
        });
        list.push_back({QStringLiteral("sankai-kyofu.qrn"), std::move(sheet)});
    }

    for (ExampleSheet &e : list)
        e.sheet->changed = false;
    return list;
}

} // namespace quiren::test
