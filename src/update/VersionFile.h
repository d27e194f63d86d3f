#pragma once
// The version file and what follows from it: values found by key in its bytes, the version
// comparison, and the updater's arguments. Plain byte logic on code page 932 texts.

#include "config/VelliqaConfig.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The program's own version, as the version file writes versions.
inline constexpr std::string_view kCurrentVersion = kVelliqaVersionCode;

// The separators skipped after a key, and the bytes that end a value (with CR and LF).
inline constexpr std::string_view kValueSeparators = "= \t";
inline constexpr std::string_view kValueTerminators = " \t";

// Finds the first occurrence of key anywhere in text (byte for byte, case-sensitive), skips the
// separators after it and copies the value into field: up to a terminator, CR, LF, the end of
// the text, or size - 2 bytes. False when the key does not occur; field is then left as it was.
bool FindValue(std::string_view key, std::string_view text, std::string& field, std::size_t size,
               std::string_view separators, std::string_view terminators);

// Compares two code page 932 texts unit by unit, a double-byte character counting as one unit
// with its two-byte value; a text ends at its first zero byte. Greater than 0 when a is
// greater, 0 when equal, less than 0 when a is smaller (a prefix is the smaller).
int CompareMbcs(std::string_view a, std::string_view b);

// The values of the version file that the updater receives (code page 932 bytes).
struct UpdateDetails
{
    std::string location;
    std::string size;
    std::string flag;
    std::string delay;
    std::string param;
};

// The updater's seven arguments, in UTF-8: own path, own path, Location, Size, Flag, Delay,
// Param. Each value is one argument as it stands; nothing is quoted or joined, so no value can
// become another argument.
std::vector<std::string> UpdaterArguments(const std::string& ownPathUtf8, const UpdateDetails& details);
