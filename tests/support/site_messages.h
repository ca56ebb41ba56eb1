#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "test_site.h"

namespace test_site::detail {

// The largest request head the site accepts; a longer one ends the connection.
constexpr std::size_t max_head = 1 << 20;

// Takes the first complete request off the front of `buffer`; nothing while
// its head or body has not fully arrived.
[[nodiscard]] std::optional<Request> take_request(std::string& buffer);

// The status line, the reply's header lines, the Content-Length line when
// asked for, and the empty line.
[[nodiscard]] std::string reply_head(const Reply& reply);

}  // namespace test_site::detail
