#include "gui/calcwindow/LwBreakdownWindow.h"

#include "core/calc/LwReport.h"
#include "core/text/StringTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

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
    m_warnings = new QLabel(this);
    m_warnings->setObjectName(QStringLiteral("lblBreakdownWarnings"));
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: #c00000"));
    for (QLabel *label : {m_inputs, m_steps, m_warnings}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_dock = new QCheckBox(Str(S::BreakdownDock), this);
    m_dock->setObjectName(QStringLiteral("chkBreakdownDock"));
    connect(m_dock, &QCheckBox::toggled, this, &LwBreakdownWindow::dockRequested);
    auto *close = new QPushButton(Str(S::BreakdownClose), this);
    close->setObjectName(QStringLiteral("cmdBreakdownClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto *figures = new QHBoxLayout;
    m_figures = figures;
    figures->addWidget(m_inputs);
    figures->addSpacing(16);
    figures->addWidget(m_steps);
    figures->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_dock);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addWidget(m_warnings);
    layout->addStretch(1);
    layout->addLayout(buttons);
    refresh();
}

void LwBreakdownWindow::refresh()
{
    m_inputs->setText(table(LwInputLines(m_sheet)));
    std::vector<ReportLine> steps = LwBreakdownLines(m_sheet);
    const QStringList warnings = warningLines();
    m_warnings->setText(steps.empty() ? QString() : warnings.join(QStringLiteral("\n")));
    m_warnings->setVisible(!steps.empty() && !warnings.isEmpty());
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

QStringList LwBreakdownWindow::warningLines() const
{
    QStringList lines;
    for (const QString &warning : m_sheet.weightResults.warnings)
        lines << Str(S::BreakdownWarnings) + QStringLiteral("：") + warning;
    return lines;
}

void LwBreakdownWindow::setDocked(bool docked)
{
    const QSignalBlocker quiet(m_dock);
    m_dock->setChecked(docked);
    // Beside the inputs the loads stand above the steps, to take less of
    // the window's width.
    m_figures->setDirection(docked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

bool LwBreakdownWindow::isDocked() const
{
    return m_dock->isChecked();
}

QStringList LwBreakdownWindow::lines() const
{
    QStringList out;
    for (const ReportLine &line : LwBreakdownLines(m_sheet))
        out << line.label + QLatin1Char('\t') + line.value + QLatin1Char(' ') + line.unit;
    return out;
}

} // namespace quiren
