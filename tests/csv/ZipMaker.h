#pragma once
// Writes zip archives for the import's tests with libzip: members from bytes in memory.

#include <zip.h>

#include <string>
#include <utility>
#include <vector>

// False when libzip refuses; each member is deflated.
inline bool WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0; // the bytes are read here, while `members` still holds them
}
