#pragma once
// A chat pane's lines in a read-only text box, each in its colour, and the input line under it:
// Enter sends the trimmed text and leaves a single space, as the game's chat boxes do.
#include <QColor>
#include <deque>
#include <functional>
#include <string>

#include "net/chat_panes.h"

class QLineEdit;
class QTextEdit;

namespace korvant {

// A 0x00BBGGRR colour.
QColor ChatColour(int32_t colour);
void ShowChatLines(QTextEdit& pane, const std::deque<ChatPaneLine>& lines);
// Enter in `input` hands the trimmed text to `send`, which says whether it went.
void ConnectChatInput(QLineEdit& input, std::function<bool(const std::string&)> send);

}  // namespace korvant
