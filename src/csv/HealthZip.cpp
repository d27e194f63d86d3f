#include "csv/HealthZip.h"

#include <zip.h>

#include <memory>

namespace {

struct ArchiveCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;
using MemberPtr = std::unique_ptr<zip_file_t, MemberCloser>;

// Enough of a member to reach its root element past the DTD an export starts with.
constexpr std::size_t kRootSniffBytes = 1 << 20;

// Reads one member, stopping as a bomb when it inflates past the limits.
class CMemberSource
{
public:
    CMemberSource(zip_t* archive, zip_uint64_t index, std::uint64_t compressed)
        : m_file(zip_fopen_index(archive, index, 0)), m_compressed(compressed)
    {
    }

    bool IsOpen() const { return m_file != nullptr; }
    bool IsBomb() const { return m_bomb; }

    std::optional<std::size_t> Read(char* buffer, std::size_t size)
    {
        const zip_int64_t got = zip_fread(m_file.get(), buffer, size);
        if (got < 0)
            return std::nullopt;
        m_inflated += static_cast<std::uint64_t>(got);
        if (IsZipBomb(m_inflated, m_compressed)) {
            m_bomb = true;
            return std::nullopt;
        }
        return static_cast<std::size_t>(got);
    }

private:
    MemberPtr m_file;
    std::uint64_t m_compressed;
    std::uint64_t m_inflated = 0;
    bool m_bomb = false;
};

// Checks every member's name and stated sizes before anything is inflated.
HealthZipError CheckMembers(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0)
            return HealthZipError::ReadFailed;
        if ((stat.valid & ZIP_STAT_NAME) && IsUnsafeMemberName(stat.name))
            return HealthZipError::UnsafeName;
        if ((stat.valid & ZIP_STAT_SIZE) && (stat.valid & ZIP_STAT_COMP_SIZE) &&
            IsZipBomb(stat.size, stat.comp_size))
            return HealthZipError::Bomb;
    }
    return HealthZipError::None;
}

} // namespace

bool IsZipBomb(std::uint64_t inflated, std::uint64_t compressed)
{
    if (inflated > kZipMaxMemberBytes)
        return true;
    return inflated > kZipRatioFloorBytes && inflated / kZipMaxRatio > compressed;
}

bool IsUnsafeMemberName(std::string_view name)
{
    if (name.starts_with('/') || name.starts_with('\\') || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end - start) == "..")
            return true;
        if (end == std::string_view::npos)
            return false;
        start = end + 1;
    }
}

HealthZipResult ReadHealthZip(const std::string& path)
{
    HealthZipResult result;
    int error = 0;
    const ArchivePtr archive(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        result.zipError = HealthZipError::NotZip;
        return result;
    }
    if ((result.zipError = CheckMembers(archive.get())) != HealthZipError::None)
        return result;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        zip_stat_index(archive.get(), index, 0, &stat);
        const std::string name = (stat.valid & ZIP_STAT_NAME) ? stat.name : "";
        if (name.empty() || name.ends_with('/'))
            continue;
        CMemberSource sniff(archive.get(), index, stat.comp_size);
        if (!sniff.IsOpen())
            continue;
        const XmlRoot root =
            XmlRootElement([&](char* b, std::size_t n) { return sniff.Read(b, n); }, kRootSniffBytes);
        if (sniff.IsBomb()) {
            result.zipError = HealthZipError::Bomb;
            return result;
        }
        if (root.error != HealthReadError::None) {
            result.health.error = root.error;
            return result;
        }
        if (root.name != "HealthData")
            continue;
        CMemberSource member(archive.get(), index, stat.comp_size);
        if (!member.IsOpen()) {
            result.zipError = HealthZipError::ReadFailed;
            return result;
        }
        result.member = name;
        result.health = ReadHealthExport([&](char* b, std::size_t n) { return member.Read(b, n); });
        if (member.IsBomb())
            result.zipError = HealthZipError::Bomb;
        else if (result.health.error == HealthReadError::SourceFailed)
            result.zipError = HealthZipError::ReadFailed;
        return result;
    }
    result.zipError = HealthZipError::NoHealthData;
    return result;
}
