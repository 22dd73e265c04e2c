// The address a person types to join a session.
#include <gtest/gtest.h>

#include "session/open_request.h"

namespace korvant {
namespace {

TEST(HostPort, ReadsAHostWithOrWithoutAPort) {
    EXPECT_EQ(ParseHostPort(" 192.168.1.5:4000 ")->Port, 4000);
    EXPECT_EQ(ParseHostPort("gamebox")->Port, DefaultGamePort);
    EXPECT_EQ(ParseHostPort("gamebox")->Host, "gamebox");
    for (const char* bad : {"", ":4000", "host:", "host:0", "host:70000", "host:12x", "a b:1"}) {
        EXPECT_FALSE(ParseHostPort(bad)) << bad;
    }
}

}  // namespace
}  // namespace korvant
