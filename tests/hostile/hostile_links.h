#pragma once

#include <string>
#include <vector>

// Links a hostile page may put where a magnet link or a download address
// belongs.
namespace hostile {

struct HostileLink {
    std::string name;
    std::string link;
    // Whether the workflow may hand it to the desktop.
    bool is_magnet;
};

inline std::vector<HostileLink> hostile_links() {
    return {
        {"file link", "file:///etc/passwd", false},
        {"script link", "javascript:alert(document.cookie)", false},
        {"shell metacharacters", "$(touch /tmp/x); `id` | rm -rf ~ & > /dev/null", false},
        {"magnet with shell metacharacters", "magnet:?xt=urn:btih:1&dn=$(id);`id`|&>'\"", true},
        {"100 KB magnet", "magnet:?xt=urn:btih:" + std::string(100 * 1024, 'A'), true},
    };
}

}  // namespace hostile
