#include "screenshots.h"

#include <QListWidget>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include "app/language_file.h"
#include "core/colors.h"
#include "core/headless_ui.h"
#include "core/text_format.h"
#include "game/autoplay.h"
#include "game/new_game.h"
#include "game/wait_poll.h"
#include "screen/generals_grid.h"
#include "sim/borders.h"
#include "sim/messages.h"
#include "ui/app/game_windows_qt.h"
#include "ui/app/help_window.h"
#include "ui/app/launcher_window.h"
#include "ui/app/preference_window.h"
#include "ui/game/proc_window.h"
#include "ui/game/start_window.h"
#include "ui/map/select_gos_window.h"
#include "ui/map/select_man_window.h"
#include "ui/map/select_player_window.h"
#include "ui/net/connect_window.h"
#include "ui/net/multi_player_window.h"
#include "ui/net/network_game.h"
#include "ui/records/graph_3d_view.h"
#include "ui/records/graph_window.h"
#include "ui/records/record_table_window.h"
#include "ui/screen/border_tab_widget.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/generals_tab_widget.h"
#include "ui/screen/main_window.h"
#include "ui/screen/science_tab_widget.h"

namespace korvant {

namespace {

// `fit` shrinks the window to its contents first; windows of a chosen size keep it.
bool Shot(QWidget& w, const QString& dir, const QString& name, bool fit = true) {
    if (fit) w.adjustSize();
    w.show();
    QPixmap p = w.grab();
    w.hide();
    return p.save(QDir(dir).filePath(name + ".png"));
}

// The battle narration of tactic t against u as the battle report shows it: two lines, two colours.
void AddNarration(Game& g, int t, int u) {
    const std::string text = g.Rules.BattleTexts[t][u].utf8();
    const std::size_t cr = text.find('\r');
    AddBattleMessage(g, color::Green, text.substr(0, cr));
    if (cr != std::string::npos) AddBattleMessage(g, color::Navy, text.substr(cr + 2));
}

// A session that is not open, for the network windows' pictures.
class NoSession final : public Session {
public:
    bool IsOpen() const override { return false; }
    PlayerId LocalId() const override { return 0; }
    std::vector<SessionPlayer> Players() const override { return {}; }
    SendResult Send(PlayerId, std::span<const std::uint8_t>) override { return SendResult::NotOpen; }
    void Close() override {}
};

// The lobby, the wait window's three pages and the command screen's chat tab of a network game
// whose three persons talk; the game is the command screen's.
template <class Sample>
int NetworkShots(GameWindows& app, const QString& dir, const Sample& sample) {
    Game& g = app.TheGame();
    int n = 0;
    const char* names[] = {"Анна", "Борис", "Вера"};
    const auto talk = [&](NetControls& to) {
        to.AppendChatLine(g.Msg(Msg::ChatHeader), 0);
        to.AppendChatLine(std::string(names[0]) + "> " + FormatText(g.Msg(Msg::VersionCaption), {KORVANT_VERSION}),
                          0xFF0000);
        to.AppendChatLine(
            std::string(names[1]) + "> " + sample("Привет! Играем до победы?", "Hi! Shall we play to the end?"), 0);
        to.AppendChatLine(std::string(names[2]) + "> " + sample("Готова", "Ready"), 0);
    };

    TConnect lobby(app.Lang(), g);
    NetModel model;
    for (int i = 0; i < 3; ++i) model.Add({PlayerId(i + 1), names[i], i != 0});
    model.roster[0].ready = model.roster[2].ready = true;
    lobby.ShowRoster(model.roster);
    talk(lobby);
    lobby.ShowLobbyMap();
    lobby.ShowReadySwitch({true, ReadyMapKnown, true});
    lobby.ShowPage(true);
    n += Shot(lobby, dir, "lobby");

    NoSession session;
    model.phase = NetPhase::Playing;
    model.roster[0].turnFinished = model.roster[2].turnFinished = true;
    NetContext net{g, session, model, lobby};
    TMultiPlayer wait(app.Lang(), g, lobby.Panes());
    const uint8_t mode = g.GameMode;
    g.GameMode = ModeNetServer;
    const TGos saved = g.mGos[g.CurGos];
    for (int i = 0; i < 3; ++i) {
        const int s = 1 + (g.CurGos - 1 + i) % g.GosCount;
        g.mGos[s].Human = i + 1;
        g.mGos[s].Alive = 1;
        g.mGos[s].PlayerName.set(names[i]);
        g.mGos[s].Captured = i == 1 ? 0 : TurnFinishedMark;
    }
    const char* pages[] = {"wait_client", "wait_others", "wait_server_leaves"};
    for (int p = 0; p < 3; ++p) {
        WaitPoll poll(net, WaitPage(p));
        poll.Tick();
        wait.ShowPage(poll);
        n += Shot(wait, dir, pages[p]);
    }

    talk(app.NetworkWindows().Connect());
    TMain& main = app.Main();
    main.Activate();
    main.Pages()->setCurrentIndex(TMain::ChatTab);
    for (int i = 0; i < 3; ++i) {
        auto* item = new QListWidgetItem(QString::fromUtf8(names[i]), main.ChatPlayers());
        item->setCheckState(i == 1 ? Qt::Unchecked : Qt::Checked);
    }
    main.ChatPlayers()->setVisible(true);
    n += Shot(main, dir, "command_chat", false);
    main.ClockTimer().stop();
    main.hide();
    g.mGos[g.CurGos] = saved;
    g.GameMode = mode;
    return n;
}

// The charts of a game played to its end by the computer, in every language: 2D, and 3D where
// the display has OpenGL (the 3D graph draws into a window of its own, which a grab of the
// dialog leaves blank, so its picture is painted in).
int ChartShots(GameWindows& app, const QString& dir) {
    Game& g = app.TheGame();
    GameUi* windows = g.Ui;
    HeadlessUi headless;
    g.Ui = &headless;
    Autoplay(g, {.states = 8, .size = 60, .persons = 2, .seed = 5});
    g.Ui = windows;

    TLanguageFile& lang = app.Lang();
    const int chosen = lang.CurrentIndex();
    TGraph& graph = app.Graph();
    graph.resize(1060, 640);
    int n = 0;
    for (int i = 0; i < int(lang.Sections().size()); ++i) {
        lang.SelectLanguage(i);
        app.RetextAll();
        const QString suffix = "_" + QString::fromStdString(lang.CurrentSection()).left(2).toLower();
        graph.ThreeD()->setChecked(false);
        graph.Activate();
        n += Shot(graph, dir, "charts" + suffix, false);
        if (!ThreeDViewAvailable()) continue;
        graph.ThreeD()->setChecked(true);
        graph.Draw(CritPopulation);
        graph.show();
        QWidget* view = graph.ThreeDView()->Widget();
        QPixmap p = graph.grab();
        QPainter(&p).drawImage(view->mapTo(&graph, QPoint(0, 0)), graph.ThreeDView()->Picture(view->size()));
        graph.hide();
        n += p.save(QDir(dir).filePath("charts_3d" + suffix + ".png"));
    }
    lang.SelectLanguage(chosen);
    app.RetextAll();
    return n;
}

// Every window in the current language; `ru` picks the sample texts that stand for the game's own.
int RenderWindows(GameWindows& app, const QString& dir, bool ru) {
    auto sample = [ru](const char* russian, const char* english) { return std::string(ru ? russian : english); };
    QDir().mkpath(dir);
    Game& g = app.TheGame();
    g.MesList.Clear();
    g.Rng.setSeed(2024);
    int n = 0;
    n += Shot(app.Launcher(), dir, "launcher");
    n += Shot(app.Preference(), dir, "settings");
    app.RecordTable().Redraw();
    n += Shot(app.RecordTable(), dir, "hall_of_fame");
    app.Help().ShowTopic(10, &app.Launcher());
    n += Shot(app.Help(), dir, "help", false);

    TStart& start = app.Start();
    start.SelectDifficulty(1);
    start.StatesSlider()->setValue(8);
    start.SizeSlider()->setValue(60);
    start.show();
    start.NewMapClicked();
    n += Shot(start, dir, "start");
    start.ShowWaiting(true);
    start.SetYearLabel("Год: 7");
    start.SetProgress(1, 100);
    start.SetProgress(2, 40);
    n += Shot(start, dir, "start_waiting");
    start.ShowWaiting(false);

    app.SelectPlayer().Fill(1);
    n += Shot(app.SelectPlayer(), dir, "get_ready");
    app.SelectGos().Reset();
    app.SelectGos().show();
    app.SelectGos().NameField()->setText(QString::fromStdString(sample("Ольга", "Olga")));
    app.SelectGos().MapClicked(250, 250);
    n += Shot(app.SelectGos(), dir, "territory");

    // Two persons, to show the time grid.
    g.PeopleCount = 2;
    TakeTerritory(g, g.Map[30][30], 1, sample("Ольга", "Olga"));
    TakeTerritory(g, g.Map[5][5] == g.Map[30][30] ? g.Map[55][55] : g.Map[5][5], 2, sample("Игорь", "Igor"));
    for (int s = 1; s <= g.GosCount; ++s) g.mGos[s].TimeSpent = 0.0123 * s;
    g.CurPlayerName = sample("Ольга", "Olga");
    CheckFronts(g);
    app.SelectMan().Fill();
    n += Shot(app.SelectMan(), dir, "your_turn");

    const int s = g.Map[30][30];
    g.BattleAttacker = uint8_t(s == 1 ? 2 : 1);
    g.BattleDefender = uint8_t(s);
    AddBattleMessage(g, 0xFF0000, sample("Битва за восточные земли", "The battle for the eastern lands"));
    AddNarration(g, 5, 8);
    AddBattleMessage(g, 255,
                     sample("Враг прорвал оборону и занял 12 клеток", "The enemy broke through and took 12 cells"));
    AddBattleMessage(g, 0, sample("Государство уничтожено", "The state is destroyed"));
    app.Proc().Fill(false);
    n += Shot(app.Proc(), dir, "last_battle_defeat");
    app.Proc().Fill(true);
    n += Shot(app.Proc(), dir, "last_battle_victory");

    // The command screen of the person's state after a year with a battle.
    g.CurGos = uint8_t(s);
    g.Year = 7;
    // The computer players' states as a started game has them, for the list of all states.
    for (int k = 1; k <= g.GosCount; ++k) {
        if (g.mGos[k].Alive != 0 || g.mGos[k].Territory == 0) continue;
        g.mGos[k].Alive = 1;
        g.mGos[k].Peasants = 250 + 37 * k;
    }
    g.mGos[s].Scientists += 400;
    g.mGos[s].FreeScientists += 400;
    g.Chronicle = sample("Год 6: битва за восточные земли", "Year 6: the battle for the eastern lands");
    AddMessage(g, MesForState, uint8_t(s), 0x008000, sample("Урожай собран: 240 т зерна", "Harvest: 240 t of grain"));
    AddMessage(g, MesForState, uint8_t(s), 255,
               sample("Учёным не хватило денег", "The scientists were not paid in full"));
    AddBattleMessage(g, 0xFF0000, g.Msg(Msg::BattleReportMarker) + " ***");
    AddNarration(g, 2, 1);
    TMain& main = app.Main();
    main.resize(1000, 680);
    main.Activate();
    n += Shot(main, dir, "command_information", false);
    main.Pages()->setCurrentIndex(TMain::EconomyTab);
    n += Shot(main, dir, "command_economy", false);
    main.Pages()->setCurrentIndex(TMain::ScienceTab);
    main.Science()->MaxButton(SciAgrarian)->click();
    main.Science()->MinButton(SciAgrarian)->click();
    main.Science()->OneYearButton(SciAgrarian)->click();
    main.Science()->OneYearButton(SciResearch)->click();
    n += Shot(main, dir, "command_science", false);

    // A general hired, sent to the first neighbour with soldiers; a second one rests at home.
    TGos& own = g.mGos[s];
    own.Money += 200000;
    own.Soldiers += 300;
    own.FreeSoldiers += 300;
    main.Pages()->setCurrentIndex(TMain::GeneralsTab);
    TGeneralsTab& hiring = *main.Generals();
    hiring.Bar(TGeneralsTab::SpeedControl)->setValue(35);
    hiring.Bar(TGeneralsTab::KnowledgeControl)->setValue(10);
    hiring.Bar(TGeneralsTab::MarkControl)->setValue(3);
    n += Shot(main, dir, "command_generals", false);
    hiring.BuyButton()->click();
    TBorderTab& border = *main.Border();
    border.GridDoubleClicked(0, ColFront);
    border.SoldiersBar()->setValue(180);
    main.Pages()->setCurrentIndex(TMain::GeneralsTab);
    hiring.BuyButton()->click();
    border.GridDoubleClicked(1, ColOrder);
    border.GridDoubleClicked(1, ColOrder);
    border.Grid()->setCurrentCell(0, ColName);
    n += Shot(main, dir, "command_border", false);
    n += NetworkShots(app, dir, sample);
    n += ChartShots(app, dir);
    return n;
}

}  // namespace

int WriteScreenshots(GameWindows& app, const QString& dir) {
    // The first language into DIR, every other one into DIR/<its locale>; the chosen one is kept.
    TLanguageFile& lang = app.Lang();
    const int chosen = lang.CurrentIndex();
    int n = 0;
    for (int i = 0; i < int(lang.Sections().size()); ++i) {
        lang.SelectLanguage(i);
        app.RetextAll();
        const std::string locale = lang.Ini().ReadString(lang.CurrentSection(), "Locale", std::to_string(i));
        n += RenderWindows(app, i == 0 ? dir : QDir(dir).filePath(QString::fromStdString(locale)), locale == "ru");
    }
    lang.SelectLanguage(chosen);
    app.RetextAll();
    return n + ChartShots(app, dir);
}

}  // namespace korvant
