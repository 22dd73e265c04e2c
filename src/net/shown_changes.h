#pragma once
// The lobby's controls follow the network model. An event (a block, a player coming or going, a
// person's choice) changes the model only; a ShownChanges taken around it shows afterwards
// whatever the event changed, so that no handler can leave a control behind the model.
#include <vector>

#include "net/net_context.h"
#include "net/net_model.h"

namespace korvant {

class ShownChanges {
public:
    explicit ShownChanges(NetContext& net);
    ~ShownChanges();
    ShownChanges(const ShownChanges&) = delete;
    ShownChanges& operator=(const ShownChanges&) = delete;

private:
    NetContext& net_;
    std::vector<NetMember> roster_;
    ReadySwitch ready_;
    RejoinOffer rejoin_;
    bool server_;
};

}  // namespace korvant
