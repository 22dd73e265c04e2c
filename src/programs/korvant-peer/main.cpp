// korvant-peer: a player of network games without windows, for tests and unattended games.
// It creates or joins a session on this machine's loopback, gets ready, plays every turn as its
// options say, prints a line per year and the result, and exits 0 when its game ended normally
// (3 when its server or session was lost, 1 on other failures, 2 for a bad command line).
#include <QCoreApplication>
#include <cstdio>

#include "game/program_data.h"
#include "peer_options.h"
#include "peer_play.h"

int main(int argc, char** argv) {
    using namespace korvant;
    QCoreApplication app(argc, argv);
    const std::optional<peer::Options> options = peer::ParseOptions(argc, argv);
    if (!options) {
        std::fputs(peer::Usage, stderr);
        return 2;
    }
    Game game;
    peer::PeerUi ui(game, *options);
    game.Ui = &ui;
    // The game's data: beside the program, or where the game was installed.
    const ProgramData data = LoadProgramData(game);
    if (!data.rulesLoaded) return 1;

    peer::Peer peer(game, *options);
    peer.Start();
    return app.exec();
}
