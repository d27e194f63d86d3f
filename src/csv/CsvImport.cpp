#include "csv/CsvImport.h"

#include "csv/FlagWords.h"
#include "platform/Cp932.h"
#include "platform/Cp932Encoder.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"

#include <algorithm>
#include <climits>

namespace {

// How often the progress callback hears of the rows.
constexpr size_t kProgressStep = 4096;

std::string_view TrimmedCell(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string_view Cell(const CsvRow& row, int column)
{
    if (column < 0 || static_cast<size_t>(column) >= row.cells.size())
        return {};
    return row.cells[static_cast<size_t>(column)];
}

// The code page 932 text cut to at most maxBytes, never inside a double-byte character.
std::string_view CutToCharacters(std::string_view text, size_t maxBytes)
{
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + (IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > maxBytes)
            break;
        end = std::min(next, text.size());
    }
    return text.substr(0, end);
}

// What identifies a duplicate: the date-time as a value and the three numbers.
struct DuplicateKey
{
    long long dateTime;
    std::uint32_t max, min, pulse;
    friend bool operator==(const DuplicateKey&, const DuplicateKey&) = default;
};

// The duplicate keys seen so far, in one flat open-addressed table: a node per key would cost
// an allocation and a cache miss for every row.
class CDuplicateSet
{
public:
    explicit CDuplicateSet(size_t capacity)
    {
        size_t size = 16;
        while (size < capacity * 2)
            size *= 2;
        m_slots.assign(size, {kEmpty, 0, 0, 0});
    }

    // False when the key was there already.
    bool Insert(const DuplicateKey& key)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            Grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
            if (m_slots[i] == key)
                return false;
            if (m_slots[i].dateTime == kEmpty) {
                m_slots[i] = key;
                ++m_count;
                return true;
            }
        }
    }

private:
    static constexpr long long kEmpty = LLONG_MIN; // no date key is negative

    static std::uint64_t Mix(std::uint64_t x)
    {
        x ^= x >> 30;
        x *= 0xBF58476D1CE4E5B9ULL;
        x ^= x >> 27;
        x *= 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    }

    static size_t Hash(const DuplicateKey& k)
    {
        const std::uint64_t numbers = (static_cast<std::uint64_t>(k.max) << 32 | k.min) ^ Mix(k.pulse);
        return static_cast<size_t>(Mix(static_cast<std::uint64_t>(k.dateTime) ^ Mix(numbers)));
    }

    void Grow()
    {
        std::vector<DuplicateKey> old = std::move(m_slots);
        m_slots.assign(old.size() * 2, {kEmpty, 0, 0, 0});
        m_count = 0;
        for (const DuplicateKey& key : old) {
            if (key.dateTime != kEmpty)
                Insert(key);
        }
    }

    std::vector<DuplicateKey> m_slots;
    size_t m_count = 0;
};

// The records in file order, kept in blocks that know their oldest date-time, so that the
// first record older than a new one is found without walking the whole file.
class CRecordOrder
{
public:
    explicit CRecordOrder(const std::vector<long long>& keys) : m_keys(keys) {}

    void Append(std::uint32_t item)
    {
        if (m_blocks.empty() || m_blocks.back().items.size() >= kBlockSize)
            m_blocks.push_back({{}, LLONG_MAX});
        Add(m_blocks.size() - 1, m_blocks.back().items.size(), item);
    }

    // Before the first record older than the item, or last when none is.
    void Place(std::uint32_t item)
    {
        const long long key = m_keys[item];
        for (size_t b = 0; b < m_blocks.size(); ++b) {
            if (m_blocks[b].oldest >= key)
                continue;
            const std::vector<std::uint32_t>& items = m_blocks[b].items;
            const auto older =
                std::find_if(items.begin(), items.end(), [&](std::uint32_t i) { return m_keys[i] < key; });
            Add(b, static_cast<size_t>(older - items.begin()), item);
            return;
        }
        if (m_blocks.empty())
            m_blocks.push_back({{}, LLONG_MAX});
        Add(m_blocks.size() - 1, m_blocks.back().items.size(), item);
    }

    std::vector<std::uint32_t> Items() const
    {
        std::vector<std::uint32_t> all;
        for (const Block& block : m_blocks)
            all.insert(all.end(), block.items.begin(), block.items.end());
        return all;
    }

private:
    static constexpr size_t kBlockSize = 256;

    struct Block
    {
        std::vector<std::uint32_t> items;
        long long oldest; // the smallest key in the block
    };

    void Add(size_t b, size_t at, std::uint32_t item)
    {
        Block& block = m_blocks[b];
        block.items.insert(block.items.begin() + static_cast<long>(at), item);
        block.oldest = std::min(block.oldest, m_keys[item]);
        if (block.items.size() < 2 * kBlockSize)
            return;
        Block second{{block.items.begin() + kBlockSize, block.items.end()}, LLONG_MAX};
        block.items.resize(kBlockSize);
        block.oldest = OldestOf(block);
        second.oldest = OldestOf(second);
        m_blocks.insert(m_blocks.begin() + static_cast<long>(b) + 1, std::move(second));
    }

    long long OldestOf(const Block& block) const
    {
        long long oldest = LLONG_MAX;
        for (const std::uint32_t i : block.items)
            oldest = std::min(oldest, m_keys[i]);
        return oldest;
    }

    const std::vector<long long>& m_keys;
    std::vector<Block> m_blocks;
};

// Reads the cells of one row into a measurement, or says why it cannot.
class CRowReader
{
public:
    CRowReader(const CsvColumnMap& map, CsvDateOrder order, const std::vector<std::string>& typeLines,
               const CsvImportOptions& options)
        : m_map(map), m_order(order), m_options(options)
    {
        for (const std::string& line : typeLines)
            m_typeNames.push_back(Utf8FromCp932(line));
    }

    struct Read
    {
        bool ok = false;
        CsvRefusal refusal;
        Moment dateTime;
        bool zoned = false; // the date cell gave the moment: no zone cell applies
        MEASUREMENT record;
        bool changed = false;
        bool unknownFlag = false;
    };

    // A row with neither pressure holds something else (a heart rate, a weight).
    bool IsBloodPressure(const CsvRow& row) const
    {
        return !TrimmedCell(Cell(row, m_map[CsvField::Systolic])).empty() ||
               !TrimmedCell(Cell(row, m_map[CsvField::Diastolic])).empty();
    }

    Read ReadRow(const CsvRow& row)
    {
        Read read;
        read.refusal.line = row.line;
        if (!ReadDateTime(row, read) || !ReadZone(row, read) || !ReadNumbers(row, read))
            return read;
        const CsvFlag flag = ReadCsvFlag(Cell(row, m_map[CsvField::Ihb]));
        read.record.ihb = flag == CsvFlag::Set ? 1 : 0;
        read.unknownFlag = m_map.Has(CsvField::Ihb) && flag == CsvFlag::Unknown;
        read.record.type = TypeIndex(Cell(row, m_map[CsvField::Type]));
        read.record.comment = Comment(Cell(row, m_map[CsvField::Comment]), read.changed);
        read.ok = true;
        return read;
    }

private:
    CsvField DateField() const { return m_map.Has(CsvField::DateTime) ? CsvField::DateTime : CsvField::Date; }

    static bool Refuse(Read& read, CsvRefusalReason reason, CsvField field, std::string_view cell)
    {
        read.refusal.reason = reason;
        read.refusal.field = field;
        read.refusal.cell = std::string(cell);
        return false;
    }

    bool ReadDateTime(const CsvRow& row, Read& read) const
    {
        const CsvField dateField = DateField();
        const std::string_view date = Cell(row, m_map[dateField]);
        const std::string_view time = Cell(row, m_map[CsvField::Time]);
        const CsvDateRead result = ReadCsvDateTime(date, time, m_order);
        if (!result.value) {
            const bool timeCell =
                result.reason == CsvRefusalReason::UnreadableTime && !TrimmedCell(time).empty();
            return Refuse(read, result.reason, timeCell ? CsvField::Time : dateField, timeCell ? time : date);
        }
        read.dateTime = *result.value;
        read.zoned = result.zoned;
        return true;
    }

    // The zone cell places the wall time read so far; a date cell that gave the moment itself
    // (a zone of its own, Unix time) is already local.
    bool ReadZone(const CsvRow& row, Read& read) const
    {
        const std::string_view cell = TrimmedCell(Cell(row, m_map[CsvField::Zone]));
        std::optional<Moment> local = read.dateTime;
        if (!cell.empty() && !read.zoned) {
            if (const std::optional<int> offset = ParseZoneOffset(cell))
                local = LocalFromOffset(read.dateTime, *offset);
            else
                local = m_options.zoneNames ? m_options.zoneNames(cell, read.dateTime) : std::nullopt;
        }
        if (!local)
            return Refuse(read, CsvRefusalReason::UnknownZone, CsvField::Zone, cell);
        read.dateTime = *local;
        read.record.dateTime = local->Text();
        return true;
    }

    bool ReadNumbers(const CsvRow& row, Read& read) const
    {
        for (const CsvField field : {CsvField::Systolic, CsvField::Diastolic, CsvField::Pulse}) {
            const std::string_view cell = Cell(row, m_map[field]);
            std::uint32_t value = 0;
            if (TrimmedCell(cell).empty()) {
                if (field != CsvField::Pulse) // a missing pulse is 0
                    return Refuse(read, CsvRefusalReason::EmptyNumber, field, cell);
            } else if (!ReadCsvNumber(cell, value)) {
                return Refuse(read, CsvRefusalReason::NotANumber, field, cell);
            }
            (field == CsvField::Systolic    ? read.record.max
             : field == CsvField::Diastolic ? read.record.min
                                            : read.record.pulse) = value;
        }
        return true;
    }

    // The first type of that name; the cell as it is first, so that a name with blanks around
    // it comes back to its own type, then without the blanks.
    int TypeIndex(std::string_view cell) const
    {
        for (const std::string_view name : {cell, TrimmedCell(cell)}) {
            if (name.empty())
                return 0;
            const auto found = std::find(m_typeNames.begin(), m_typeNames.end(), name);
            if (found != m_typeNames.end())
                return static_cast<int>(found - m_typeNames.begin());
        }
        return 0;
    }

    // The comment as the entry dialog stores one: in code page 932, commas full-width, line
    // breaks as blanks, cut to its limit on a character boundary.
    // Other control characters (a NUL would end the line when it is read back) become blanks.
    std::string Comment(std::string_view cell, bool& changed)
    {
        std::string text(cell);
        bool controls = false;
        for (char& c : text) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') {
                c = ' ';
                controls = true;
            }
        }
        CCp932Encoder::Result encoded = m_encoder.Encode(text);
        std::string stored = StorableComment(encoded.text);
        const std::string_view cut = CutToCharacters(stored, static_cast<size_t>(kCommentMaxBytes));
        changed = controls || encoded.replaced || cut.size() < stored.size();
        stored.resize(cut.size());
        return stored;
    }

    const CsvColumnMap& m_map;
    CsvDateOrder m_order;
    const CsvImportOptions& m_options;
    std::vector<std::string> m_typeNames; // UTF-8
    CCp932Encoder m_encoder;
};

bool IsEmptyRow(const CsvRow& row)
{
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& c) { return TrimmedCell(c).empty(); });
}

CsvDateOrder DecideDateOrder(const CsvTable& table, const CsvColumnMap& map, CsvDateOrder requested)
{
    if (requested != CsvDateOrder::Auto)
        return requested;
    const int column = map.Has(CsvField::DateTime) ? map[CsvField::DateTime] : map[CsvField::Date];
    std::vector<std::string_view> cells;
    cells.reserve(table.rows.size());
    for (const CsvRow& row : table.rows)
        cells.push_back(Cell(row, column));
    return DetectDateOrder(cells);
}

// The columns that no field reads and that hold a value in some row.
std::vector<int> UnusedColumns(const CsvTable& table, const CsvColumnMap& map)
{
    size_t width = table.header.size();
    for (const CsvRow& row : table.rows)
        width = std::max(width, row.cells.size());
    std::vector<bool> used(width, false);
    for (const int column : map.columns) {
        if (column >= 0 && static_cast<size_t>(column) < width)
            used[static_cast<size_t>(column)] = true;
    }
    std::vector<bool> filled(width, false);
    for (const CsvRow& row : table.rows) {
        for (size_t c = 0; c < row.cells.size(); ++c)
            filled[c] = filled[c] || !TrimmedCell(row.cells[c]).empty();
    }
    std::vector<int> unused;
    for (size_t c = 0; c < width; ++c) {
        if (filled[c] && !used[c])
            unused.push_back(static_cast<int>(c));
    }
    return unused;
}

} // namespace

bool ReadCsvNumber(std::string_view cell, std::uint32_t& value)
{
    std::string_view text = TrimmedCell(cell);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    const size_t point = text.find('.');
    const std::string_view digits = text.substr(0, point);
    if (point != std::string_view::npos &&
        text.substr(point + 1).find_first_not_of('0') != std::string_view::npos)
        return false; // a fraction that is not zero
    if (digits.empty() || digits.size() > 10 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    long long number = 0;
    for (const char c : digits)
        number = number * 10 + (c - '0');
    number = negative ? -number : number;
    if (number < INT32_MIN || number > UINT32_MAX)
        return false;
    value = static_cast<std::uint32_t>(number);
    return true;
}

int ReadCsvIhb(std::string_view cell)
{
    return ReadCsvFlag(cell) == CsvFlag::Set ? 1 : 0;
}

std::string UnusedColumnsText(const std::vector<std::string>& header, const std::vector<int>& columns,
                              Language language)
{
    if (columns.empty())
        return {};
    std::string text = language == Language::Japanese ? "使われない列: " : "columns not imported: ";
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto column = static_cast<size_t>(columns[i]);
        text += (i > 0 ? ", " : "") + (column < header.size() ? header[column] : std::to_string(column + 1));
    }
    return text;
}

CsvImportPlan PlanCsvImport(const CsvTable& table, const CsvColumnMap& map,
                            const std::vector<std::string>& dataLines,
                            const std::vector<std::string>& typeLines, const CsvImportOptions& options)
{
    CsvImportPlan plan;
    plan.missingFields = MissingCsvFields(map);
    if (!plan.missingFields.empty())
        return plan;
    plan.dateOrder = DecideDateOrder(table, map, options.dateOrder);

    // Keys of every record: the stored ones first, then the new ones as they are found.
    std::vector<long long> keys;
    keys.reserve(dataLines.size() + table.rows.size());
    CDuplicateSet seen(dataLines.size() + table.rows.size());
    for (const std::string& line : dataLines) {
        const MEASUREMENT stored = ParseRecordLine(line);
        const std::optional<Moment> when = ReadMoment(stored.dateTime);
        keys.push_back(when ? when->Key() : LLONG_MAX); // an unreadable date is never older
        if (when)
            seen.Insert({when->Key(), stored.max, stored.min, stored.pulse});
    }

    CRecordOrder order(keys);
    for (std::uint32_t i = 0; i < dataLines.size(); ++i)
        order.Append(i);
    std::vector<std::string> newLines;
    plan.unusedColumns = UnusedColumns(table, map);
    CRowReader reader(map, plan.dateOrder, typeLines, options);
    plan.rows.reserve(table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r) {
        if (options.progress && r % kProgressStep == 0 && !options.progress(r, table.rows.size())) {
            plan.cancelled = true;
            return plan;
        }
        const CsvRow& row = table.rows[r];
        if (IsEmptyRow(row))
            continue;
        if (!reader.IsBloodPressure(row)) {
            plan.rows.push_back({row.line, CsvRowOutcome::NotBloodPressure, false, {}});
            ++plan.notBloodPressureCount;
            continue;
        }
        CRowReader::Read read = reader.ReadRow(row);
        plan.unknownFlagCount += read.ok && read.unknownFlag;
        CsvPlannedRow planned{row.line, CsvRowOutcome::Refused, read.changed, std::move(read.record)};
        if (!read.ok) {
            planned.record = {};
            plan.dateOrderNeeded =
                plan.dateOrderNeeded || read.refusal.reason == CsvRefusalReason::AmbiguousDate;
            plan.refusals.push_back(std::move(read.refusal));
            ++plan.refusedCount;
        } else if (!seen.Insert(
                       {read.dateTime.Key(), planned.record.max, planned.record.min, planned.record.pulse})) {
            planned.outcome = CsvRowOutcome::Duplicate;
            ++plan.duplicateCount;
        } else {
            planned.outcome = CsvRowOutcome::New;
            ++plan.newCount;
            plan.changedCount += planned.changed;
            keys.push_back(read.dateTime.Key());
            newLines.push_back(FormatRecordLine(planned.record));
            order.Place(static_cast<std::uint32_t>(keys.size() - 1));
        }
        plan.rows.push_back(std::move(planned));
    }
    if (options.progress)
        options.progress(table.rows.size(), table.rows.size());

    plan.lines.reserve(keys.size());
    for (const std::uint32_t item : order.Items()) {
        if (item < dataLines.size())
            plan.lines.push_back(dataLines[item]);
        else
            plan.lines.push_back(std::move(newLines[item - dataLines.size()]));
    }
    plan.limitToFit = static_cast<long long>(plan.lines.size());
    plan.exceedsLimit = options.recordLimit > 0 && plan.newCount > 0 && plan.limitToFit > options.recordLimit;
    return plan;
}
