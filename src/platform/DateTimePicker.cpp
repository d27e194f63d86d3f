#include "platform/DateTimePicker.h"

#include <QKeyEvent>

template <class Base> void CDateTimePicker<Base>::keyPressEvent(QKeyEvent* event)
{
    const int before = this->currentSectionIndex();
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint();
    Base::keyPressEvent(event);
    m_bMovedByTyping = typed && this->currentSectionIndex() != before;
}

template <class Base> bool CDateTimePicker<Base>::focusNextPrevChild(bool next)
{
    const bool moved = m_bMovedByTyping;
    m_bMovedByTyping = false;
    // The Tab after a part that moved on by itself stays in the part typing reached.
    if (next && moved)
        return true;
    return Base::focusNextPrevChild(next);
}

template <class Base> void CDateTimePicker<Base>::focusOutEvent(QFocusEvent* event)
{
    m_bMovedByTyping = false;
    Base::focusOutEvent(event);
}

template <class Base> void CDateTimePicker<Base>::mousePressEvent(QMouseEvent* event)
{
    m_bMovedByTyping = false;
    Base::mousePressEvent(event);
}

template class CDateTimePicker<QDateEdit>;
template class CDateTimePicker<QTimeEdit>;
