#pragma once
// "ファイルの読み込み": the preview of an import, before anything is written. It shows the
// column each field is read from (the user may choose another), the order of ambiguous dates,
// the counts, the columns nothing reads, the first rows as they will be stored and the rows that cannot be
// read. Every choice plans the import again; OK is offered only for a plan that stores something.

#include "csv/CsvImport.h"
#include "platform/Dialog.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QStandardItemModel;

class CCsvPreviewDlg : public CDialog
{
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 100;
    // Plans the import through a map and a date order; nothing when the user cancelled it.
    using Planner = std::function<std::optional<CsvImportPlan>(const CsvColumnMap&, CsvDateOrder)>;

    CCsvPreviewDlg(IModalSeam& seam, const QString& fileName, std::vector<std::string> header,
                   std::vector<std::string> typeLines, const CsvColumnMap& map, CsvImportPlan plan,
                   Planner planner, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override;

    // The user's choices; each plans the import again.
    void OnColumnChanged(CsvField field, int entry); // entry 0: no column, entry k: column k - 1
    void OnDateOrderChanged(int entry);              // entries in the order of CsvDateOrder

    const CsvImportPlan& Plan() const { return m_plan; }
    const CsvColumnMap& Map() const { return m_map; }
    // What the plan still needs before it can be imported; empty when OK may be pressed.
    QString Obstacle() const;

private:
    QComboBox* ColumnCombo(CsvField field) const;
    void Replan();
    void ShowChoices();
    void ShowPlan();
    void ShowRows();

    std::vector<std::string> m_header;    // UTF-8
    std::vector<std::string> m_typeLines; // code page 932
    CsvColumnMap m_map;
    CsvDateOrder m_dateOrder = CsvDateOrder::Auto;
    CsvColumnMap m_plannedMap; // the choices the plan shown was made with
    CsvDateOrder m_plannedOrder = CsvDateOrder::Auto;
    CsvImportPlan m_plan;
    Planner m_planner;
    QComboBox* m_comboDateOrder = nullptr;
    QLabel* m_staticCounts = nullptr;
    QLabel* m_staticUnused = nullptr;
    QListWidget* m_listRefusals = nullptr;
    QStandardItemModel* m_rows = nullptr; // owned by this dialog as its Qt child
};
