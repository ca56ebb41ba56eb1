#pragma once

#include "text/text.h"

// The update check's own plain GET: "HTTP/1.0", an agent text of its own and
// the one header line "Accept: */*". The fragment is never sent; a user name
// and password in the address are given to a server that asks for them;
// redirects are followed and the process-wide cookie store is used. The
// status is not looked at: an error page's body comes back like any other.
// Gives the body (at most the body limit of WebSettings); empty for an empty
// address or when nothing could be read.
[[nodiscard]] Bytes fetch_bytes(const Text& url);
