#pragma once
// What the user is told when a data file cannot be written: the file, the system's own reason
// and the advice that fits that reason.

#include <string>
#include <string_view>

// "<file> に書き込めません（<reason>）。<advice>" in Japanese (UTF-8), for the errno value that
// CTextFile::GetLastError reported. Without a known reason (0) it keeps the general advice to
// check the free disk space and the write permission.
std::string WriteFailureText(std::string_view fileName, int error);
