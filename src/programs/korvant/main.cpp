// The game.
//   korvant                      plays
//   korvant --screenshots DIR    renders every window to DIR/*.png and ends
#include <QApplication>

#include <cstring>

#include "ui/app/game_windows_qt.h"
#include "app/language_file.h"
#include "ui/app/launcher_window.h"
#include "app/program_files.h"
#include "screenshots.h"

int main(int argc, char** argv) {
    using namespace korvant;
    std::filesystem::path program = ProgramFile(argc > 0 ? argv[0] : nullptr);
    // Without languages there is no text to show anything with: end before any window.
    TLanguageFile lang(IniFileFor(program), program.parent_path());
    if (!lang.HasLanguages()) return 7;

    QApplication app(argc, argv);
    GameWindows windows(lang);
    if (argc == 3 && std::strcmp(argv[1], "--screenshots") == 0) {
        windows.MusicPlayer().SetEnabled(false);
        return WriteScreenshots(windows, QString::fromLocal8Bit(argv[2])) > 0 ? 0 : 1;
    }
    windows.Launcher().show();
    return app.exec();
}
