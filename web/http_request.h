#pragma once

#include "text/text.h"

// One complete HTTP/1.1 exchange. The request carries the caller's header
// lines followed by the default lines that are missing (Accept, Referer,
// Accept-Language, Content-Type) and a Cookie line for a non-empty
// `cookies`; libcurl adds Host and User-Agent and nothing else.
//
// `method`: 0 GET, 1 POST, 2 HEAD, anything else GET. POST and HEAD send
// `post_bytes`, filled from `post_text` when empty.
// `cookies`: nullptr uses the process-wide cookie store; a text (even an
// empty one) bypasses it and, after the response, has the received cookies
// merged in.
// `headers`: in: extra lines separated by "\r\n"; out: the header text sent.
// `received_headers`: the final response's status and header lines, with
// "Set-Cookie" written in that letter case; empty when no response came.
// `proxy`: "host:port" of an HTTP proxy; empty for direct access, whatever
// the environment says.
//
// Gives the body (at most the body limit of WebSettings), also for error
// statuses; empty when nothing could be read. Never throws, never reports.
// Safe to call from any number of threads at once; blocks until the
// exchange ends or a time-out of WebSettings ends it.
[[nodiscard]] Bytes http_request(const Text& url, int method = 0, const Text& post_text = {},
                                 Text* cookies = nullptr, Text* received_cookies = nullptr,
                                 Text* headers = nullptr, Text* received_headers = nullptr,
                                 bool no_redirect = false, Bytes* post_bytes = nullptr,
                                 const Text& proxy = {});

// A GET with every default; the body up to its first zero byte.
[[nodiscard]] Text fetch_text(const Text& url);

// What follows the first ":" of a header line, without the spaces at its
// ends; empty when there is no ":".
[[nodiscard]] Text header_value(const Text& text);
