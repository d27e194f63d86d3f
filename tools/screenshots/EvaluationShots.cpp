#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "evaluation/EvaluationPage.h"
#include "platform/LocalTime.h"
#include "platform/ModalSeam.h"
#include "record/RecordLine.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QComboBox>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

std::string DateTimeText(int daysBack, int hour, int minute)
{
    const CTime now = CTime::GetCurrentTime();
    const CTime t(now.GetYear(), now.GetMonth(), now.GetDay() - daysBack, hour, minute, 0);
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %02d:%02d:%02d", t.GetYear(), t.GetMonth(), t.GetDay(),
                  t.GetHour(), t.GetMinute(), t.GetSecond());
    return text;
}

// Four weeks up to today of two morning readings (type 1) and two evening readings (type 3),
// with a few occasions forgotten, written newest first.
void WriteSampleWeeks()
{
    std::mt19937 random(20260401);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<std::string> lines;
    for (int daysBack = 27; daysBack >= 0; --daysBack) {
        for (int evening = 0; evening < 2; ++evening) {
            if ((daysBack == 9 && evening == 1) || daysBack == 16 || (daysBack == 3 && evening == 0))
                continue;
            for (int reading = 0; reading < 2; ++reading) {
                const double trend = (27 - daysBack) * -0.25;
                const double max = (evening ? 127.0 : 139.0) + trend + 5.0 * noise(random);
                const double min = (evening ? 79.0 : 87.0) + trend / 2 + 4.0 * noise(random);
                const auto pulse = static_cast<std::uint32_t>(67 + 5 * noise(random));
                lines.push_back(FormatRecordLine({DateTimeText(daysBack, evening ? 22 : 6, 40 + 3 * reading),
                                                  static_cast<std::uint32_t>(std::lround(max)),
                                                  static_cast<std::uint32_t>(std::lround(min)), pulse, 0,
                                                  evening ? 3 : 1, ""}));
            }
        }
    }
    std::ofstream out("data.txt", std::ios::binary | std::ios::trunc);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        out << *line << "\r\n";
}

} // namespace

void ShootEvaluation(const ShotContext& ctx)
{
    WriteSampleWeeks();
    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, CMainDlg::kEvaluationTab);
    CEvaluationPage& page = PageOf<CEvaluationPage>(dlg);
    Control<QComboBox>(page, EvaluationIds::IDC_PERIOD)->setCurrentIndex(2); // 直近 28 日
    page.OnSelchangePeriod();
    QApplication::processEvents();
    ctx.Save(dlg, QStringLiteral("evaluation-28-days"));
}
