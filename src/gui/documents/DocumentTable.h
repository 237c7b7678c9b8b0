#pragma once

#include <QList>
#include <QPointer>

namespace quiren {

class CalcWindow;

// One entry of the document table: the window that holds a document number.
struct DocumentSlot {
    // The window that holds (or last held) this number.
    QPointer<CalcWindow> window;
    // The number may be handed out again: its window has closed. False for
    // number 0 and while a window holds the number.
    bool Free = false;
    // The close question has been answered for this window while the whole
    // program was being ended; closing it then asks no more.
    bool closeAnswered = false;

    // The changed flag of the window's sheet; the sheet keeps the one true
    // value, the slot only reads it.
    bool Changed() const;
};

// DocumentTable: document numbers to calculation windows, for the life of
// the frame that holds them. Number 0 exists but is never handed out; number
// 1 is free at the start and belongs to the start-up window. The table only
// grows.
class DocumentTable {
public:
    DocumentTable();

    // The lowest free number (no longer free afterwards), or a new entry at
    // the end of the table when none is free.
    int AllocateDocumentSlot();
    // Takes number 1 for the start-up window; false when it is not free.
    bool TakeFirstSlot();

    // The number is given up: its window has closed.
    void release(int number);

    int size() const { return int(m_slots.size()); }
    DocumentSlot &slot(int number) { return m_slots[number]; }
    const DocumentSlot &slot(int number) const { return m_slots[number]; }

    // The number held by `window`, or 0 when it holds none.
    int numberOf(const CalcWindow *window) const;
    // Every window that holds a number, in number order.
    QList<CalcWindow *> openWindows() const;
    // Some number >= 1 is held by a window.
    bool AnyCalcWindowOpen() const;

private:
    QList<DocumentSlot> m_slots;
};

} // namespace quiren
