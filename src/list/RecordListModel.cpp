#include "list/RecordListModel.h"

#include "list/CellColours.h"
#include "platform/QtText.h"
#include "record/RecordLine.h"
#include "store/TextFile.h"

#include <QColor>

#include <algorithm>
#include <array>

namespace {

struct ColumnInfo
{
    const char* heading; // UTF-8
    int width;           // pixels
    Qt::Alignment alignment;
};

const std::array<ColumnInfo, CRecordListModel::kColumnCount>& Columns()
{
    static const std::array<ColumnInfo, CRecordListModel::kColumnCount> columns{{
        {"日付", 180, Qt::AlignLeft},
        {"最高血圧", 90, Qt::AlignRight},
        {"最低血圧", 90, Qt::AlignRight},
        {"脈拍", 80, Qt::AlignRight},
        {"不", 0, Qt::AlignRight}, // the irregular-pulse mark, hidden
        {"カ", 0, Qt::AlignRight}, // the type index, hidden
        {"コメント", 100, Qt::AlignLeft},
    }};
    return columns;
}

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// Dates and numbers are plain ASCII; only comments need the code page conversion.
QString CellString(std::string_view cp932)
{
    const bool ascii = std::all_of(cp932.begin(), cp932.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii)
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    return FromCp932(cp932);
}

} // namespace

CRecordListModel::CRecordListModel(CTextFile& file, QObject* parent)
    : QAbstractTableModel(parent), m_file(file)
{
}

int CRecordListModel::ColumnWidth(int column)
{
    return column >= 0 && column < kColumnCount ? Columns()[static_cast<size_t>(column)].width : 0;
}

int CRecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CRecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString CRecordListModel::CellText(int row, int column) const
{
    const char* line = m_file.GetLine(static_cast<unsigned>(row) + 1);
    // Column c shows field c + 1.
    return line ? CellString(RecordFieldText(line, static_cast<RecordField>(column + 1))) : QString();
}

QVariant CRecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_nRows || index.column() >= kColumnCount)
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return CellText(row, column);
    case Qt::ToolTipRole:
        // A comment is often wider than its column.
        return column == kColumnCount - 1 ? QVariant(CellText(row, column)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Columns()[static_cast<size_t>(column)].alignment | Qt::AlignVCenter);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const char* line = m_file.GetLine(static_cast<unsigned>(row) + 1);
        const CellColour colour = CellColours(column, line ? line : "");
        if (colour.system)
            return {}; // the view's own text colour on its own base colour
        return ToQColor(role == Qt::ForegroundRole ? colour.text : colour.background);
    }
    default:
        return {};
    }
}

QVariant CRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const ColumnInfo& info = Columns()[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(info.heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(info.alignment | Qt::AlignVCenter);
    return {};
}

int CRecordListModel::FileLineCount() const
{
    // An empty file never counts as loaded: load it before asking for the count.
    if (!m_file.IsLoaded())
        m_file.LoadCache();
    return static_cast<int>(std::min<unsigned>(m_file.GetLineCount(), 0x7FFFFFFF));
}

void CRecordListModel::ResetFromFile()
{
    beginResetModel();
    m_nRows = FileLineCount();
    endResetModel();
}

void CRecordListModel::InsertTopRow()
{
    beginInsertRows(QModelIndex(), 0, 0);
    ++m_nRows;
    endInsertRows();
}

void CRecordListModel::RemoveRows(const std::vector<int>& rows)
{
    // From the end, so that the rows still to go keep their numbers.
    for (size_t end = rows.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        const int first = rows[begin];
        const int last = rows[end - 1];
        end = begin;
        if (first < 0 || last >= m_nRows)
            continue;
        beginRemoveRows(QModelIndex(), first, last);
        m_nRows -= last - first + 1;
        endRemoveRows();
    }
}

void CRecordListModel::RowChanged(int row)
{
    if (row >= 0 && row < m_nRows)
        Q_EMIT dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

void CRecordListModel::MatchFile()
{
    const int lines = FileLineCount();
    if (lines > m_nRows) {
        ResetFromFile();
        return;
    }
    if (lines < m_nRows) {
        beginRemoveRows(QModelIndex(), lines, m_nRows - 1);
        m_nRows = lines;
        endRemoveRows();
    }
}
