#pragma once
// The date and time pickers of the dialogs: Qt's QDateEdit and QTimeEdit, with typing made
// predictable. Qt moves on to the next part by itself once a typed part is complete (2026 in
// the year, 12 in the month), so the Tab a user then presses would skip a part: typing 2026,
// Tab, 12, Tab, 8 would set the day to 12 and leave the 8 to the next field. Here Tab moves to
// the next part only when typing has not already moved there.

#include <QDateEdit>
#include <QTimeEdit>

template <class Base> class CDateTimePicker : public Base
{
public:
    explicit CDateTimePicker(QWidget* parent = nullptr) : Base(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_bMovedByTyping = false; // the last key typed into a part moved on to the next one
};

using CDatePicker = CDateTimePicker<QDateEdit>;
using CTimePicker = CDateTimePicker<QTimeEdit>;

extern template class CDateTimePicker<QDateEdit>;
extern template class CDateTimePicker<QTimeEdit>;
