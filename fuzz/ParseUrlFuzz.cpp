// URLs of arbitrary bytes through the splitting into host, path and port: the parts never exceed
// their limits, a host never holds a port or a path, and a URL written back from the parts
// splits into the same parts.
#include "FuzzCheck.h"

#include "update/HttpDownloader.h"

#include <climits>
#include <string>

namespace {

void CheckParts(std::string_view url)
{
    std::string host = "previous host";
    std::string path;
    int port = -1;
    if (!CHttpDownloader::ParseUrl(url, host, path, port)) {
        Require(url.size() > 255, "a URL of fewer than 256 bytes was refused");
        Require(host == "previous host", "a refused URL changed the host");
        return;
    }
    Require(host.size() <= 255, "a host longer than 255 bytes");
    Require(path.size() <= 1023, "a path longer than 1023 bytes");
    Require(path.empty() || path[0] == '/', "a path that does not start at its slash");
    Require(host.find_first_of(":/") == std::string::npos, "a host holding a port or a path");
    Require(port >= 0, "a negative port");
    Require(host.size() + path.size() <= url.size(), "parts longer than their URL");
    Require(url.find(host) != std::string_view::npos && url.ends_with(path),
            "parts that are not in their URL");

    const std::string again = "http://" + host + ":" + std::to_string(port) + path;
    std::string host2, path2;
    int port2 = 0;
    Require(CHttpDownloader::ParseUrl(again, host2, path2, port2), "the parts written back are refused");
    Require(host2 == host && path2 == path && port2 == port, "the parts written back split differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    CheckParts(url);
    CheckParts(std::string("http://") + std::string(url));
    return 0;
}
