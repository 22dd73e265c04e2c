#include "ui/app/saved_game_dialog.h"

#include <QApplication>
#include <QFileDialog>

#include "app/file_filter.h"
#include "app/language_file.h"

namespace korvant {

QString ChooseSavedGame(const TLanguageFile& lang, const std::filesystem::path& folder) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(lang.Lookup(Msg::LoadGameDialogTitle)),
                       QString::fromStdString(folder.string()),
                       QString::fromStdString(DialogFilter(lang.RawLookup(Msg::SavedGameFilter))));
    dialog.setDefaultSuffix("gen");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace korvant
