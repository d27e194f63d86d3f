#include "res/Templates.h"

const DlgTemplate& ListTemplate()
{
    static const DlgTemplate t{130,
                               "",
                               280,
                               200,
                               {
                                   {1001, CtlKind::ListView, "", 7, 7, 197, 142},
                                   {-1, CtlKind::Static, "平均値の種類", 214, 7, 48, 8, 0, 1010},
                                   {1010, CtlKind::ComboBox, "", 211, 21, 56, 54},
                                   {-1, CtlKind::Static, "最高血圧の平均", 211, 44, 55, 11, 0, 1016},
                                   {1016, CtlKind::ValueField, "", 217, 58, 41, 12},
                                   {-1, CtlKind::Static, "最低血圧の平均", 211, 77, 57, 11, 0, 1017},
                                   {1017, CtlKind::ValueField, "", 217, 92, 41, 12},
                                   {-1, CtlKind::Static, "脈拍数の平均", 211, 110, 51, 11, 0, 1018},
                                   {1018, CtlKind::ValueField, "", 217, 126, 41, 12},
                                   {-1, CtlKind::Static, "期間", 211, 142, 48, 8, 0, 1019},
                                   {1019, CtlKind::ComboBox, "", 211, 152, 56, 54},
                                   {-1, CtlKind::Static, "件数", 211, 169, 48, 8, 0, 1020},
                                   {1020, CtlKind::ValueField, "", 217, 179, 41, 12},
                                   {1014, CtlKind::Button, "登録", 14, 154, 55, 39},
                                   {1012, CtlKind::Button, "修正", 80, 165, 29, 28},
                                   {1013, CtlKind::Button, "削除", 111, 165, 29, 28},
                                   {1015, CtlKind::Button, "印刷", 146, 165, 29, 28},
                               }};
    return t;
}

// The two pickers and the unit labels are a few dialog units wider than the texts need at the
// classic small dialog font, so that a full date, a time and "mmHg" show whole at this one.
const DlgTemplate& RecordTemplate()
{
    static const DlgTemplate t{129,
                               "血圧情報の登録・修正",
                               219,
                               134,
                               {
                                   {1010, CtlKind::NumberEdit, "", 52, 37, 51, 12},
                                   {1009, CtlKind::NumberEdit, "", 52, 60, 51, 12},
                                   {1012, CtlKind::NumberEdit, "", 52, 83, 51, 12},
                                   {1025, CtlKind::ComboBox, "", 143, 81, 58, 79},
                                   {1027, CtlKind::Edit, "", 52, 106, 147, 14},
                                   {1013, CtlKind::CheckBox, "IHB（不規則脈波）", 143, 46, 67, 10},
                                   {1020, CtlKind::DatePicker, "", 52, 13, 54, 13},
                                   {1021, CtlKind::TimePicker, "", 109, 13, 42, 13},
                                   {1, CtlKind::DefButton, "OK", 162, 7, 50, 14},
                                   {2, CtlKind::Button, "ｷｬﾝｾﾙ", 162, 24, 50, 14},
                                   {-1, CtlKind::Static, "測定時刻", 13, 14, 37, 8, 0, 1020},
                                   {-1, CtlKind::Static, "最大血圧", 13, 38, 32, 8, 0, 1010},
                                   {-1, CtlKind::Static, "mmHg", 111, 39, 25, 8},
                                   {-1, CtlKind::Static, "最低血圧", 13, 62, 32, 8, 0, 1009},
                                   {-1, CtlKind::Static, "mmHg", 111, 62, 25, 8},
                                   {-1, CtlKind::Static, "脈拍数", 13, 86, 24, 8, 0, 1012},
                                   {-1, CtlKind::Static, "拍/分", 111, 85, 28, 9},
                                   {-1, CtlKind::Static, "コメント", 13, 110, 24, 8, 0, 1027},
                                   {-1, CtlKind::Static, "測定の種類", 143, 67, 39, 8, 0, 1025},
                               }};
    return t;
}
