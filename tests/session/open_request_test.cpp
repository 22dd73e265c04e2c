// The addresses a person types to join a session: a computer's or an internet server's.
#include <gtest/gtest.h>

#include "session/broker_address.h"
#include "session/open_request.h"

namespace korvant {
namespace {

TEST(HostPort, ReadsAHostWithOrWithoutAPort) {
    EXPECT_EQ(ParseHostPort(" 192.168.1.5:4000 ")->Port, 4000);
    EXPECT_EQ(ParseHostPort("gamebox")->Port, DefaultGamePort);
    EXPECT_EQ(ParseHostPort("gamebox")->Host, "gamebox");
    EXPECT_EQ(ParseHostPort("gamebox:1")->Port, 1);
    EXPECT_EQ(ParseHostPort("gamebox:65535")->Port, 65535);
    EXPECT_EQ(ParseHostPort("\tgamebox:7\t").value_or(HostPort{}).Host, "gamebox");
    for (const char* bad :
         {"", ":4000", "host:", "host:0", "host:65536", "host:70000", "host:12x", "a b:1", "a\tb:1", "a:b:1"}) {
        EXPECT_FALSE(ParseHostPort(bad)) << bad;
    }
}

TEST(BrokerAddress, BrokerAddressesTakeTheSchemesPort) {
    EXPECT_EQ(ParseBrokerAddress(" club.example ")->Port, DefaultMqttPort);
    auto tls = ParseBrokerAddress("mqtts://club.example");
    ASSERT_TRUE(tls);
    EXPECT_TRUE(tls->Tls);
    EXPECT_EQ(tls->Port, DefaultMqttTlsPort);
    EXPECT_EQ(tls->Host, "club.example");
    auto plain = ParseBrokerAddress(" mqtt://127.0.0.1:1999 ");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->Port, 1999);
    EXPECT_EQ(plain->Host, "127.0.0.1");
    EXPECT_FALSE(plain->Tls);
    EXPECT_EQ(ParseBrokerAddress("mqtts://club.example:8884")->Port, 8884);
    EXPECT_FALSE(ParseBrokerAddress("ws://club.example"));
    EXPECT_FALSE(ParseBrokerAddress("mqtts://"));
}

}  // namespace
}  // namespace korvant
