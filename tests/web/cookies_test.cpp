#include "web/cookies.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The GBK full-width space.
#define FW "\xA1\xA1"

TEST(CollectCookies, TakesFirstElementOfEverySetCookieLine) {
    struct Case {
        const char* name;
        std::string headers;
        const char* cookies;
    };
    const Case cases[] = {
        {"attributes dropped",
         "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n\r\n",
         "a=1; b=2"},
        {"line without attributes", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nServer: x\r\n", "a=1"},
        {"lines without a value", "Set-Cookie:\r\nSet-Cookie:\r\n", "; "},
        {"full-width spaces trimmed", "Set-Cookie:" FW "a=1" FW "; path=/\r\n", "a=1"},
        {"space inside the value kept", "Set-Cookie: x=a b; path=/\r\n", "x=a b"},
        // Only Set-Cookie header lines count, not a value that mentions the name.
        {"other line naming set-cookie", "Set-Cookie: a=1; path=/\r\nX-Note: Set-Cookie here\r\n",
         "a=1"},
        {"name with spaces before its colon", "Set-Cookie : a=1\r\n", "a=1"},
        {"name letter case significant", "set-cookie: a=1; path=/\r\n", ""},
        {"no set-cookie lines", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        {"unanswered header buffer", std::string(5000, ' '), ""},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(collect_cookies(Text(c.headers)), Text(c.cookies));
    }
}

TEST(MergeCookies, ReceivedFirstThenOldOnesNotReceived) {
    struct Case {
        const char* name;
        const char* cookies;
        const char* received;
        const char* merged;
        const char* received_after;
    };
    const Case cases[] = {
        {"new value replaces old", "a=1; b=2", "a=2; c=3", "a=2; c=3; b=2", "a=2;c=3"},
        {"deleted cookie dropped", "a=1; b=2", "a=deleted", "b=2", "a=deleted"},
        {"nothing received", "a=1; b=2", "", "a=1; b=2", ""},
        {"old name repeated", "a=1;a=2", "", "a=1", ""},
        {"received name repeated", "", "a=1; a=2", "a=1; a=2", "a=1;a=2"},
        {"received element repeated", "", "a=1; a=1", "a=1", "a=1;a=1"},
        {"names differ in case", "SID=1", "sid=2", "sid=2; SID=1", "sid=2"},
        {"space inside a value is data", "x=a b", " y = c d ;z=1", "y = c d; z=1; x=a b",
         "y = c d;z=1"},
        {"full-width spaces around elements", FW "x=1" FW "; " FW "y=" FW "2", "", "x=1; y=" FW "2",
         ""},
        {"empty element kept", "a=1", "; ", "; a=1", ";"},
        {"trailing separator kept in received", "", "a=1;", "a=1", "a=1;"},
        {"both empty", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Text cookies(c.cookies);
        Text received(c.received);
        const Text returned = merge_cookies(cookies, received);
        EXPECT_EQ(cookies, Text(c.merged));
        EXPECT_EQ(returned, cookies);
        EXPECT_EQ(received, Text(c.received_after));
    }
}

TEST(CookieName, PartBeforeFirstEqualsTrimmed) {
    const std::pair<const char*, const char*> cases[] = {
        {" a = 1", "a"}, {"a=b=c", "a"}, {"flag", "flag"}, {"=v", ""}, {FW "n" FW "=v", "n"},
    };
    for (const auto& [element, name] : cases) {
        SCOPED_TRACE(element);
        EXPECT_EQ(cookie_name(element), Text(name));
    }
}

TEST(JoinDistinct, KeepsFirstOccurrenceOfEveryPiece) {
    struct Case {
        const char* text;
        const char* separator;
        const char* joined;
    };
    const Case cases[] = {
        {"a=1; b=2; a=1", "; ", "a=1; b=2"},
        {"x,y,x,,", ",", "x,y,"},
        {"A,a", ",", "A,a"},
        {"", "; ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(join_distinct(c.text, c.separator), Text(c.joined));
    }
}

}  // namespace
