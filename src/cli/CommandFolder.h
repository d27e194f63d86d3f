#pragma once
// What every command that reads or writes the data folder shares: checking the folder it is
// given, its lock, and telling the user on standard error.

#include "platform/InstanceLock.h"

#include <QString>

#include <optional>
#include <ostream>
#include <string>

// Writes the message and a line end.
void Tell(std::ostream& err, const QString& text);

// Makes the data folder (--data-dir) the current folder, for the window; no folder keeps the
// current one. False, with a message on err, when it cannot.
bool EnterDataFolder(const std::optional<QString>& folder, std::ostream& err);

// The path of a command's data folder: --data-dir as given, or "." (the current folder).
std::string CommandFolderPath(const std::optional<QString>& folder);

// True when the folder given (none is the current folder) is a folder a command can work in:
// one that exists and can be entered. False, with a message on err, when it is not.
bool CheckDataFolder(const std::optional<QString>& folder, std::ostream& err);

// False, with the message told, while a window (or another command) works on the folder.
bool TakeFolder(const CInstanceLock& lock, std::ostream& err);
