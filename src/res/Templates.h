#pragma once
// The dialog templates of the program; their ids and their controls' ids are in ControlIds.h.

#include "platform/DialogTemplate.h"
#include "res/ControlIds.h"

const DlgTemplate& AboutTemplate();      // 100
const DlgTemplate& MainTemplate();       // 102
const DlgTemplate& RecordTemplate();     // 129, entry dialog
const DlgTemplate& ListTemplate();       // 130, list page
const DlgTemplate& SettingsTemplate();   // 131, settings page
const DlgTemplate& OtherTemplate();      // 132, other page
const DlgTemplate& GraphTemplate();      // 133, graph page
const DlgTemplate& RenameTemplate();     // 134, rename dialog
const DlgTemplate& CsvPreviewTemplate(); // 135, preview of a CSV import
const DlgTemplate& EvaluationTemplate(); // 136, evaluation page
