#include "platform/DynamicLayout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

QRect DynamicRect(const QRect& rect, unsigned flags, QSize from, QSize to)
{
    const int dx = std::max(0, to.width() - from.width());
    const int dy = std::max(0, to.height() - from.height());
    QRect placed = rect;
    placed.translate((flags & kMoveX) ? dx : 0, (flags & kMoveY) ? dy : 0);
    placed.setSize(rect.size() + QSize((flags & kSizeX) ? dx : 0, (flags & kSizeY) ? dy : 0));
    return placed;
}

CDynamicLayout::CDynamicLayout(QWidget& host) : QObject(&host), m_host(host)
{
    host.installEventFilter(this);
}

CDynamicLayout& CDynamicLayout::Of(QWidget& host)
{
    if (auto* layout = host.findChild<CDynamicLayout*>(QString(), Qt::FindDirectChildrenOnly))
        return *layout;
    return *new CDynamicLayout(host); // owned by the host as its child
}

void CDynamicLayout::AddItem(QWidget& control, unsigned flags)
{
    if (flags & (kSizeX | kSizeY))
        control.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A control placed anew by code is registered again, from where it stands now.
    std::erase_if(m_items, [&control](const Item& item) { return item.control == &control; });
    m_items.push_back({&control, flags, control.geometry(), m_host.size()});
}

bool CDynamicLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_host && event->type() == QEvent::Resize)
        Adjust();
    return false;
}

void CDynamicLayout::Adjust()
{
    for (const Item& item : m_items)
        if (item.control)
            item.control->setGeometry(DynamicRect(item.rect, item.flags, item.hostSize, m_host.size()));
}
