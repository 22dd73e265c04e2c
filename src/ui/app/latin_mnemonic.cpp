#include "ui/app/latin_mnemonic.h"

#include <QAbstractButton>
#include <QShortcut>

#include "app/latin_key.h"

namespace korvant {

namespace {
const char* const ShortcutName = "latinMnemonic";

// The letter after a single "&", or none.
QChar MnemonicLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1];
        ++i;  // "&&" is a plain ampersand
    }
    return {};
}
}  // namespace

void FollowLatinMnemonic(QAbstractButton& button) {
    auto* shortcut = button.findChild<QShortcut*>(ShortcutName, Qt::FindDirectChildrenOnly);
    const std::optional<char> latin = LatinKeyOf(MnemonicLetter(button.text()).unicode());
    if (!latin) {
        delete shortcut;
        return;
    }
    if (!shortcut) {
        shortcut = new QShortcut(&button);
        shortcut->setObjectName(ShortcutName);
        QObject::connect(shortcut, &QShortcut::activated, &button, [&button] {
            if (button.isEnabled() && button.isVisible()) button.animateClick();
        });
    }
    const QChar key = QChar(*latin).toUpper();
    shortcut->setKey(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.unicode()))));
}

}  // namespace korvant
