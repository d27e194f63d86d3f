#pragma once
// The few values of the desktop conventions the program speaks in: dialog results and
// message-box flags. They keep the numbers users of the program's dialogs already rely on.

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// The second button (いいえ of MB_YESNO) is the default: Return answers No.
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
