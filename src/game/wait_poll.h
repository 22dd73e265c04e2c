#pragma once
// The network wait window's rules, without the window: what each poll tick looks at on each of
// the three pages, the persons' list of the "others are moving" page, and "Прервать игру".
// The game's window and the headless peer both tick this from their timers and close when told.
#include <string>
#include <vector>

#include "net/net_context.h"

namespace korvant {

enum class WaitPage {
    ClientWait = 0,   // a client waits for the server's full state or turn results
    ServerWait = 1,   // everybody waits until every person has ended his turn
    ServerClose = 2,  // the quitting server waits for a person to hand the server role to
};

enum class WaitResult { Closed, Aborted };

class WaitPoll {
public:
    struct Entry {
        PlayerId id = 0;
        std::string name;  // UTF-8 person's name
        bool ticked = false;
    };

    // Page ServerWait lists the person of every living state, in state order.
    WaitPoll(NetContext& net, WaitPage page);

    WaitPage Page() const { return page_; }
    const std::vector<Entry>& Entries() const { return entries_; }

    // One tick of the poll timer; true when the window is to close.
    bool Tick();

    // "Прервать игру", confirmed: the server ends the game for everybody, a client leaves it.
    void Abort();

private:
    bool TickServerWait();
    bool TickServerClose();
    bool Finished(PlayerId id) const;

    NetContext& net_;
    WaitPage page_;
    std::vector<Entry> entries_;
    PlayerId successor_ = 0;  // ServerClose: the first person who ended his turn
};

}  // namespace korvant
