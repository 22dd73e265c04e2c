// The game.
//   korvant                      plays
//   korvant --help | --version   tells what it is and ends
//   korvant --screenshots DIR    renders every window to DIR/*.png and ends
//   korvant --write-user-files   writes a saved game, the hall of fame and the settings (for tests)
#include <QApplication>

#include <cstdio>
#include <string_view>

#include "app/language_file.h"
#include "app/program_files.h"
#include "screenshots.h"
#include "ui/app/game_windows_qt.h"
#include "ui/app/launcher_window.h"
#include "ui/app/user_folders_qt.h"
#include "user_files_check.h"

namespace {

const char* const HelpText =
    "usage: korvant [--help | --version]\n"
    "Korvant, a turn-based strategy game of land, grain and generals for one to twenty persons.\n"
    "\n"
    "  --help      show this text and end\n"
    "  --version   show the version and end\n"
    "\n"
    "The game reads its data (korvant.ini, tav.dat, help, music, pictures) beside the program, else\n"
    "from ../share/korvant, else from the folder it was installed to. A copy whose folder can be\n"
    "written keeps its settings there and saves games to the current folder; an installed one keeps\n"
    "the settings in $XDG_CONFIG_HOME/korvant and saved games and the hall of fame in\n"
    "$XDG_DATA_HOME/korvant.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace korvant;
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (option == "--help" || option == "-h") {
        std::fputs(HelpText, stdout);
        return 0;
    }
    if (option == "--version") {
        std::printf("korvant %s\n", KORVANT_VERSION);
        return 0;
    }
    const FilePlaces places =
        ChooseFilePlaces(ProgramFile(argc > 0 ? argv[0] : nullptr), StandardUserFolders(), InstalledDataDir());
    // Without languages there is no text to show anything with: end before any window.
    TLanguageFile lang(places.ini, places.data, SystemLanguage());
    if (!lang.HasLanguages()) return 7;

    QApplication app(argc, argv);
    GameWindows windows(lang, places);
    if (argc == 3 && option == "--screenshots") {
        windows.MusicPlayer().SetEnabled(false);
        return WriteScreenshots(windows, QString::fromLocal8Bit(argv[2])) > 0 ? 0 : 1;
    }
    if (argc == 2 && option == "--write-user-files") {
        windows.MusicPlayer().SetEnabled(false);
        return WriteUserFiles(windows);
    }
    windows.Launcher().show();
    return app.exec();
}
