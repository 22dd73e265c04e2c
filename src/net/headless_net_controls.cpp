#include "net/headless_net_controls.h"

#include <algorithm>

#include "net/player_names.h"

namespace korvant {

bool HeadlessNetControls::TickPlayer(std::string_view name, bool ticked) {
    auto it = std::find_if(players.begin(), players.end(), [&](const Entry& e) { return SameName(e.name, name); });
    if (it == players.end()) return false;
    it->ticked = ticked;
    return true;
}

void HeadlessNetControls::RemovePlayer(std::string_view name) {
    auto it = std::find_if(players.begin(), players.end(), [&](const Entry& e) { return SameName(e.name, name); });
    if (it != players.end()) players.erase(it);
}

void HeadlessNetControls::UntickAllPlayers() {
    for (Entry& e : players) e.ticked = false;
}

void HeadlessNetControls::TickAllPlayers() {
    for (Entry& e : players) e.ticked = true;
}

bool HeadlessNetControls::AllPlayersTicked() const {
    return std::all_of(players.begin(), players.end(), [](const Entry& e) { return e.ticked; });
}

void HeadlessNetControls::ShowSendingNotice(bool shown) {
    if (shown && !sendingNoticeShown) ++sendingNotices;
    sendingNoticeShown = shown;
}

}  // namespace korvant
