#include "support/session/event_loop_delivery.h"

#include <QTimer>

namespace korvant::test {

EventLoopDelivery::EventLoopDelivery(FakeNetwork& network) : network_(network) {
    network_.onQueued = [this] {
        if (scheduled_) return;
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            network_.Deliver();
        });
    };
    // What was queued before the adapter came waits no longer than the next pass either.
    if (network_.Pending()) network_.onQueued();
}

EventLoopDelivery::~EventLoopDelivery() { network_.onQueued = nullptr; }

}  // namespace korvant::test
