#pragma once

#include <curl/curl.h>

// The process-wide, in-memory cookie store that every request made without a
// cookie text of its own shares: a libcurl share whose lock callbacks make it
// safe for transfers on any number of threads. It also holds the DNS cache
// and the open connections, which every request may reuse: a fresh
// connection for each page costs more than the page (slow start, receive
// windows that grow from small). It lives until the process
// ends, because detached workers may still be using it then. Null when
// libcurl could not make it. init_web() creates it; call that first.
[[nodiscard]] CURLSH* cookie_store();

// Forgets every stored cookie (a fresh start for tests, say).
void clear_cookie_store();

// Creates the store; called once, by init_web().
void create_cookie_store();
