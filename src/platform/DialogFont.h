#pragma once
// The dialog font every page, dialog and message box is drawn in.

#include <QFont>

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
