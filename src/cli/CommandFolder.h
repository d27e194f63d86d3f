#pragma once
// What every command that reads or writes the data folder shares: entering the folder, its
// lock, and telling the user on standard error.

#include "platform/InstanceLock.h"

#include <QString>

#include <optional>
#include <ostream>

// Writes the message and a line end.
void Tell(std::ostream& err, const QString& text);

// Makes the data folder (--data-dir) the current folder, where the data files, their temporary
// file and the folder's lock live; no folder keeps the current one. False, with a message on
// err, when it cannot.
bool EnterDataFolder(const std::optional<QString>& folder, std::ostream& err);

// False, with the message told, while a window (or another command) works on the folder.
bool TakeFolder(const CInstanceLock& lock, std::ostream& err);
