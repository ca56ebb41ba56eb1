#pragma once

#include <cstdint>

#include "text/text.h"

// The pieces of an address that a connection needs, taken with plain text
// operations: no percent-decoding, no validation, nothing is rejected.
//
// An address starts with a scheme when it begins with a letter, then letters,
// digits, "+", "-" or ".", then "://"; without one it is read as plain http.
// The authority is the text after the scheme up to the first "/", "?" or "#";
// a "user:password@" part ends at its last "@".

// The host, lower-cased (ASCII letters only); with `keep_port` the ":" and
// port written after it stay.
[[nodiscard]] Text url_host(const Text& url, bool keep_port = false);

// The number after the last ":" of the host and port (0 when no digits follow
// it), else 443 for a secure address, else 80.
[[nodiscard]] std::int32_t url_port(const Text& url);

// From the "/" after the host and port to the end, query and fragment kept;
// "/" and the query when a "?" follows the host at once; "/" when nothing or
// only a fragment follows it.
[[nodiscard]] Text url_path(const Text& url);

// The user name and the password of a "user:password@" part, as written.
[[nodiscard]] Text url_user(const Text& url);
[[nodiscard]] Text url_password(const Text& url);

// The first five characters, lower-cased, are "https".
[[nodiscard]] bool is_secure_address(const Text& url);
