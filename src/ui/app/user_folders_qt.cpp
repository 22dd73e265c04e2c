#include "ui/app/user_folders_qt.h"

#include <QLocale>
#include <QStandardPaths>

namespace korvant {
namespace {

std::filesystem::path gameFolderIn(QStandardPaths::StandardLocation where) {
    return std::filesystem::path(QStandardPaths::writableLocation(where).toStdString()) / "korvant";
}

}  // namespace

UserFolders StandardUserFolders() {
    return {gameFolderIn(QStandardPaths::GenericConfigLocation), gameFolderIn(QStandardPaths::GenericDataLocation)};
}

std::string SystemLanguage() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) return {};
    return QLocale::languageToCode(system.language(), QLocale::ISO639Part1).toStdString();
}

}  // namespace korvant
