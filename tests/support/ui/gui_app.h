#pragma once
// What the window tests share: one QApplication for the test program, and the
// game's windows over a private copy of the shipped language and rule files.
#include <QApplication>

#include <filesystem>
#include <memory>

#include "app/language_file.h"
#include "support/temp_folder.h"
#include "ui/app/game_windows_qt.h"

namespace korvant::gui_test {

// The test program's application, made by its main (gui_main.cpp).
inline QApplication& TestApp() { return *qApp; }

// A program folder of its own (so settings written by a test stay there) with the built files.
class WindowsFixture {
public:
    WindowsFixture() {
        TestApp();
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
        if (!oldDir_.empty()) std::filesystem::current_path(oldDir_);
    }

    // The game writes its autosaves and records into the current folder: make it the program folder
    // for this test, and the old one again when the test ends.
    void PlayInProgramFolder() {
        oldDir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }

    test::TempFolder folder{"gui"};
    std::filesystem::path dir = folder.path();
    std::unique_ptr<TLanguageFile> lang;
    std::unique_ptr<GameWindows> app;

private:
    std::filesystem::path oldDir_;
};

}  // namespace korvant::gui_test
