#pragma once
// Qt's own texts (the standard buttons, the file dialogs) in the player's
// language: the translation named by the language's "Locale" key, from Qt's
// translations folder.
#include <QTranslator>

namespace korvant {

class TLanguageFile;

class QtTranslation {
public:
    ~QtTranslation();

    // Installs the translation of the current language, replacing the previous one; false when
    // none is found (Qt then speaks its own English).
    bool Load(const TLanguageFile& lang);

private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace korvant
