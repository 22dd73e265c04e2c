#include "ui/app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "app/language_file.h"

namespace korvant {

QtTranslation::~QtTranslation() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
}

bool QtTranslation::Load(const TLanguageFile& lang) {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
    installed_ = false;
    const QString locale = QString::fromStdString(lang.Ini().ReadString(lang.CurrentSection(), "Locale", ""));
    if (locale.isEmpty()) return false;
    if (!translator_.load(QLocale(locale), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

}  // namespace korvant
