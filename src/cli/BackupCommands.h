#pragma once
// The backups on the command line: the list, and a restore. Each works on the data folder it is
// given, tells what it did on standard error and returns the exit status.

#include <QString>

#include <ostream>

class CDataFolder;

// Prints the backups, oldest first, as a tab-separated table with a header line.
int RunListBackups(const CDataFolder& folder, std::ostream& out);

// Restores the named backup, after a backup of the files as they are; refused while a window
// (or another command) works on the folder.
int RunRestoreBackup(const QString& name, const CDataFolder& folder, std::ostream& err);
