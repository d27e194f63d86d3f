#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "graph/GraphPage.h"
#include "platform/LocalTime.h"
#include "platform/ModalSeam.h"
#include "record/RecordLine.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QComboBox>
#include <QTabBar>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

std::string DateTimeText(const CTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %02d:%02d:%02d", t.GetYear(), t.GetMonth(), t.GetDay(),
                  t.GetHour(), t.GetMinute(), t.GetSecond());
    return text;
}

// About nine months of a morning (type 1) and an evening (type 3) measurement a day, 545
// records, written newest first as the list page keeps them.
void WriteSampleYear()
{
    std::mt19937 random(20240401);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<std::string> lines;
    for (int day = 0; day < 273; ++day) {
        for (int evening = 0; evening < 2; ++evening) {
            if (day == 100 && evening == 1)
                continue; // one evening forgotten
            const CTime when(2024, 4, 1 + day, evening ? 21 : 7, 10 + day % 37, day * 7 % 60);
            const double season = 6.0 * std::cos(day / 273.0 * 2 * 3.14159);
            double max = (evening ? 126.0 : 138.0) + season + 7.0 * noise(random);
            double min = (evening ? 79.0 : 88.0) + season / 2 + 5.0 * noise(random);
            if (day % 61 == 17 && !evening)
                max += 30; // an occasional high morning reading
            const auto pulse = static_cast<std::uint32_t>(68 + 6 * noise(random));
            lines.push_back(FormatRecordLine(
                {DateTimeText(when), static_cast<std::uint32_t>(std::lround(max)),
                 static_cast<std::uint32_t>(std::lround(min)), pulse, 0, evening ? 3 : 1, ""}));
        }
    }
    std::ofstream out("data.txt", std::ios::binary | std::ios::trunc);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        out << *line << "\r\n";
}

} // namespace

void ShootGraph(const ShotContext& ctx)
{
    WriteSampleYear();
    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, 1);
    ctx.Save(dlg, QStringLiteral("graph-all-types"));

    // Only the evening type besides the red pair.
    Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE)->setCurrentIndex(3);
    QApplication::processEvents();
    ctx.Save(PageOf<CGraphPage>(dlg), QStringLiteral("graph-page-evening"));
}
