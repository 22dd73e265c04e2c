#include "ui/net/multi_player_window.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "map/map_painter.h"
#include "session/event_pause.h"
#include "ui/app/window_ui_qt.h"
#include "ui/map/picture_image.h"
#include "ui/net/chat_view.h"

namespace korvant {

namespace {

// The blocks arrive as events; the poll only looks at what they left, so a tenth of a second is
// quick enough and costs nothing.
constexpr int PollMs = 100;

}  // namespace

TMultiPlayer::TMultiPlayer(TLanguageFile& lang, Game& game, const ChatPanes& panes, QWidget* parent)
    : QDialog(parent), lang_(lang), game_(game), panes_(panes) {
    auto* top = new QVBoxLayout(this);
    pages_ = new QStackedWidget;
    for (int p = 0; p < 3; ++p) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        texts_[p] = new QLabel;
        texts_[p]->setAlignment(Qt::AlignCenter);
        texts_[p]->setWordWrap(true);
        counters_[p] = new QLabel("0");
        counters_[p]->setAlignment(Qt::AlignCenter);
        layout->addWidget(texts_[p]);
        layout->addWidget(counters_[p]);
        if (p == 1) {
            auto* row = new QHBoxLayout;
            map_ = new QLabel;
            map_->setFixedSize(300, 300);
            map_->setScaledContents(true);
            persons_ = new QListWidget;
            chronicle_ = new QTextEdit;
            chronicle_->setReadOnly(true);
            row->addWidget(map_);
            auto* side = new QVBoxLayout;
            side->addWidget(persons_);
            side->addWidget(chronicle_);
            row->addLayout(side);
            layout->addLayout(row);
            chat_ = new QTextEdit;
            chat_->setReadOnly(true);
            input_ = new QLineEdit(" ");
            layout->addWidget(chat_);
            layout->addWidget(input_);
        } else {
            layout->addStretch(1);
        }
        pages_->addWidget(page);
    }
    abort_ = new QPushButton;
    abort_->setAutoDefault(false);
    top->addWidget(pages_, 1);
    top->addWidget(abort_, 0, Qt::AlignRight);

    poll_.setInterval(PollMs);
    seconds_.setInterval(1000);
    connect(&poll_, &QTimer::timeout, this, &TMultiPlayer::Tick);
    connect(&seconds_, &QTimer::timeout, this, [this] { counters_[pages_->currentIndex()]->setNum(++counted_); });
    connect(abort_, &QPushButton::clicked, this, &TMultiPlayer::AbortClicked);
    ConnectChatInput(*input_, [this](const std::string& text) { return send_ && send_(text); });
    ApplyTexts();
}

void TMultiPlayer::ApplyTexts() {
    auto t = [&](Msg id) { return ShownText(lang_.Lookup(id)); };
    setWindowTitle(t(Msg::NetworkWaitTitle));
    abort_->setText(t(Msg::NetworkWaitAbort));
    texts_[0]->setText(t(Msg::NetworkWaitSending));
    texts_[1]->setText(t(Msg::NetworkWaitText));
    texts_[2]->setText(t(Msg::NetworkWaitHandOver));
}

void TMultiPlayer::SetChatSender(std::function<bool(const std::string&)> send) { send_ = std::move(send); }

void TMultiPlayer::ShowPage(WaitPoll& poll) {
    current_ = &poll;
    pages_->setCurrentIndex(int(poll.Page()));
    persons_->clear();
    ShowEntries();
    chronicle_->setPlainText(QString::fromStdString(game_.Chronicle));
    if (poll.Page() == WaitPage::ServerWait) {
        Picture pic(map_->width(), map_->height());
        DrawMap(game_, pic, rounded_);
        map_->setPixmap(QPixmap::fromImage(ToImage(pic)));
    }
    RefreshChat();
    counted_ = 0;
    for (QLabel* c : counters_) c->setNum(0);
}

WaitResult TMultiPlayer::Wait(WaitPoll& poll) {
    ShowPage(poll);
    aborted_ = false;
    poll_.start();
    seconds_.start();
    exec();
    poll_.stop();
    seconds_.stop();
    current_ = nullptr;
    return aborted_ ? WaitResult::Aborted : WaitResult::Closed;
}

void TMultiPlayer::Pause(std::chrono::milliseconds length) { PauseWithEvents(length); }

void TMultiPlayer::RefreshChat() { ShowChatLines(*chat_, panes_.Lines(ChatPane::Wait)); }

void TMultiPlayer::Tick() {
    if (!current_) return;
    const bool close = current_->Tick();
    ShowEntries();
    if (close) accept();
}

void TMultiPlayer::ShowEntries() {
    const std::vector<WaitPoll::Entry> none;
    const std::vector<WaitPoll::Entry>& entries = current_ ? current_->Entries() : none;
    // Every poll tick comes here: the names are listed once a page, then only ticked.
    if (persons_->count() != int(entries.size())) {
        persons_->clear();
        for (const WaitPoll::Entry& e : entries) {
            auto* item = new QListWidgetItem(QString::fromStdString(e.name), persons_);
            item->setFlags(Qt::ItemIsEnabled);
        }
    }
    for (int i = 0; i < persons_->count(); ++i)
        persons_->item(i)->setCheckState(entries[std::size_t(i)].ticked ? Qt::Checked : Qt::Unchecked);
}

void TMultiPlayer::AbortClicked() {
    if (!current_) return;
    if (QMessageBox::question(this, windowTitle(), ShownText(lang_.Lookup(Msg::AskAbortGame)),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    current_->Abort();
    aborted_ = true;
    accept();
}

}  // namespace korvant
