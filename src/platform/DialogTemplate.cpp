#include "platform/DialogTemplate.h"

#include "platform/Cp932Edit.h"
#include "platform/DateTimePicker.h"
#include "platform/DynamicLayout.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTableView>
#include <algorithm>

CDialogUnits::CDialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_cx = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_cy = metrics.height();
    if (m_cx < 1)
        m_cx = 1;
    if (m_cy < 1)
        m_cy = 1;
}

QRect CDialogUnits::ToPixels(int x, int y, int w, int h) const
{
    return QRect(X(x), Y(y), X(w), Y(h));
}

QWidget* CBuiltTemplate::Control(int id) const
{
    for (const auto& [controlId, widget] : m_byId)
        if (controlId == id)
            return widget;
    return nullptr;
}

namespace {

QWidget* CreateControl(QWidget* host, const CtlTemplate& c)
{
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
    case CtlKind::Static:
        return new QLabel(text, host);
    case CtlKind::ValueField: {
        auto* label = new QLabel(text, host);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    }
    case CtlKind::Frame: {
        auto* frame = new QFrame(host);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        return frame;
    }
    case CtlKind::Icon: {
        auto* label = new QLabel(host);
        label->setPixmap(host->windowIcon().pixmap(32, 32));
        return label;
    }
    case CtlKind::Edit:
        return new CCp932Edit(host);
    case CtlKind::NumberEdit: {
        auto* edit = new QLineEdit(host);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Digits only while typing; blanks pasted around a number are still read back.
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 \\t]*")), edit));
        return edit;
    }
    case CtlKind::Button:
    case CtlKind::DefButton: {
        auto* button = new QPushButton(text, host);
        button->setAutoDefault(false);
        button->setDefault(c.kind == CtlKind::DefButton);
        button->setAccessibleName(text);
        return button;
    }
    case CtlKind::CheckBox: {
        auto* box = new QCheckBox(text, host);
        box->setAccessibleName(text);
        return box;
    }
    case CtlKind::ComboBox:
        return new QComboBox(host);
    case CtlKind::ListBox: {
        auto* list = new QListWidget(host);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return list;
    }
    case CtlKind::ListView: {
        auto* view = new QTableView(host);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setShowGrid(true);
        view->verticalHeader()->hide();
        view->setWordWrap(false);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return view;
    }
    case CtlKind::TabControl: {
        auto* bar = new QTabBar(host);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setDrawBase(false);
        bar->setExpanding(false);
        return bar;
    }
    // The pickers keep Qt's own spec for them (UTC), in which every date has a midnight and
    // every day every time of day; DDX_DateTime moves the fields in and out without conversion.
    case CtlKind::DatePicker: {
        auto* date = new CDatePicker(host);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return date;
    }
    case CtlKind::TimePicker: {
        auto* time = new CTimePicker(host);
        time->setDisplayFormat(QStringLiteral("H:mm:ss"));
        time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return time;
    }
    }
    return new QWidget(host);
}

// The template's move and size flags as the dynamic layout takes them.
unsigned DynamicFlags(unsigned ctlFlags)
{
    return ((ctlFlags & kCtlMoveX) ? kMoveX : 0u) | ((ctlFlags & kCtlMoveY) ? kMoveY : 0u) |
           ((ctlFlags & kCtlSizeX) ? kSizeX : 0u) | ((ctlFlags & kCtlSizeY) ? kSizeY : 0u);
}

} // namespace

CBuiltTemplate BuildTemplate(QWidget* host, const DlgTemplate& tmpl)
{
    CBuiltTemplate built;
    host->setFont(DialogFont());
    const CDialogUnits du(host->font());
    host->setFixedSize(du.X(tmpl.w), du.Y(tmpl.h));
    if (tmpl.title[0] != '\0')
        host->setWindowTitle(QString::fromUtf8(tmpl.title));

    QWidget* previousTabStop = nullptr;
    for (const CtlTemplate& c : tmpl.controls) {
        QWidget* widget = CreateControl(host, c);
        widget->setGeometry(du.ToPixels(c.x, c.y, c.w, c.h));
        if (c.kind == CtlKind::ComboBox) // the template's height includes the dropped list
            widget->setFixedHeight(std::min(widget->sizeHint().height(), du.Y(14)));
        if (c.flags & kCtlHidden)
            widget->setVisible(false);
        if (c.flags & kCtlNoTabStop)
            widget->setFocusPolicy(Qt::NoFocus);
        if (const unsigned dynamic = DynamicFlags(c.flags))
            CDynamicLayout::Of(*host).AddItem(*widget, dynamic);
        if (c.id != -1)
            built.m_byId.emplace_back(c.id, widget);
        built.m_widgets.push_back(widget);
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        }
    }
    // Labels name the controls they stand beside.
    for (const CtlTemplate& c : tmpl.controls) {
        if (c.labelFor == 0)
            continue;
        QWidget* target = built.Control(c.labelFor);
        if (!target)
            continue;
        const QString name = QString::fromUtf8(c.text);
        // A field that shows a value keeps the value as its accessible text; its caption
        // describes it.
        const bool showsValue =
            std::any_of(tmpl.controls.begin(), tmpl.controls.end(), [&](const CtlTemplate& t) {
                return t.id == c.labelFor && t.kind == CtlKind::ValueField;
            });
        if (showsValue)
            target->setAccessibleDescription(name);
        else if (target->accessibleName().isEmpty())
            target->setAccessibleName(name);
        for (QWidget* w : built.m_widgets)
            if (auto* label = qobject_cast<QLabel*>(w); label && label->text() == name)
                label->setBuddy(target);
    }
    return built;
}
