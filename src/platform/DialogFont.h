#pragma once
// The dialog font every page, dialog and message box is drawn in, and the size it takes so that
// the main window fits the screen.

#include <QFont>
#include <QSize>

struct DlgTemplate;
class QScreen;

// The size the pages are designed for.
inline constexpr int kDialogPointSize = 14;
// Below this the Japanese text is no longer readable; a window that does not fit even then is
// shown at this size.
inline constexpr int kSmallestDialogPointSize = 7;

// "ＭＳ Ｐゴシック", or IPAPGothic, or Noto Sans CJK JP, at the given size.
QFont DialogFontAt(int pointSize);

// The dialog font in use: the application font once UseDialogFont has chosen it, else the
// dialog font at kDialogPointSize.
QFont DialogFont();

// Makes the dialog font at pointSize the application font, so that Qt's own dialogs and
// message boxes match the pages.
void UseDialogFont(int pointSize);

// The largest size from kDialogPointSize down at which a window of the template's size, with
// a window frame of the given size around it, fits into the available area.
int FittingDialogPointSize(const DlgTemplate& tmpl, QSize available, QSize frame);

// The frame the window manager puts around a window (title bar and borders) before the window
// exists to be measured: generous, so that a window that is said to fit really does.
QSize ReservedWindowFrame();

// Chooses the dialog font at which a window of the template fits the screen's available area
// and makes it the application font; returns the chosen size.
int UseDialogFontFitting(const DlgTemplate& tmpl, const QScreen* screen);
