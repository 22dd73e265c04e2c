// The pause before a year's results: the session's events go on, and the pause lasts its length.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "session/event_pause.h"

namespace korvant {
namespace {

TEST(EventPause, EventsGoOnForTheWholeLength) {
    using namespace std::chrono_literals;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10ms);
    QElapsedTimer clock;
    clock.start();
    PauseWithEvents(300ms);
    // The whole length, with a little slack for the clocks' rounding.
    EXPECT_GE(clock.elapsed(), 280);
    EXPECT_GE(ticks, 2);
}

}  // namespace
}  // namespace korvant
