#pragma once
// Reading the export.xml of an Apple Health export.zip straight out of the archive with
// libzip, never extracting anything to disk. The member read is the one whose root element is
// <HealthData> (the archive also holds export_cda.xml and others).
//
// A hostile archive is refused before or while it is read: a member named with "../" or an
// absolute path, a member whose stated or inflated size passes 4 GiB, or that inflates more
// than 200-fold once past 64 MiB.

#include "csv/HealthExport.h"

#include <cstdint>
#include <string>

enum class HealthZipError
{
    None,
    NotZip,       // libzip cannot open it as an archive
    UnsafeName,   // a member named with "../" or an absolute path
    Bomb,         // a member far larger than an export, as stated or as it inflates
    NoHealthData, // no member with the root element <HealthData>
    ReadFailed,   // a member could not be inflated (damaged, encrypted)
};

inline constexpr std::uint64_t kZipMaxMemberBytes = 4ULL << 30;
inline constexpr std::uint64_t kZipRatioFloorBytes = 64ULL << 20;
inline constexpr std::uint64_t kZipMaxRatio = 200;

// A member of `inflated` bytes so far, stored in `compressed` bytes, is a bomb.
bool IsZipBomb(std::uint64_t inflated, std::uint64_t compressed);

// A member name that would leave the folder it is extracted into.
bool IsUnsafeMemberName(std::string_view name);

struct HealthZipResult
{
    HealthZipError zipError = HealthZipError::None;
    std::string member; // the name of the member read
    HealthReadResult health;
};

HealthZipResult ReadHealthZip(const std::string& path);
