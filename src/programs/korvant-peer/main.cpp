// korvant-peer: a player of network games without windows, for tests and unattended games.
// It creates or joins a session on this machine's loopback, gets ready, plays every turn as its
// options say, prints a line per year and the result, and exits 0 when its game ended normally
// (3 when its server or session was lost, 1 on other failures, 2 for a bad command line).
#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/language_file.h"
#include "app/program_files.h"
#include "core/rule_data.h"
#include "peer_options.h"
#include "peer_play.h"
#include "sim/name_stems.h"

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
    const std::filesystem::path programDir = ProgramFile(nullptr).parent_path();
    const std::filesystem::path dir = FindDataDir(programDir, "korvant.ini", InstalledDataDir()).value_or(programDir);
    std::unique_ptr<TLanguageFile> texts;
    std::filesystem::path rules = dir / "tav.dat";
    if (std::error_code ec; std::filesystem::exists(dir / "korvant.ini", ec)) {
        texts = std::make_unique<TLanguageFile>(dir / "korvant.ini", dir);
        if (texts->HasLanguages()) {
            game.Texts = texts.get();
            if (!texts->DataFilePath().empty()) rules = texts->DataFilePath();
        }
    }
    LoadNameStems(game);
    if (!LoadGameRules(game, rules)) return 1;

    peer::Peer peer(game, *options);
    peer.Start();
    return app.exec();
}
