#include "app/launcher_window.h"

#include <QApplication>

#include "app/language_file.h"

namespace korvant {

TKorvant::TKorvant(TLanguageFile& lang, QWidget* parent) : QMainWindow(parent), lang_(lang) {
    resize(640, 480);
    ApplyTexts();
}

void TKorvant::ApplyTexts() {
    QApplication::setApplicationDisplayName(QString::fromStdString(lang_.Lookup(1000, "Корвант")));
    setWindowTitle(QString::fromStdString(lang_.Lookup(1009, "Корвант")));
}

}  // namespace korvant
