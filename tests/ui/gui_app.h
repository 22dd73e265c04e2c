#pragma once
// What the window tests share: one QApplication for the test program, and the
// game's windows over a private copy of the shipped language and rule files.
#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "ui/app/game_windows_qt.h"
#include "app/language_file.h"

namespace korvant::gui_test {

// The test program's application, made by its main (gui_main.cpp).
inline QApplication& TestApp() { return *qApp; }

// A program folder of its own (so settings written by a test stay there) with the built files.
class WindowsFixture {
public:
    WindowsFixture() {
        TestApp();
        static int n = 0;
        dir = std::filesystem::temp_directory_path() /
              ("korvant_gui_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        std::filesystem::create_directories(dir);
        for (const char* f : {"korvant.ini", "tav.dat", "tav_en.dat", "korvant.png", "korvant_en.png"})
            std::filesystem::copy_file(std::filesystem::path(KORVANT_BIN_DIR) / f, dir / f);
        std::filesystem::copy(std::filesystem::path(KORVANT_BIN_DIR) / "help", dir / "help",
                              std::filesystem::copy_options::recursive);
        lang = std::make_unique<TLanguageFile>(dir / "korvant.ini", dir);
        app = std::make_unique<GameWindows>(*lang);
    }
    ~WindowsFixture() {
        app.reset();
        lang.reset();
        std::filesystem::remove_all(dir);
    }

    std::filesystem::path dir;
    std::unique_ptr<TLanguageFile> lang;
    std::unique_ptr<GameWindows> app;
};

}  // namespace korvant::gui_test
