#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Aligned plain-text tables for terminals: widths are counted in terminal
// columns, so full-width Japanese takes two and half-width katakana one.
namespace quiren::cli {

// Terminal columns a text takes.
int DisplayWidth(const QString &text);

// `text` padded with blanks on the right to `width` columns.
QString PadRight(const QString &text, int width);

class TextTable {
public:
    // One flag per column: true aligns the column to the right.
    explicit TextTable(std::vector<bool> rightAligned) : m_right(std::move(rightAligned)) {}

    // Cells and captions are shown as Visible() gives them.
    void addRow(const QStringList &cells);
    // A caption over a run of columns, printed on its own line above the
    // rows, starting where column `first` starts.
    void addGroup(int first, const QString &caption);

    // The table, each line starting with `indent` blanks and ending in "\n".
    QString render(int indent = 0) const;

private:
    std::vector<bool> m_right;
    std::vector<QStringList> m_rows;
    std::vector<std::pair<int, QString>> m_groups;
};

} // namespace quiren::cli
