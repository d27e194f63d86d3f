#pragma once
// The dialog templates of the program, by template id.

#include "platform/DialogTemplate.h"

const DlgTemplate& AboutTemplate();    // 100
const DlgTemplate& MainTemplate();     // 102
const DlgTemplate& RecordTemplate();   // 129, entry dialog
const DlgTemplate& ListTemplate();     // 130, list page
const DlgTemplate& SettingsTemplate(); // 131, settings page
const DlgTemplate& OtherTemplate();    // 132, other page
const DlgTemplate& GraphTemplate();    // 133, graph page
const DlgTemplate& RenameTemplate();   // 134, rename dialog

// Control ids shared by more than one class.
inline constexpr int IDC_TAB = 1015;
