#include "res/Templates.h"

const DlgTemplate& GraphTemplate()
{
    static const DlgTemplate t{
        GraphIds::IDD,
        "",
        280,
        200,
        {
            {GraphIds::IDC_GRAPH, CtlKind::Frame, "", 7, 7, 260, 170, kCtlNoTabStop | kCtlSizeX | kCtlSizeY},
            {-1, CtlKind::Static, "表示する種類", 7, 181, 45, 8, kCtlMoveY, GraphIds::IDC_GRAPH_TYPE},
            {GraphIds::IDC_GRAPH_TYPE, CtlKind::ComboBox, "", 60, 181, 66, 54, kCtlMoveY},
        }};
    return t;
}
