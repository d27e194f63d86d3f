#pragma once
// Tests and the screenshot tool reach a control as an automated check does: a page's or
// dialog's control by its id from res/ControlIds.h, a drawing surface by the frame it lies over,
// and a page of the main window by its kind. A missing one throws, which fails a test with the
// id it looked for.

#include "app/MainDlg.h"
#include "graph/GraphSurface.h"

#include <stdexcept>
#include <string>

// Control `id` of a page or dialog as a T.
template <class T, class Host> T* Control(const Host& host, int id)
{
    T* control = qobject_cast<T*>(host.Control(id));
    if (!control)
        throw std::logic_error(std::string("no ") + T::staticMetaObject.className() + " with id " +
                               std::to_string(id) + " in " + host.metaObject()->className());
    return control;
}

// The drawing surface that lies over frame `id`.
template <class Host> CGraphSurface* Surface(const Host& host, int id)
{
    auto* surface = Control<QWidget>(host, id)->template findChild<CGraphSurface*>();
    if (!surface)
        throw std::logic_error("no drawing surface over frame " + std::to_string(id));
    return surface;
}

// The window's page of kind P.
template <class P> P& PageOf(CMainDlg& dlg)
{
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab)
        if (auto* page = qobject_cast<P*>(&dlg.Page(tab)))
            return *page;
    throw std::logic_error(std::string("no page ") + P::staticMetaObject.className() + " in the window");
}
