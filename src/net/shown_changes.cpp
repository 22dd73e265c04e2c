#include "net/shown_changes.h"

#include "core/game.h"

namespace korvant {

namespace {

bool Serves(const Game& game) { return game.GameMode != ModeNetClient; }

}  // namespace

ShownChanges::ShownChanges(NetContext& net)
    : net_(net),
      roster_(net.model.roster),
      ready_(net.model.ready),
      rejoin_(net.model.rejoin),
      server_(Serves(net.game)) {}

ShownChanges::~ShownChanges() {
    const NetModel& m = net_.model;
    if (m.roster != roster_) net_.controls.ShowRoster();
    if (m.ready != ready_) net_.controls.ShowReadySwitch();
    if (m.rejoin != rejoin_) net_.controls.ShowRejoinOffer();
    if (Serves(net_.game) != server_) net_.controls.ShowPage(!server_);
}

}  // namespace korvant
