#include "res/Templates.h"

// The evaluation page: the period and the settings on top, the table with the guideline's note,
// the chart below, and under it the buttons that make the report for the doctor of the period.
const DlgTemplate& EvaluationTemplate()
{
    static const DlgTemplate t{
        EvaluationIds::IDD,
        "",
        280,
        200,
        {
            {-1, CtlKind::Static, "期間", 7, 9, 18, 8, 0, EvaluationIds::IDC_PERIOD},
            {EvaluationIds::IDC_PERIOD, CtlKind::ComboBox, "", 27, 7, 58, 54},
            {-1, CtlKind::Static, "開始日", 90, 9, 24, 8, 0, EvaluationIds::IDC_FROM},
            {EvaluationIds::IDC_FROM, CtlKind::DatePicker, "", 115, 7, 60, 13},
            {-1, CtlKind::Static, "終了日", 180, 9, 24, 8, 0, EvaluationIds::IDC_TO},
            {EvaluationIds::IDC_TO, CtlKind::DatePicker, "", 205, 7, 60, 13},
            {-1, CtlKind::Static, "朝の種類", 7, 26, 32, 8, 0, EvaluationIds::IDC_MORNING_TYPE},
            {EvaluationIds::IDC_MORNING_TYPE, CtlKind::ComboBox, "", 40, 24, 50, 54},
            {-1, CtlKind::Static, "晩の種類", 95, 26, 32, 8, 0, EvaluationIds::IDC_EVENING_TYPE},
            {EvaluationIds::IDC_EVENING_TYPE, CtlKind::ComboBox, "", 128, 24, 50, 54},
            {-1, CtlKind::Static, "降圧目標", 185, 26, 32, 8, 0, EvaluationIds::IDC_TARGET_MAX},
            {EvaluationIds::IDC_TARGET_MAX, CtlKind::NumberEdit, "", 218, 24, 20, 12},
            {-1, CtlKind::Static, "/", 240, 26, 5, 8, 0, EvaluationIds::IDC_TARGET_MIN},
            {EvaluationIds::IDC_TARGET_MIN, CtlKind::NumberEdit, "", 246, 24, 20, 12},
            {EvaluationIds::IDC_RESULT, CtlKind::ListView, "", 7, 40, 266, 56},
            {EvaluationIds::IDC_NOTE, CtlKind::Static,
             "家庭血圧の基準：135/85 mmHg 以上で高血圧。診断は医師が行います。", 7, 99, 266, 8},
            {EvaluationIds::IDC_CHART, CtlKind::Frame, "", 7, 110, 266, 66, kCtlNoTabStop},
            {EvaluationIds::IDC_PRINT_REPORT, CtlKind::Button, "レポートを印刷...", 133, 180, 68, 14},
            {EvaluationIds::IDC_SAVE_REPORT, CtlKind::Button, "PDF に保存...", 205, 180, 68, 14},
        }};
    return t;
}
