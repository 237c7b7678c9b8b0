#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace quiren {

class CalcSheet;
class SheetDocument;

// The checks beside the wall quantity, as a storey page shows them: each
// has a button beside the area lines that opens its view in place of the
// framing grid (opening one closes the others). The page iterates this
// list, so a new check's view is one more entry here and a panel that
// listens to its document.
struct CheckViewKind {
    const char *buttonName;   // the button's object name: cmdBalance(s) ...
    QString caption;
    QString toolTip;
    // The view takes all the room the page has while it is shown (a wide
    // table), instead of its own size at the top left.
    bool fillsPage = false;
    // Makes the view of storey s, listening to `document` from then on.
    QWidget *(*make)(SheetDocument &document, int storey, QWidget *parent) = nullptr;
    // A short verdict shown beside the button while the view is closed;
    // nullptr for a check that shows none.
    QString (*verdict)(const CalcSheet &sheet, int storey) = nullptr;
};

// In the order of their buttons on the page.
enum CheckView { BalanceView, ColumnView, JointView };
const std::vector<CheckViewKind> &CheckViewKinds();

} // namespace quiren
