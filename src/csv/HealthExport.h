#pragma once
// Reading an Apple Health export.xml, streamed with expat so that memory stays flat however
// large the file is. Each blood-pressure correlation becomes one row of a table the CSV import
// plans like any other file: its start date (with its offset, so the import converts it to
// local time), the systolic and the diastolic value, and the pulse of the nearest heart-rate
// record of the same source that starts within 2 minutes (else 0). The systolic and diastolic
// records that also stand at the top level are not read again.
//
// The internal DTD that real exports start with is accepted, but no entity other than XML's
// predefined five is ever expanded: a file that refers to a declared entity is refused, and so
// is one nested deeper than any export is.

#include "csv/CsvText.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class HealthReadError
{
    None,
    NotHealthData,   // the root element is not <HealthData>
    Malformed,       // not well-formed XML (the expat message and line are kept)
    EntityReference, // refers to an entity the file declares
    TooDeep,         // nested deeper than kHealthMaxDepth
    SourceFailed,    // the bytes could not be read (the caller knows why)
};

inline constexpr int kHealthMaxDepth = 64;

struct HealthReadResult
{
    HealthReadError error = HealthReadError::None;
    int line = 0;       // where the error is
    std::string detail; // expat's message for a malformed file
    // Columns "startDate", "最高血圧", "最低血圧", "脈拍"; one row per blood-pressure
    // correlation, on the line its element starts on.
    CsvTable table;
    int heartRates = 0; // heart-rate records read
};

// Gives up to `size` bytes into `buffer`; 0 at the end, nullopt when reading fails.
using HealthByteSource = std::function<std::optional<std::size_t>(char* buffer, std::size_t size)>;

HealthReadResult ReadHealthExport(const HealthByteSource& source);

// The name of the document's root element, read from the start of an XML document (at most
// `limit` bytes), used to recognise an export by its content rather than its name. The name
// is empty when the start is not XML or has no element; the error says when the document was
// refused (an entity reference, too deep) before its root could be named.
struct XmlRoot
{
    std::string name;
    HealthReadError error = HealthReadError::None;
};
XmlRoot XmlRootElement(const HealthByteSource& source, std::size_t limit);
