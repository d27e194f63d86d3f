// The graph page: its controls, its picture on screen, and following the measurement file.
#include "graph/GraphPage.h"
#include "app/MainDlg.h"
#include "folder/DataFolder.h"
#include "graph/GraphSurface.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class GraphPageTest : public ::testing::Test
{
protected:
    ScopedDataDir dir;
    FakeModalSeam seam;
    CDataFolder folder;
};

// The framed surface as the screen shows it, frame ring included.
QImage Render(CGraphPage& page)
{
    return page.Control(GraphIds::IDC_GRAPH)->grab().toImage();
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

bool RowHas(const QImage& image, int y, QColor colour)
{
    for (int x = 0; x < image.width(); ++x)
        if (At(image, x, y) == colour)
            return true;
    return false;
}

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kGrey(178, 178, 178);

} // namespace

TEST_F(GraphPageTest, ListsTheTypesAndNamesItsControls)
{
    CreateMissingDataFiles();
    folder.Load();
    CGraphPage page(seam, folder);
    page.Create(nullptr);
    ASSERT_EQ(Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->count(), 5);
    EXPECT_EQ(Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->itemText(3), QStringLiteral("晩"));
    EXPECT_EQ(Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->currentIndex(), 0);
    EXPECT_EQ(Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->accessibleName(),
              QStringLiteral("表示する種類"));
    EXPECT_EQ(Surface(page, GraphIds::IDC_GRAPH)->accessibleName(), QStringLiteral("グラフ"));
    EXPECT_EQ(Surface(page, GraphIds::IDC_GRAPH)->size(), page.Control(GraphIds::IDC_GRAPH)->size());
}

TEST_F(GraphPageTest, PaintsBackgroundGridSeriesAndLeavesTheRingToTheFrame)
{
    CreateMissingDataFiles();
    WriteBytes("data.txt", "2024/5/1 07:00:00,100,60,70,0,0,\r\n2024/4/30 07:00:00,100,60,70,0,0,\r\n");
    folder.Load();
    CGraphPage page(seam, folder);
    page.Create(nullptr);
    const QImage image = Render(page);
    const int W = image.width();
    const int H = image.height();
    ASSERT_GT(W, 300);
    ASSERT_GT(H, 250);

    for (int x : {0, W / 2, W - 1})
        EXPECT_EQ(At(image, x, 0), Qt::black) << x;
    for (int y : {0, H / 2, H - 1})
        EXPECT_EQ(At(image, W - 1, y), Qt::black) << y;
    EXPECT_EQ(At(image, W / 2, H - 10), Qt::white);
    EXPECT_EQ(At(image, W / 2, H - 200), kRed);  // the maximum, 100 mmHg, across the width
    EXPECT_EQ(At(image, W - 20, H - 120), kRed); // the minimum starts dotted at the newest record
    EXPECT_EQ(At(image, 20, H - 20), kGrey);     // the grid at 10 mmHg, dotted
    EXPECT_EQ(At(image, 23, H - 20), Qt::white);
}

TEST_F(GraphPageTest, WithoutTypeNamesOnlyTheRedPairIsDrawn)
{
    // An empty type file; a missing one reads as the default names.
    WriteBytes("item.txt", "");
    WriteBytes("data.txt", "d,150,90,70,0,1,\r\nd,150,90,70,0,1,\r\n");
    folder.Load();
    CGraphPage page(seam, folder);
    page.Create(nullptr);
    EXPECT_EQ(Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->currentIndex(), -1);
    const QImage image = Render(page);
    EXPECT_TRUE(RowHas(image, image.height() - 300, kRed));
    EXPECT_FALSE(RowHas(image, image.height() - 300, kGreen));
}

TEST_F(GraphPageTest, ChoosingAnotherTypeRedrawsAtOnce)
{
    CreateMissingDataFiles();
    WriteBytes("data.txt", "d,150,90,70,0,1,\r\nd,150,90,70,0,1,\r\n");
    folder.Load();
    CGraphPage page(seam, folder);
    page.Create(nullptr);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    EXPECT_TRUE(RowHas(Render(page), Render(page).height() - 300, kGreen));

    int paints = 0;
    struct Counter : QObject
    {
        int& n;
        explicit Counter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter(paints);
    Surface(page, GraphIds::IDC_GRAPH)->installEventFilter(&counter);
    Control<QComboBox>(page, GraphIds::IDC_GRAPH_TYPE)->setCurrentIndex(2);
    EXPECT_GE(paints, 1); // no event loop ran in between
    EXPECT_FALSE(RowHas(Render(page), Render(page).height() - 300, kGreen));
}

TEST_F(GraphPageTest, ARecordAddedInTheSameSecondAsTheLastLoadIsDrawn)
{
    CreateMissingDataFiles();
    WriteBytes("data.txt", "d,100,60,70,0,0,\r\nd,100,60,70,0,0,\r\n");
    folder.Load();
    CGraphPage page(seam, folder);
    page.Create(nullptr);
    const QImage before = Render(page);
    const int W = before.width();
    const int H = before.height();
    EXPECT_EQ(At(before, W - 20, H - 350), Qt::white);

    struct stat loaded
    {
    };
    ASSERT_EQ(::stat("data.txt", &loaded), 0);
    CTextFile listFile; // the list page's own view of the file
    listFile.SetPath(kDataFileName);
    listFile.Reload();
    ASSERT_TRUE(listFile.InsertLineLimited(1, "d,175,95,70,0,0,", 1000));
    // Within the same whole second as the page's last load.
    const timespec times[2] = {loaded.st_atim,
                               {loaded.st_mtim.tv_sec, (loaded.st_mtim.tv_nsec + 1) % 1000000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "data.txt", times, 0), 0);

    EXPECT_EQ(At(Render(page), W - 20, H - 350), kRed);
}

TEST_F(GraphPageTest, EscapeInTheGraphTabLeavesTheProgramOpen)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.show();
    dlg.TabBar()->setCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE)->setFocus();
    QTest::keyClick(Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE), Qt::Key_Escape);
    QTest::keyClick(Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_TRUE(dlg.isVisible());
}
