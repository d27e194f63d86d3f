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

// The path of the data folder of a command or of the window: --data-dir as given, or "." (the
// current folder).
std::string CommandFolderPath(const std::optional<QString>& folder);

// True when the folder given (none is the current folder) is a folder a command or the window
// can work in: one that exists and can be entered. False, with a message on err, when it is not.
bool CheckDataFolder(const std::optional<QString>& folder, std::ostream& err);

// False, with the message told, while a window (or another command) works on the folder.
bool TakeFolder(const CInstanceLock& lock, std::ostream& err);
