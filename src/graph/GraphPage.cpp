#include "graph/GraphPage.h"

#include "folder/DataFolder.h"
#include "graph/GraphSurface.h"
#include "graph/PlotGraph.h"
#include "platform/ComboEntries.h"
#include "platform/DynamicLayout.h"
#include "platform/QtText.h"
#include "res/Templates.h"
#include "store/DataFiles.h"

#include <QComboBox>
#include <QFrame>
#include <QPainter>

CGraphPage::CGraphPage(IModalSeam& seam, CDataFolder& folder) : CPage(GraphTemplate(), seam), m_folder(folder)
{
    // Enter and Escape inside the graph tab do nothing, as on the other pages, so that
    // Escape in the type list does not close the program.
    SwallowEnterAndEscape(true);

    m_comboGraphType = Get<QComboBox>(GraphIds::IDC_GRAPH_TYPE);

    // The surface covers the frame control; the frame draws the black ring of outer pixels,
    // the surface everything inside it.
    auto* frame = Get<QFrame>(GraphIds::IDC_GRAPH);
    QPalette black = frame->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(black);
    m_staticGraph = new CGraphSurface(frame);
    m_staticGraph->setGeometry(0, 0, frame->width(), frame->height());
    CDynamicLayout::Of(*frame).AddItem(*m_staticGraph, kSizeX | kSizeY);
    m_staticGraph->setAccessibleName(QStringLiteral("グラフ"));
    m_staticGraph->SetPainter([this](QPainter& dc, int W, int H) { DrawGraph(dc, W, H); });

    connect(m_comboGraphType, &QComboBox::currentIndexChanged, this, [this] { OnSelchangeGraphType(); });
    // Renamed types show in the selector at once; the graph keeps the entry it draws.
    connect(&m_folder, &CDataFolder::TypesChanged, this, [this] {
        RefillKeepingEntry(*m_comboGraphType, FromCp932Lines(m_folder.TypeNames()));
        m_staticGraph->update();
    });
    // Records rewritten elsewhere (an import, a restore, an undo) are read at the next draw.
    connect(&m_folder, &CDataFolder::RecordsChanged, this, [this] {
        m_dataFileStamp = {};
        m_staticGraph->update();
    });
}

bool CGraphPage::OnInitDialog()
{
    CPage::OnInitDialog();

    // The lines are read when the graph is first drawn, not while the program starts with
    // this page hidden: the stamp is still empty then, so the first draw loads the file.
    m_dataFile.SetPath(m_folder.FilePath(kDataFileName));

    m_comboGraphType->addItems(FromCp932Lines(m_folder.TypeNames()));
    m_comboGraphType->setCurrentIndex(m_comboGraphType->count() > 0 ? 0 : -1);
    return true;
}

void CGraphPage::ReloadDataFile()
{
    // The stamp is taken before the lines are read: a change that lands in between shows as a
    // different stamp at the next draw and is read then.
    m_dataFileStamp = m_dataFile.GetFileStamp();
    m_dataFile.Reload();
}

void CGraphPage::DrawGraph(QPainter& dc, int W, int H)
{
    // Every change the list page makes is seen, even several within one second: the stamp
    // holds the modification time in nanoseconds, the size and the file's identity.
    if (m_dataFile.GetFileStamp() != m_dataFileStamp)
        ReloadDataFile();
    if (!m_dataFile.IsLoaded())
        m_dataFile.LoadCache();

    const std::vector<GraphRecord> records = ReadGraphRecords(m_dataFile, static_cast<long long>(W) - 40);
    const int sel = m_comboGraphType->currentIndex();
    PerformGraphOps(dc, W, H, PlotGraph(W, H, records, sel));
}

void CGraphPage::OnSelchangeGraphType()
{
    m_staticGraph->repaint();
}
