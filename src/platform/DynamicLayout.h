#pragma once
// How the controls of a window or page follow its size, as the desktop's dynamic dialog layout
// does: each control registered with a move and a size setting keeps its rectangle as it was
// when registered, moved and grown by the amount the host has grown since then. A control not
// registered stays where it is, at its place from the host's top-left corner.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// What a control does when its host grows by (dx, dy). Combined with |.
enum DynamicLayoutFlags : unsigned
{
    kMoveX = 1u << 0, // moves right by dx: keeps its distance to the host's right edge
    kMoveY = 1u << 1, // moves down by dy: keeps its distance to the host's bottom edge
    kSizeX = 1u << 2, // grows wider by dx
    kSizeY = 1u << 3, // grows taller by dy
};

class CDynamicLayout : public QObject
{
    Q_OBJECT
public:
    // The layout of host, made on first use; it lives as long as the host.
    static CDynamicLayout& Of(QWidget& host);

    // Places control, a child of the host, by flags from now on, starting from its rectangle
    // now; code that moves a registered control registers it again. A control that grows loses
    // any maximum size it had.
    void AddItem(QWidget& control, unsigned flags);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CDynamicLayout(QWidget& host);
    void Adjust();

    struct Item
    {
        QPointer<QWidget> control;
        unsigned flags = 0;
        QRect rect;     // the control's rectangle when it was registered
        QSize hostSize; // the host's size then
    };
    QWidget& m_host;
    std::vector<Item> m_items;
};

// The rectangle of a control that was `rect` in a host of size `from`, now that the host is
// of size `to`; a host smaller than it was moves and shrinks nothing.
QRect DynamicRect(const QRect& rect, unsigned flags, QSize from, QSize to);
