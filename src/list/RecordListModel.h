#pragma once
// The rows of the measurement list: row r shows line r + 1 of the measurement file, read from
// the file's cache when the view asks for it, so that loading and scrolling cost nothing per
// record. The list page tells the model how its rows change as it edits the file.

#include <QAbstractTableModel>

#include <vector>

class CTextFile;

class CRecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumnCount = 7;

    explicit CRecordListModel(CTextFile& file, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Shows every line the file holds now (after loading it, or after a failed write).
    void ResetFromFile();
    // A record was inserted as line 1.
    void InsertTopRow();
    // The records of the rows (ascending) were deleted; each run of adjacent rows goes at once.
    void RemoveRows(const std::vector<int>& rows);
    // The record of the row was replaced.
    void RowChanged(int row);
    // Drops rows from the end until the list holds as many rows as the file holds lines; a
    // list that holds fewer is shown anew from the file.
    void MatchFile();

    // Pixel widths of the columns; 0 hides a column.
    static int ColumnWidth(int column);

private:
    int FileLineCount() const;
    QString CellText(int row, int column) const;

    CTextFile& m_file;
    int m_nRows = 0;
};
