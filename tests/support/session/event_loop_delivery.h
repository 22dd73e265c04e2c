#pragma once
// Delivers a fake network's events from the Qt event loop, as a real session does: a window test
// runs its loops (or modal boxes) and the blocks arrive meanwhile, without calling Deliver.
#include <QObject>

#include "support/fake_session.h"

namespace korvant::test {

class EventLoopDelivery final : public QObject {
public:
    explicit EventLoopDelivery(FakeNetwork& network);
    ~EventLoopDelivery() override;

private:
    FakeNetwork& network_;
    bool scheduled_ = false;
};

}  // namespace korvant::test
