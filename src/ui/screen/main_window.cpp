#include "ui/screen/main_window.h"

#include "net/persons.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <utility>

#include "app/file_filter.h"
#include "app/language_file.h"
#include "app/settings.h"
#include "core/check_state.h"
#include "core/text_format.h"
#include "game/wait_poll.h"
#include "net/chat_panes.h"
#include "net/net_model.h"
#include "save/autosave_name.h"
#include "save/saved_game.h"
#include "screen/save_name.h"
#include "ui/app/latin_mnemonic.h"
#include "ui/app/scroll_text_widget.h"
#include "ui/app/window_ui_qt.h"
#include "ui/net/chat_view.h"
#include "ui/screen/border_tab_widget.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/generals_tab_widget.h"
#include "ui/screen/information_tab_widget.h"
#include "ui/screen/science_tab_widget.h"

namespace korvant {
namespace {

// Help topics of the tabs, by tab index.
constexpr int TabHelpTopics[] = {help_topic::HowToPlay, help_topic::HowToPlay, help_topic::Science,
                                 help_topic::BorderGuard, help_topic::Generals};
// Scrolling speed of the help panels of the economy, science and generals tabs, in ms per step.
constexpr int ScrollTicks[] = {70, 60, 30};

}  // namespace

TMain::TMain(TLanguageFile& lang, Game& game, const Settings& settings, const FilePlaces& places, bool paintRounded,
             Hooks hooks, QWidget* parent)
    : QDialog(parent), lang_(lang), game_(game), settings_(settings), places_(places), hooks_(std::move(hooks)) {
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    next_ = new QPushButton;
    pass_ = new QPushButton;
    exit_ = new QPushButton;
    help_ = new QPushButton;
    clockPanel_ = new QLabel("0:00");
    clockPanel_->setFrameShape(QFrame::Panel);
    clockPanel_->setFrameShadow(QFrame::Sunken);
    clockPanel_->setMinimumWidth(60);
    clockPanel_->setAlignment(Qt::AlignCenter);
    chatLamp_ = new QLabel;
    chatLamp_->setFixedSize(12, 12);
    for (QPushButton* b : {next_, pass_, exit_, help_}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch(1);
    row->addWidget(chatLamp_);
    row->addWidget(clockPanel_);
    top->addLayout(row);

    pages_ = new QTabWidget;
    info_ = new TInformationTab(lang_, game_);
    economy_ = new TEconomyTab(lang_, game_, settings_);
    science_ = new TScienceTab(lang_, game_);
    border_ = new TBorderTab(lang_, game_, paintRounded);
    generals_ = new TGeneralsTab(lang_, game_);
    scrolls_[0] = economy_->ScrollPanel();
    scrolls_[1] = science_->ScrollPanel();
    scrolls_[2] = generals_->ScrollPanel();
    chat_ = new QWidget;
    auto* chatLayout = new QHBoxLayout(chat_);
    auto* chatLeft = new QVBoxLayout;
    chatPane_ = new QTextEdit;
    chatPane_->setReadOnly(true);
    chatInput_ = new QLineEdit(" ");
    chatLeft->addWidget(chatPane_, 1);
    chatLeft->addWidget(chatInput_);
    auto* chatRight = new QVBoxLayout;
    chatCaption_ = new QLabel;
    chatPlayers_ = new QListWidget;
    chatRight->addWidget(chatCaption_);
    chatRight->addWidget(chatPlayers_, 1);
    chatLayout->addLayout(chatLeft, 3);
    chatLayout->addLayout(chatRight, 1);
    ConnectChatInput(*chatInput_, [this](const std::string& text) { return net_.sendChat && net_.sendChat(text); });
    pages_->addTab(info_, QString());
    pages_->addTab(economy_, QString());
    pages_->addTab(science_, QString());
    pages_->addTab(border_, QString());
    pages_->addTab(generals_, QString());
    pages_->addTab(chat_, QString());
    top->addWidget(pages_, 1);

    TPicturePage* pages[5] = {info_, economy_, science_, border_, generals_};
    for (int i = 0; i < 5; ++i) pictures_[i] = pages[i];

    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &TMain::TickClock);
    connect(next_, &QPushButton::clicked, this, &TMain::NextClicked);
    connect(pass_, &QPushButton::clicked, this, &TMain::PassClicked);
    connect(exit_, &QPushButton::clicked, this, &TMain::ExitClicked);
    connect(help_, &QPushButton::clicked, this, [this] { hooks_.help(helpTopic_); });
    connect(pages_, &QTabWidget::currentChanged, this, &TMain::tabChanged);
    connect(economy_, &TEconomyTab::NextAllowed, this, [this] { next_->setEnabled(true); });
    connect(economy_, &TEconomyTab::ScientistsChanged, science_, &TScienceTab::MarkStale);
    connect(generals_, &TGeneralsTab::Hired, this, [this] { pages_->setCurrentIndex(BorderTab); });
    connect(border_, &TBorderTab::StateBroken, this, [this](std::exception_ptr failure) {
        failure_ = failure;
        turnResult_ = ModalResult::Quit;
        timer_.stop();
        Finish(*this, ModalResult::Quit);
    });
    connect(info_->SaveButton(), &QPushButton::clicked, this, &TMain::SaveClicked);
    connect(info_->SettingsButton(), &QPushButton::clicked, this, &TMain::SettingsClicked);
    pass_->installEventFilter(this);
    // The tabs change from the keyboard wherever the focus is, a slider's Ctrl+PgDn included.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : steps)
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, s = step] { StepTab(s); });

    resize(980, 660);
    ApplyTexts();
    ApplySettings();
}

void TMain::ApplyTexts() {
    const TLanguageFile& l = lang_;
    auto t = [&](Msg id) { return ShownText(l.Lookup(id)); };
    setWindowTitle(t(Msg::ScreenTitle));
    next_->setText(t(Msg::NextButton));
    pass_->setText(t(Msg::PassButton));
    exit_->setText(t(Msg::ExitButton));
    help_->setText(t(Msg::HelpButton));
    next_->setToolTip(t(Msg::NextHint));
    pass_->setToolTip(t(Msg::PassHint));
    exit_->setToolTip(t(Msg::ExitHint));
    help_->setToolTip(t(Msg::HelpHint));
    for (QPushButton* b : {next_, pass_, exit_, help_}) FollowLatinMnemonic(*b);
    pages_->setTabText(InformationTab, t(Msg::InformationTab));
    pages_->setTabText(EconomyTab, t(Msg::EconomyTab));
    pages_->setTabText(ScienceTab, t(Msg::ScienceTab));
    pages_->setTabText(BorderTab, t(Msg::BorderTab));
    pages_->setTabText(GeneralsTab, t(Msg::GeneralsTab));
    pages_->setTabText(ChatTab, t(Msg::ChatTab));
    chatCaption_->setText(t(Msg::PlayerListCaption));
    // The language's own picture, stretched behind every page but the chat.
    const QPixmap picture(QString::fromStdString(l.ImagePath().string()));
    for (TPicturePage* page : pictures_) page->SetPicture(picture);
    info_->ApplyTexts();
    economy_->ApplyTexts();
    science_->ApplyTexts();
    border_->ApplyTexts();
    generals_->ApplyTexts();
    for (int i = 1; i <= 2; ++i) {
        std::vector<std::string> lines;
        if (!l.IntroText(i + 1, lines)) continue;
        QStringList shown;
        for (const std::string& s : lines) shown << ShownText(s);
        scrolls_[i]->SetLines(shown);
    }
}

void TMain::ApplySettings() {
    const Settings& s = settings_;
    for (TPicturePage* p : pictures_) p->SetPictureShown(!s.HideGraphics);
    economy_->SetHintsShown(s.ShowHint);
}

ModalResult TMain::Run() {
    Activate();
    const ModalResult result = RunModal(*this);
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return result;
}

void TMain::Activate() {
    const Game& game = game_;
    const bool local = game.GameMode == ModeLocal;
    // Only a real change: the tab bar forgets a relayout it owes to new captions (after a change
    // of language) when told to set a visibility that is already so, and shows them clipped.
    if (pages_->isTabVisible(ChatTab) == local) pages_->setTabVisible(ChatTab, !local);
    chatLamp_->setVisible(false);
    info_->SaveButton()->setEnabled(game.GameMode != ModeNetClient);
    turnResult_.reset();
    next_->setEnabled(false);
    pages_->blockSignals(true);
    pages_->setCurrentIndex(InformationTab);
    pages_->blockSignals(false);
    // The arrows go from tab to tab from the start.
    pages_->tabBar()->setFocus();
    helpTopic_ = TabHelpTopics[InformationTab];
    info_->Fill();
    border_->Activate();
    science_->MarkStale();
    setScrolling(settings_.ShowScrollHelp);
    clock_.Reset();
    showClock();
    if (!local) {
        RefreshChat();
        chatLamp_->setVisible(false);
        RebuildChatPlayers();
    }
    timer_.start();
}

void TMain::StepTab(int step) {
    const int count = pages_->count();
    int index = pages_->currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (pages_->isTabVisible(index) && pages_->isTabEnabled(index)) break;
    }
    pages_->setCurrentIndex(index);
}

void TMain::setScrolling(bool on) {
    for (int i = 0; i < 3; ++i) {
        if (!scrolls_[i]) continue;
        if (on) {
            scrolls_[i]->StartEvery(ScrollTicks[i]);
        } else {
            scrolls_[i]->Stop();
        }
    }
}

void TMain::tabChanged(int index) {
    chatLamp_->setVisible(false);
    if (index == ChatTab) {
        chatPlayers_->setVisible(true);
        chatInput_->setFocus();
    }
    if (index >= InformationTab && index <= GeneralsTab) helpTopic_ = TabHelpTopics[index];
    if (index == EconomyTab) economy_->Refresh();
    if (index == ScienceTab) science_->Open();
    if (index == BorderTab) border_->Open();
    if (index == GeneralsTab) generals_->Open();
}

void TMain::NextClicked() { endTurn(ModalResult::EndTurn); }
void TMain::PassClicked() { endTurn(ModalResult::ToComputer); }

void TMain::endTurn(ModalResult result) {
    Game& game = game_;
    if (AutosaveWanted(game)) saveTo(QString::fromStdString((places_.saves / AutosaveFileName(game)).string()));
    if (failure_) return;
    turnResult_ = result;
    timer_.stop();
    Finish(*this, result);
}

void TMain::ExitClicked() {
    Game& game = game_;
    if (!game.Ui->AskYesNo(game.Msg(Msg::AskEndGame))) return;
    if (game.GameMode == ModeLocal || game.GameMode == ModeNetServer) {
        if (game.Ui->AskYesNo(game.Msg(Msg::AskSaveGame))) SaveClicked();
    }
    turnResult_ = ModalResult::Quit;
    timer_.stop();
    Finish(*this, ModalResult::Quit);
}

void TMain::reject() {
    // Escape ends up here too, but keyPressEvent hands it to "&Pass" first.
    Game& game = game_;
    if (turnResult_) return;
    if (!game.Ui->AskYesNo(game.Msg(Msg::AskEndGame))) return;
    if (game.GameMode == ModeLocal || game.GameMode == ModeNetServer) {
        if (game.Ui->AskYesNo(game.Msg(Msg::AskSaveGame))) SaveClicked();
    }
    timer_.stop();
    Finish(*this, ModalResult::Quit);
}

void TMain::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        PassClicked();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        hooks_.help(helpTopic_);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TMain::eventFilter(QObject* watched, QEvent* e) {
    if (watched == pass_ && e->type() == QEvent::KeyPress) {
        const QString key = static_cast<QKeyEvent*>(e)->text();
        if (key == "a" || key == "p") {
            PassClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TMain::hideEvent(QHideEvent* e) {
    timer_.stop();
    setScrolling(false);
    QDialog::hideEvent(e);
}

void TMain::SaveClicked() {
    const Game& game = game_;
    if (game.GameMode == ModeNetClient) return;
    const TLanguageFile& l = lang_;
    const QString folder = QString::fromStdString(places_.dialogs.string());
    QFileDialog dialog(this, ShownText(l.Lookup(Msg::SaveGameDialogTitle)), folder,
                       QString::fromStdString(DialogFilter(l.RawLookup(Msg::SavedGameFilter))));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("gen");
    dialog.selectFile(QString::fromStdString(ProposedSaveName(game)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString file = QDir::toNativeSeparators(dialog.selectedFiles().front());
    // The person learns where his game went; a failed write has told him already.
    if (saveTo(file)) game_.Ui->MessageBox(FormatText(game_.Msg(Msg::GameSavedTo), {file.toStdString()}));
}

bool TMain::saveTo(const QString& file) {
    try {
        return TrySaveGame(game_, file.toStdString());
    } catch (const StateError&) {
        // Broken bookkeeping ends the game: the window closes and the turn cycle hears of it.
        failure_ = std::current_exception();
        turnResult_ = ModalResult::Quit;
        timer_.stop();
        Finish(*this, ModalResult::Quit);
        return false;
    }
}

void TMain::SettingsClicked() {
    hooks_.settings();
    setScrolling(settings_.ShowScrollHelp);
}

void TMain::TickClock() {
    Game& game = game_;
    clock_.Tick();
    if (clock_.LimitReached(game.TurnMinutes)) {
        NextClicked();
        return;
    }
    showClock();
    if (game.GameMode != ModeLocal) {
        if (clock_.Seconds() % 10 == 1) RebuildChatPlayers();
        lampRed_ = !lampRed_;
        chatLamp_->setStyleSheet(lampRed_ ? "background: #FF0000;" : "background: #0000FF;");
        // The game ended for everybody, the session was lost, or the server vanished.
        const NetEnd end = net_.model ? net_.model->end : NetEnd::None;
        if (end == NetEnd::EndedByServer || end == NetEnd::SessionLost || end == NetEnd::ServerLost) {
            turnResult_ = ModalResult::EndTurn;
            timer_.stop();
            Finish(*this, ModalResult::EndTurn);
        }
    }
}

void TMain::RefreshChat() {
    if (!net_.panes) return;
    ShowChatLines(*chatPane_, net_.panes->Lines(ChatPane::Command));
    if (isVisible() && game_.GameMode != ModeLocal && pages_->currentIndex() != ChatTab) chatLamp_->setVisible(true);
}

void TMain::RebuildChatPlayers() {
    chatPlayers_->setVisible(false);
    chatPlayers_->clear();
    if (!net_.model) return;
    const Game& game = game_;
    for (const NetMember& p : net_.model->roster) {
        const int state = StateOf(game, p.id);
        const bool playing = state != 0 && game.mGos[state].Alive != 0;
        const QString name = QString::fromStdString(p.name);
        auto* item =
            new QListWidgetItem(playing ? name : ShownText(lang_.Lookup(Msg::OutOfGame)) + " " + name, chatPlayers_);
        item->setFlags(Qt::ItemIsEnabled);
        if (playing) item->setCheckState(p.turnFinished ? Qt::Checked : Qt::Unchecked);
    }
    chatPlayers_->setVisible(pages_->currentIndex() == ChatTab);
}

void TMain::showClock() {
    const Game& game = game_;
    const int spent = clock_.Minutes() * 60 + clock_.Seconds();
    // Without a limit a network turn has nothing to count down: it shows the time spent.
    const bool countdown = game.GameMode != ModeLocal && game.TurnMinutes != 0;
    clockPanel_->setText(QString::fromStdString(ClockText(countdown ? clock_.SecondsLeft(game.TurnMinutes) : spent)));
}

}  // namespace korvant
