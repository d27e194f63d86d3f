#include "res/Templates.h"

const DlgTemplate& ListTemplate()
{
    static const DlgTemplate t{
        ListIds::IDD,
        "",
        280,
        200,
        {
            {ListIds::IDC_RECORD_LIST, CtlKind::ListView, "", 7, 7, 197, 142, kCtlSizeX | kCtlSizeY},
            {-1, CtlKind::Static, "平均値の種類", 214, 7, 48, 8, kCtlMoveX, ListIds::IDC_AVERAGE_TYPE},
            {ListIds::IDC_AVERAGE_TYPE, CtlKind::ComboBox, "", 211, 21, 56, 54, kCtlMoveX},
            {-1, CtlKind::Static, "最高血圧の平均", 211, 44, 55, 11, kCtlMoveX, ListIds::IDC_MAX_AVERAGE},
            {ListIds::IDC_MAX_AVERAGE, CtlKind::ValueField, "", 217, 58, 41, 12, kCtlMoveX},
            {-1, CtlKind::Static, "最低血圧の平均", 211, 77, 57, 11, kCtlMoveX, ListIds::IDC_MIN_AVERAGE},
            {ListIds::IDC_MIN_AVERAGE, CtlKind::ValueField, "", 217, 92, 41, 12, kCtlMoveX},
            {-1, CtlKind::Static, "脈拍数の平均", 211, 110, 51, 11, kCtlMoveX, ListIds::IDC_PULSE_AVERAGE},
            {ListIds::IDC_PULSE_AVERAGE, CtlKind::ValueField, "", 217, 126, 41, 12, kCtlMoveX},
            {-1, CtlKind::Static, "期間", 211, 142, 48, 8, kCtlMoveX, ListIds::IDC_PERIOD},
            {ListIds::IDC_PERIOD, CtlKind::ComboBox, "", 211, 152, 56, 54, kCtlMoveX},
            {-1, CtlKind::Static, "件数", 211, 169, 48, 8, kCtlMoveX, ListIds::IDC_RECORD_COUNT},
            {ListIds::IDC_RECORD_COUNT, CtlKind::ValueField, "", 217, 179, 41, 12, kCtlMoveX},
            {ListIds::IDC_ADD, CtlKind::Button, "登録", 14, 154, 55, 39, kCtlMoveY},
            {ListIds::IDC_MODIFY, CtlKind::Button, "修正", 80, 165, 29, 28, kCtlMoveY},
            {ListIds::IDC_DELETE, CtlKind::Button, "削除", 111, 165, 29, 28, kCtlMoveY},
            {ListIds::IDC_PRINT, CtlKind::Button, "印刷", 146, 165, 29, 28, kCtlMoveY},
        }};
    return t;
}

// The two pickers and the unit labels are a few dialog units wider than the texts need at the
// classic small dialog font, so that a full date, a time and "mmHg" show whole at this one.
const DlgTemplate& RecordTemplate()
{
    static const DlgTemplate t{
        RecordIds::IDD,
        "血圧情報の登録・修正",
        219,
        134,
        {
            {RecordIds::IDC_MAX, CtlKind::NumberEdit, "", 52, 37, 51, 12},
            {RecordIds::IDC_MIN, CtlKind::NumberEdit, "", 52, 60, 51, 12},
            {RecordIds::IDC_PULSE, CtlKind::NumberEdit, "", 52, 83, 51, 12},
            {RecordIds::IDC_TYPE, CtlKind::ComboBox, "", 143, 81, 58, 79},
            {RecordIds::IDC_COMMENT, CtlKind::Edit, "", 52, 106, 147, 14},
            {RecordIds::IDC_IHB, CtlKind::CheckBox, "IHB（不規則脈波）", 143, 46, 67, 10},
            {RecordIds::IDC_DATE, CtlKind::DatePicker, "", 52, 13, 54, 13},
            {RecordIds::IDC_TIME, CtlKind::TimePicker, "", 109, 13, 42, 13},
            {IDOK, CtlKind::DefButton, "OK", 162, 7, 50, 14},
            {IDCANCEL, CtlKind::Button, "ｷｬﾝｾﾙ", 162, 24, 50, 14},
            {-1, CtlKind::Static, "測定時刻", 13, 14, 37, 8, 0, RecordIds::IDC_DATE},
            {-1, CtlKind::Static, "最大血圧", 13, 38, 32, 8, 0, RecordIds::IDC_MAX},
            {-1, CtlKind::Static, "mmHg", 111, 39, 25, 8},
            {-1, CtlKind::Static, "最低血圧", 13, 62, 32, 8, 0, RecordIds::IDC_MIN},
            {-1, CtlKind::Static, "mmHg", 111, 62, 25, 8},
            {-1, CtlKind::Static, "脈拍数", 13, 86, 24, 8, 0, RecordIds::IDC_PULSE},
            {-1, CtlKind::Static, "拍/分", 111, 85, 28, 9},
            {-1, CtlKind::Static, "コメント", 13, 110, 24, 8, 0, RecordIds::IDC_COMMENT},
            {-1, CtlKind::Static, "測定の種類", 143, 67, 39, 8, 0, RecordIds::IDC_TYPE},
        }};
    return t;
}
