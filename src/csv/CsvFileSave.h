#pragma once
// The one write of an exported CSV file, for the window and the command line: written beside
// the target and renamed over it (QSaveFile), so a failure leaves any old file as it was. The
// file is the user's, not a data file, so it keeps the permissions of the file it replaces.

#include <QString>

#include <optional>
#include <string>

// Writes bytes to path. Returns the reason of a failure, or nothing when the file is written.
std::optional<QString> SaveCsvFile(const QString& path, const std::string& bytes);
