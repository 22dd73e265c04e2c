#include "ui/net/chat_view.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace korvant {

QColor ChatColour(int32_t colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

void ShowChatLines(QTextEdit& pane, const std::deque<ChatPaneLine>& lines) {
    pane.clear();
    for (const ChatPaneLine& l : lines) {
        pane.setTextColor(ChatColour(l.colour));
        pane.append(QString::fromStdString(l.text));
    }
    pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->maximum());
}

void ConnectChatInput(QLineEdit& input, std::function<bool(const std::string&)> send) {
    QObject::connect(&input, &QLineEdit::returnPressed, &input, [&input, send] {
        const QString text = input.text().trimmed();
        if (text.isEmpty() || !send(text.toStdString())) return;
        input.setText(" ");
    });
}

}  // namespace korvant
