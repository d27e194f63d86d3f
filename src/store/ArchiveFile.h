#pragma once
// archive.txt in the data folder: the readings that the record limit removed from data.txt, in
// the record line format, code page 932, CR LF, oldest first. It only grows: it is appended to,
// never rewritten, trimmed or replaced.
//
// A reading leaves data.txt only after it has been appended here and the append is durable, so
// that a crash at any moment leaves it in data.txt, in archive.txt or in both. A reading standing
// in both files (the same bytes) is one reading.

#include <string>
#include <string_view>
#include <vector>

class CTextFile;

inline constexpr const char* kArchiveFileName = "archive.txt";

// Appends the lines (code page 932, without line ends), each ended by CR LF, and makes them
// durable (fsync of the file, and of its folder when the append created it). A last line without
// its CR LF is what an interrupted append left: it is cut off first, so that the new lines start
// on a line of their own (the readings it held are still in data.txt, which changes only after a
// whole append). A failed append leaves the file as it was. Returns 0, or the system's reason.
int AppendArchiveLines(const std::string& path, const std::vector<std::string>& lines);

// The whole lines of the archive file, oldest first, without line ends; a last line without its
// CR LF is left out. None when the file is missing or cannot be read.
std::vector<std::string> ReadArchiveLines(const std::string& path);

// The readings of both files, newest first: the lines of data.txt in order, then those of the
// archive not standing in data.txt, newest first. A line in both counts once.
std::vector<std::string> MergeArchivedLines(const std::vector<std::string>& dataLines,
                                            const std::vector<std::string>& archiveLines);

// Every reading kept in the data folder ("." is the current directory): data.txt and
// archive.txt merged as above. The pages, reports and exports that show a range of days call
// this.
std::vector<std::string> ReadAllRecordLines(std::string_view folder);

// The outcome of an addition to data.txt under the record limit.
struct LimitedInsertResult
{
    bool done = false;
    std::string failedFile;            // the file that could not be written when not done
    int error = 0;                     // the system's reason, 0 when unknown
    std::vector<std::string> archived; // the lines the limit moved to the archive, oldest first
};

// Makes text line 1 of data (the measurement file bound to the cache), keeping at most max lines
// (a max of 0 or less keeps all). The lines the limit removes are first appended to the archive
// at archivePath; when that fails, data.txt is not touched.
LimitedInsertResult InsertLineArchiving(CTextFile& data, const std::string& archivePath,
                                        std::string_view text, int max);
