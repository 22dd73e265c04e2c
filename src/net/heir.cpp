#include "net/heir.h"

#include "net/persons.h"

namespace korvant {

PlayerId HeirOf(const NetModel& model, const Game& game, PlayerId server) {
    const std::size_t n = model.roster.size();
    std::size_t at = n - 1;  // a server no longer listed: from the first player on
    for (std::size_t i = 0; i < n; ++i)
        if (model.roster[i].id == server) at = i;
    for (std::size_t k = 1; k <= n; ++k) {
        const PlayerId id = model.roster[(at + k) % n].id;
        const int s = StateOf(game, id);
        if (id != server && s != 0 && game.mGos[s].Alive != 0) return id;
    }
    return 0;
}

}  // namespace korvant
