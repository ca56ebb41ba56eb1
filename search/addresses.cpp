#include "search/addresses.h"

#include <cstdlib>

namespace {

Text from_environment(const char* name, const char* fixed) {
    const char* value = std::getenv(name);
    return Text(value != nullptr && *value != '\0' ? value : fixed);
}

}  // namespace

namespace addresses {

Text search_root_in_use() { return from_environment("CHENGLAN_SEARCH_ROOT", search_root); }

Text notice_page_in_use() { return from_environment("CHENGLAN_NOTICE_URL", notice_page); }

}  // namespace addresses
