#pragma once

#include "text/text.h"

// Every byte (of the UTF-8 form when `utf8` is on) as "%" and two upper-case
// hexadecimal digits, except that `keep_safe` leaves "-", ".", digits and ASCII
// letters as they are.
[[nodiscard]] Text url_encode(const Text& text, bool keep_safe = false, bool utf8 = false);

// "%" and two hexadecimal digits (either case) become that byte; a decoded zero
// byte adds nothing; any other "%" stays as it is. With `to_gbk` the result is
// read as UTF-8 and converted to GBK.
[[nodiscard]] Text url_decode(const Text& text, bool to_gbk = false);
