#include "gui/documents/DocumentTable.h"

#include "gui/calcwindow/CalcWindow.h"

namespace quiren {

bool DocumentSlot::Changed() const
{
    return window && window->sheet().changed;
}

DocumentTable::DocumentTable()
{
    DocumentSlot zero;
    DocumentSlot first;
    first.Free = true;   // until the start-up window takes it
    m_slots << zero << first;
}

int DocumentTable::AllocateDocumentSlot()
{
    for (int n = 1; n < m_slots.size(); ++n) {
        if (m_slots[n].Free) {
            m_slots[n].Free = false;
            m_slots[n].closeAnswered = false;
            return n;
        }
    }
    m_slots << DocumentSlot{};
    return int(m_slots.size()) - 1;
}

bool DocumentTable::TakeFirstSlot()
{
    if (!m_slots[1].Free)
        return false;
    m_slots[1].Free = false;
    m_slots[1].closeAnswered = false;
    return true;
}

void DocumentTable::release(int number)
{
    if (number < 1 || number >= m_slots.size())
        return;
    m_slots[number].Free = true;
}

int DocumentTable::numberOf(const CalcWindow *window) const
{
    if (!window)
        return 0;
    for (int n = 1; n < m_slots.size(); ++n) {
        if (!m_slots[n].Free && m_slots[n].window == window)
            return n;
    }
    return 0;
}

QList<CalcWindow *> DocumentTable::openWindows() const
{
    QList<CalcWindow *> windows;
    for (int n = 1; n < m_slots.size(); ++n) {
        if (!m_slots[n].Free && m_slots[n].window)
            windows << m_slots[n].window.data();
    }
    return windows;
}

bool DocumentTable::AnyCalcWindowOpen() const
{
    return !openWindows().isEmpty();
}

} // namespace quiren
