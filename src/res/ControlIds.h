#pragma once
// The ids of the dialog templates and of their controls, one namespace per dialog. The
// templates in res/, the dialog classes and the tests all name a control from here; the
// numbers are those the dialogs have always had. A label names the control it belongs to by
// that control's id.

#include "platform/WinTypes.h"

// The main window: the tab control and the exit button "終了".
namespace MainIds {
enum : int
{
    IDD = 102,
    IDC_EXIT = IDOK,
    IDC_TAB = 1015,
};
} // namespace MainIds

// The about box.
namespace AboutIds {
enum : int
{
    IDD = 100,
};
} // namespace AboutIds

// The list page (tab メイン).
namespace ListIds {
enum : int
{
    IDD = 130,
    IDC_RECORD_LIST = 1001,
    IDC_AVERAGE_TYPE = 1010,
    IDC_MODIFY = 1012,
    IDC_DELETE = 1013,
    IDC_ADD = 1014,
    IDC_PRINT = 1015,
    IDC_MAX_AVERAGE = 1016,
    IDC_MIN_AVERAGE = 1017,
    IDC_PULSE_AVERAGE = 1018,
    IDC_PERIOD = 1019,       // the days the averages cover
    IDC_RECORD_COUNT = 1020, // how many records they cover
};
} // namespace ListIds

// The entry dialog "血圧情報の登録・修正".
namespace RecordIds {
enum : int
{
    IDD = 129,
    IDC_MIN = 1009,
    IDC_MAX = 1010,
    IDC_PULSE = 1012,
    IDC_IHB = 1013,
    IDC_DATE = 1020,
    IDC_TIME = 1021,
    IDC_TYPE = 1025,
    IDC_COMMENT = 1027,
};
} // namespace RecordIds

// The settings page. The two check boxes are hidden; their flags are kept in the settings file.
namespace SettingsIds {
enum : int
{
    IDD = 131,
    IDC_MAX_RECORDS = 1022,
    IDC_USE_FUSE = 1023,
    IDC_USE_BL = 1024,
    IDC_TYPES = 1025,
    IDC_PRINT_FROM = 1026,
    IDC_PRINT_TO = 1027,
    IDC_RENAME = 1028,
    IDC_NAME = 1030,
    IDC_ROWS_PER_PAGE = 1031, // how many rows of the report fit one A4 page
};
} // namespace SettingsIds

// The rename dialog "名前の変更".
namespace RenameIds {
enum : int
{
    IDD = 134,
    IDC_NAME = 1030,
};
} // namespace RenameIds

// The other page: the version, the online update and the CSV export and import.
namespace OtherIds {
enum : int
{
    IDD = 132,
    IDC_ONLINE_UPDATE = 1035,
    IDC_EXPORT_CSV = 1036,      // "CSV ファイルに書き出す..."
    IDC_IMPORT_CSV = 1037,      // "ファイルを読み込む...": CSV, or an Apple Health export
    IDC_INCLUDE_ARCHIVE = 1260, // "保存件数を超えた記録も含める", for the export
    IDC_RESTORE_BACKUP = 1261,  // "バックアップから戻す..."
};
} // namespace OtherIds

// The preview of a CSV import "CSV ファイルの読み込み". The column choices come in the order of
// the fields (CsvField): IDC_COLUMN_FIRST + field, for the ten fields.
namespace CsvPreviewIds {
enum : int
{
    IDD = 135,
    IDC_FILE = 1040,
    IDC_DATE_ORDER = 1041,
    IDC_COUNTS = 1042,
    IDC_ROWS = 1043,
    IDC_REFUSALS = 1044,
    IDC_UNUSED = 1045, // the columns no field reads: "使われない列: …"
    IDC_COLUMN_FIRST = 1050,
};
} // namespace CsvPreviewIds

// The graph page.
namespace GraphIds {
enum : int
{
    IDD = 133,
    IDC_GRAPH_TYPE = 1010, // "表示する種類"
    IDC_GRAPH = 1032,      // the framed drawing surface
};
} // namespace GraphIds

// The evaluation page 評価: morning and evening averages of a period, judged as home blood pressure.
namespace EvaluationIds {
enum : int
{
    IDD = 136,
    IDC_PERIOD = 1060,       // 直近 7/14/28 日, 期間を指定
    IDC_FROM = 1061,         // the first day of a chosen period
    IDC_TO = 1062,           // its last day
    IDC_MORNING_TYPE = 1063, // 朝の種類
    IDC_EVENING_TYPE = 1064, // 晩の種類
    IDC_TARGET_MAX = 1065,   // 降圧目標, maximum
    IDC_TARGET_MIN = 1066,   // 降圧目標, minimum
    IDC_RESULT = 1067,       // the table 朝, 晩, 朝晩平均, 朝晩差
    IDC_NOTE = 1068,         // the guideline's one-line note
    IDC_CHART = 1069,        // the framed chart
    IDC_PRINT_REPORT = 1070, // レポートを印刷...: the report for the doctor, printed
    IDC_SAVE_REPORT = 1071,  // PDF に保存...: the same report as a PDF file
};
} // namespace EvaluationIds

// "バックアップから戻す": the list of backups and what a restore would change.
namespace RestoreIds {
enum : int
{
    IDD = 160,
    IDC_BACKUPS = 1262, // the list: date and time, records, newest record, reason
    IDC_CHANGE = 1263,  // the records now and after the restore
};
} // namespace RestoreIds
