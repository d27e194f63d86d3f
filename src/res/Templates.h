#pragma once
// The dialog templates of the program, by template id.

#include "platform/DialogTemplate.h"

const DlgTemplate& AboutTemplate();      // 100
const DlgTemplate& MainTemplate();       // 102
const DlgTemplate& RecordTemplate();     // 129, entry dialog
const DlgTemplate& ListTemplate();       // 130, list page
const DlgTemplate& SettingsTemplate();   // 131, settings page
const DlgTemplate& OtherTemplate();      // 132, other page
const DlgTemplate& GraphTemplate();      // 133, graph page
const DlgTemplate& RenameTemplate();     // 134, rename dialog
const DlgTemplate& CsvPreviewTemplate(); // 135, preview of a CSV import

// Control ids shared by more than one class.
inline constexpr int IDC_TAB = 1015;

// Buttons of the other page (template 132).
enum OtherPageId : int
{
    IDC_ONLINE_UPDATE = 1035,
    IDC_EXPORT_CSV = 1036,
    IDC_IMPORT_CSV = 1037,
};

// Controls of the CSV import preview (template 135). The column choices come in the order of
// the fields (CsvField): IDC_CSV_COLUMN_FIRST + field.
enum CsvPreviewId : int
{
    IDC_CSV_FILE = 1040,
    IDC_CSV_DATE_ORDER = 1041,
    IDC_CSV_COUNTS = 1042,
    IDC_CSV_ROWS = 1043,
    IDC_CSV_REFUSALS = 1044,
    IDC_CSV_COLUMN_FIRST = 1050, // through 1058
};
