#pragma once
// The graph tab: the latest measurements as a line graph, redrawn from the measurement file
// whenever the page paints and whenever another type is chosen. The type selector follows the
// folder's type names, keeping its entry. The page writes no file.

#include "platform/Dialog.h"
#include "store/TextFile.h"

class CGraphSurface;
class QComboBox;
class QPainter;

class CDataFolder;

class CGraphPage : public CPage
{
    Q_OBJECT
public:
    // The page over the data folder's records and type names.
    CGraphPage(IModalSeam& seam, CDataFolder& folder);

    bool OnInitDialog() override;

    // Draws the graph of the file as it is now on a surface of W x H pixels: reloads the
    // measurement file when it changed since the last load, then performs PlotGraph.
    void DrawGraph(QPainter& dc, int W, int H);
    // The type list's selection changed: the surface is drawn again at once.
    void OnSelchangeGraphType();

private:
    void ReloadDataFile();

    CDataFolder& m_folder;
    CTextFile m_dataFile;
    FileStamp m_dataFileStamp;              // the measurement file as it was at the last load
    QComboBox* m_comboGraphType = nullptr;  // control 1010
    CGraphSurface* m_staticGraph = nullptr; // lies over the frame of control 1032
};
