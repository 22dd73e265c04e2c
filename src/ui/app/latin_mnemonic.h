#pragma once
// A button whose underlined menu letter is Russian also answers to Alt and the key at the same
// place of the Latin layout, so the letter works whichever layout the keyboard is set to.
class QAbstractButton;

namespace korvant {

// Follows the button's text as it is now: call again after every change of the text.
void FollowLatinMnemonic(QAbstractButton& button);

}  // namespace korvant
