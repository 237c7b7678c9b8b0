#include "gui/calcwindow/LwBreakdownWindow.h"

#include "core/calc/LwReport.h"
#include "core/text/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>

namespace quiren {

namespace {

// Lines as a two-column HTML table, figures right-aligned.
QString table(const std::vector<ReportLine> &lines)
{
    QString html = QStringLiteral("<table cellspacing=2>");
    for (const ReportLine &line : lines) {
        html += QStringLiteral("<tr><td>%1</td><td align=right>&nbsp;&nbsp;%2</td><td>%3</td></tr>")
                    .arg(line.label.toHtmlEscaped(), line.value.toHtmlEscaped(), line.unit.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

} // namespace

LwBreakdownWindow::LwBreakdownWindow(const CalcSheet &sheet, QWidget *parent)
    : QDialog(parent)
    , m_sheet(sheet)
{
    setObjectName(QStringLiteral("frmBreakdown"));
    setWindowTitle(Str(S::BreakdownTitle));
    m_inputs = new QLabel(this);
    m_steps = new QLabel(this);
    for (QLabel *label : {m_inputs, m_steps}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_inputs);
    layout->addSpacing(16);
    layout->addWidget(m_steps);
    refresh();
}

void LwBreakdownWindow::refresh()
{
    m_inputs->setText(table(LwInputLines(m_sheet)));
    std::vector<ReportLine> steps = LwBreakdownLines(m_sheet);
    if (steps.empty()) {
        // Typed, or an input is missing: say why instead of old figures.
        QStringList why = m_sheet.weightResults.warnings;
        if (m_sheet.weightInputs.seismic.method == LwMethod::Typed)
            why.prepend(Str(S::LwMethodNames + 2));
        m_steps->setText(why.join(QStringLiteral("<br>")));
        return;
    }
    m_steps->setText(table(steps));
}

QStringList LwBreakdownWindow::lines() const
{
    QStringList out;
    for (const ReportLine &line : LwBreakdownLines(m_sheet))
        out << line.label + QLatin1Char('\t') + line.value + QLatin1Char(' ') + line.unit;
    return out;
}

} // namespace quiren
