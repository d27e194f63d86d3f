#include "res/Templates.h"

#include "config/VelliqaConfig.h"
#include "csv/CsvColumns.h"

#include <string>

const DlgTemplate& OtherTemplate()
{
    static const std::string version = "Velliqa　バージョン " + std::string(kVelliqaVersion);
    static const DlgTemplate t{
        OtherIds::IDD,
        "",
        280,
        200,
        {
            {-1, CtlKind::Static, version.c_str(), 29, 25, 217, 8},
            {OtherIds::IDC_ONLINE_UPDATE, CtlKind::Button, "オンラインアップデート", 29, 83, 91, 25},
            {OtherIds::IDC_EXPORT_CSV, CtlKind::Button, "CSV ファイルに書き出す...", 29, 123, 120, 18},
            {OtherIds::IDC_INCLUDE_ARCHIVE, CtlKind::CheckBox, "保存件数を超えた記録も含める", 155, 127, 120,
             10},
            {OtherIds::IDC_IMPORT_CSV, CtlKind::Button, "ファイルを読み込む...", 29, 147, 120, 18},
            {OtherIds::IDC_RESTORE_BACKUP, CtlKind::Button, "バックアップから戻す...", 29, 171, 120, 18},
        }};
    return t;
}

// The preview of a CSV import: the file, the column of each field, the order of ambiguous
// dates, the counts, the first rows as they will be stored, and the rows that cannot be read.
const DlgTemplate& CsvPreviewTemplate()
{
    constexpr int kLabelW = 46;
    constexpr int kComboW = 84;
    auto column = [](int field, const char* label, int x, int y) {
        return std::pair{CtlTemplate{CsvPreviewIds::IDC_COLUMN_FIRST + field, CtlKind::ComboBox, "",
                                     x + kLabelW, y, kComboW, 80},
                         CtlTemplate{-1, CtlKind::Static, label, x, y + 2, kLabelW - 2, 8, 0,
                                     CsvPreviewIds::IDC_COLUMN_FIRST + field}};
    };
    static const DlgTemplate t = [&] {
        DlgTemplate d{CsvPreviewIds::IDD, "ファイルの読み込み", 420, 312, {}};
        d.controls.push_back({CsvPreviewIds::IDC_FILE, CtlKind::ValueField, "", 50, 6, 363, 12});
        const struct
        {
            const char* label;
            int x, y;
        } fields[] = {{"日時", 7, 40},          {"日付", 7, 56},       {"時刻", 7, 72},
                      {"最高血圧", 144, 40},    {"最低血圧", 144, 56}, {"脈拍", 144, 72},
                      {"IHB", 281, 40},         {"種類", 281, 56},     {"コメント", 281, 72},
                      {"タイムゾーン", 281, 92}};
        std::vector<CtlTemplate> labels;
        for (int f = 0; f < kCsvFieldCount; ++f) {
            const auto [combo, label] = column(f, fields[f].label, fields[f].x, fields[f].y);
            d.controls.push_back(combo);
            labels.push_back(label);
        }
        d.controls.push_back({CsvPreviewIds::IDC_DATE_ORDER, CtlKind::ComboBox, "", 53, 92, 130, 80});
        d.controls.push_back({CsvPreviewIds::IDC_ROWS, CtlKind::ListView, "", 7, 148, 406, 86});
        d.controls.push_back({CsvPreviewIds::IDC_REFUSALS, CtlKind::ListBox, "", 7, 248, 406, 38});
        d.controls.push_back({IDOK, CtlKind::DefButton, "読み込む", 299, 292, 54, 14});
        d.controls.push_back({IDCANCEL, CtlKind::Button, "キャンセル", 359, 292, 54, 14});
        d.controls.push_back({-1, CtlKind::Static, "ファイル:", 7, 8, 42, 8, 0, CsvPreviewIds::IDC_FILE});
        d.controls.push_back({-1, CtlKind::Static, "・各項目を読む列", 7, 26, 120, 8});
        for (const CtlTemplate& label : labels)
            d.controls.push_back(label);
        d.controls.push_back(
            {-1, CtlKind::Static, "日付の順", 7, 94, 44, 8, 0, CsvPreviewIds::IDC_DATE_ORDER});
        d.controls.push_back({CsvPreviewIds::IDC_COUNTS, CtlKind::ValueField, "", 7, 110, 406, 12});
        d.controls.push_back({CsvPreviewIds::IDC_UNUSED, CtlKind::ValueField, "", 7, 123, 406, 12});
        d.controls.push_back({-1, CtlKind::Static, "・読み込む内容（先頭の 100 行）", 7, 138, 200, 8, 0,
                              CsvPreviewIds::IDC_ROWS});
        d.controls.push_back(
            {-1, CtlKind::Static, "・読めない行", 7, 238, 200, 8, 0, CsvPreviewIds::IDC_REFUSALS});
        return d;
    }();
    return t;
}
