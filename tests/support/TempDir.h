#pragma once
// A fresh empty folder made the current directory for one test, as the program keeps its files
// in the current directory; the previous directory is restored afterwards.

#include <filesystem>
#include <string>

#include <stdlib.h>
#include <unistd.h>

class ScopedDataDir
{
public:
    ScopedDataDir()
    {
        m_previous = std::filesystem::current_path();
        std::string tmpl = (std::filesystem::temp_directory_path() / "velliqa-test-XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
        std::filesystem::current_path(m_path);
    }
    ~ScopedDataDir()
    {
        std::filesystem::current_path(m_previous);
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScopedDataDir(const ScopedDataDir&) = delete;
    ScopedDataDir& operator=(const ScopedDataDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};
