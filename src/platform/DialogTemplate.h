#pragma once
// Dialog templates as data: each control with its id, kind, text and rectangle in dialog units,
// built into Qt widgets by BuildTemplate. Dialog units convert to pixels from the dialog font
// as the desktop always has: x * cx / 4 and y * cy / 8.

#include "platform/DialogFont.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QWidget;

enum class CtlKind
{
    Static,     // a label
    ValueField, // a right-aligned, sunken field that shows a value
    Frame,      // a static with a black frame and no text
    Icon,       // the application icon
    Edit,       // single-line edit of a text kept as code page 932 bytes (CCp932Edit)
    NumberEdit, // digits-only, right-aligned edit
    Button,
    DefButton, // the default push button
    CheckBox,
    ComboBox, // drop-down list, unsorted
    ListBox,
    ListView,   // report-view list (QTableView)
    TabControl, // QTabBar
    DatePicker, // short date
    TimePicker, // time of day with spin buttons
};

enum CtlFlags : unsigned
{
    kCtlHidden = 1u << 0, // created, never shown
    kCtlNoTabStop = 1u << 1,
    // Where the control goes when its window or page grows (CDynamicLayout); without any of
    // these it keeps its place from the top-left corner.
    kCtlMoveX = 1u << 2, // keeps its distance to the right edge
    kCtlMoveY = 1u << 3, // keeps its distance to the bottom edge
    kCtlSizeX = 1u << 4, // grows as wide as the host grows
    kCtlSizeY = 1u << 5, // grows as tall as the host grows
};

struct CtlTemplate
{
    int id = -1; // -1 for labels without an id
    CtlKind kind = CtlKind::Static;
    const char* text = ""; // UTF-8
    int x = 0, y = 0, w = 0, h = 0;
    unsigned flags = 0;
    int labelFor = 0; // for a label: the id of the control it names (its accessible name)
};

struct DlgTemplate
{
    int id = 0;
    const char* title = ""; // UTF-8; empty for pages
    int w = 0, h = 0;
    std::vector<CtlTemplate> controls; // in tab order
};

class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font);
    QRect ToPixels(int x, int y, int w, int h) const;
    int X(int x) const { return x * m_cx / 4; }
    int Y(int y) const { return y * m_cy / 8; }

private:
    int m_cx = 8;
    int m_cy = 16;
};

// The widgets of a built template, found by control id.
class CBuiltTemplate
{
public:
    QWidget* Control(int id) const;
    template <typename T> T* Get(int id) const { return qobject_cast<T*>(Control(id)); }
    const std::vector<QWidget*>& All() const { return m_widgets; }

private:
    friend CBuiltTemplate BuildTemplate(QWidget* host, const DlgTemplate& tmpl);
    std::vector<std::pair<int, QWidget*>> m_byId;
    std::vector<QWidget*> m_widgets;
};

// Creates the template's controls as children of host, sizes host to the template, sets the
// dialog font, the title, the tab order, and the accessible names (a label's text for the
// control it names; buttons and check boxes carry their own text).
CBuiltTemplate BuildTemplate(QWidget* host, const DlgTemplate& tmpl);
