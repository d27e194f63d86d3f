#pragma once
// Composing a file's new content from its old content and an edit plan (store/EditPlan.h). From
// plain lines (store/LineIndex.h) the content is spliced: one copy per run of old lines, and the
// new line starts follow from the old ones without a search. From bytes of any other kind it is
// composed piece by piece (store/LinePieces.h). Either way a last line without a line end is
// ended before anything is written after it, so that two lines never merge.

#include "store/EditPlan.h"
#include "store/LineIndex.h"
#include "store/LinePieces.h"

#include <memory>
#include <string>
#include <vector>

// The bytes and lines of a file of plain lines, and where they start.
struct PlainSource
{
    const char* bytes = nullptr; // terminators may stand in place of the CRs of line ends
    const LineOffsets* starts = nullptr;
    size_t Count() const { return starts->size() - 1; }
    bool LastLineOpen() const { return Count() > 0 && bytes[starts->back() - 1] != '\n'; }
};

// Whether the new content is plain lines again when spliced from a plain source, so that its
// line starts follow from the source's. Fills the starts of the plan's text segments.
bool CanSplice(const PlainSource& source, std::vector<EditSegment>& plan);

// New content spliced from a plain source: its bytes with CR LF line ends (and room for a
// terminator after them), and its line starts followed by its size.
struct SplicedContent
{
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    LineOffsets starts;
};

// The new content of a plan that CanSplice accepted.
SplicedContent Splice(const PlainSource& source, const std::vector<EditSegment>& plan);

// Writes a terminator over the CR of each line end of spliced content, and after its last line,
// so that it can serve as a cache of the file.
void TerminateLines(SplicedContent& content);

// The new content from the pieces of a file of any kind.
std::string ComposePieces(const std::vector<Piece>& pieces, const std::vector<EditSegment>& plan);
