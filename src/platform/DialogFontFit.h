#pragma once
// The size the dialog font takes so that the main window fits the screen: a template's size in
// dialog units against the screen's available area.

#include <QSize>

struct DlgTemplate;
class QScreen;

// The largest size from kDialogPointSize down at which a window of the template's size, with
// a window frame of the given size around it, fits into the available area.
int FittingDialogPointSize(const DlgTemplate& tmpl, QSize available, QSize frame);

// The frame the window manager puts around a window (title bar and borders) before the window
// exists to be measured: generous, so that a window that is said to fit really does.
QSize ReservedWindowFrame();

// Chooses the dialog font at which a window of the template fits the screen's available area
// and makes it the application font; returns the chosen size.
int UseDialogFontFitting(const DlgTemplate& tmpl, const QScreen* screen);
