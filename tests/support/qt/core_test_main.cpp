// The main of the tests that run without windows over Qt (the session's, the whole games' and the
// hostile player's): one Qt core application for the whole run. Searches stay on loopback even
// when the tests are started by hand without the variable the test runner sets.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("KORVANT_DISCOVERY_ADDRESS"))
        qputenv("KORVANT_DISCOVERY_ADDRESS", "127.255.255.255");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
