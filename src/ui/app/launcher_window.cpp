#include "ui/app/launcher_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/help_topics.h"
#include "app/language_file.h"
#include "ui/app/game_windows_qt.h"

namespace korvant {

namespace {

// In the order they stand on the window.
constexpr Msg Buttons[8] = {
    Msg::LauncherNewGame,  Msg::LauncherLoadGame, Msg::LauncherNetworkGame, Msg::LauncherHallOfFame,
    Msg::LauncherSettings, Msg::LauncherHelp,     Msg::LauncherAbout,       Msg::LauncherExit,
};

}  // namespace

TKorvant::TKorvant(GameWindows& app, QWidget* parent) : QWidget(parent), app_(app) {
    setFixedSize(640, 480);
    image_ = new QLabel(this);
    image_->setGeometry(0, 0, 640, 480);
    image_->setScaledContents(true);
    image_->setStyleSheet("background: #2b2418;");

    auto* column = new QWidget(this);
    column->setGeometry(440, 250, 180, 220);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (int i = 0; i < 8; ++i) {
        buttons_[i] = new QPushButton(column);
        buttons_[i]->setObjectName(QString("launcher%1").arg(static_cast<int>(Buttons[i])));
        buttons_[i]->setStyleSheet(
            "QPushButton { background: rgba(40, 28, 12, 200); color: #f4e6c4; border: 1px solid #c8a050;"
            " padding: 3px; font-weight: bold; }"
            "QPushButton:hover { background: rgba(120, 84, 30, 220); }");
        layout->addWidget(buttons_[i]);
    }
    version_ = new QLabel(KORVANT_VERSION, this);
    version_->setGeometry(12, 452, 80, 20);
    version_->setStyleSheet("color: #f4e6c4;");

    connect(buttons_[0], &QPushButton::clicked, this, &TKorvant::newGame);
    connect(buttons_[1], &QPushButton::clicked, this, &TKorvant::loadGame);
    connect(buttons_[2], &QPushButton::clicked, this, &TKorvant::networkGame);
    connect(buttons_[3], &QPushButton::clicked, this, &TKorvant::hallOfFame);
    connect(buttons_[4], &QPushButton::clicked, this, &TKorvant::settings);
    connect(buttons_[5], &QPushButton::clicked, this, [this] { app_.ShowHelp(help_topic::HowToPlay); });
    connect(buttons_[6], &QPushButton::clicked, this, [this] { app_.ShowHelp(help_topic::About); });
    connect(buttons_[7], &QPushButton::clicked, this, &QWidget::close);
    ApplyTexts();
}

QPushButton* TKorvant::Button(Msg id) const {
    for (int i = 0; i < 8; ++i)
        if (Buttons[i] == id) return buttons_[i];
    return nullptr;
}

void TKorvant::ApplyTexts() {
    const TLanguageFile& lang = app_.Lang();
    QApplication::setApplicationDisplayName(QString::fromStdString(lang.Lookup(Msg::AppName)));
    setWindowTitle(QString::fromStdString(lang.Lookup(Msg::LauncherTitle)));
    for (int i = 0; i < 8; ++i) buttons_[i]->setText(QString::fromStdString(lang.Lookup(Buttons[i])));
    // A missing or unreadable picture leaves the window without one.
    QString image = QString::fromStdString(lang.ImagePath().string());
    QPixmap pixmap;
    if (!image.isEmpty() && QFileInfo::exists(image) && pixmap.load(image)) {
        image_->setPixmap(pixmap);
    } else {
        image_->clear();
    }
}

void TKorvant::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        app_.ShowHelp(help_topic::HowToPlay);
        return;
    }
    QWidget::keyPressEvent(e);
}

void TKorvant::closeEvent(QCloseEvent* e) {
    app_.MusicPlayer().SetEnabled(false);
    e->accept();
}

void TKorvant::newGame() {
    hide();
    app_.NewGame();
    show();
}

void TKorvant::loadGame() { app_.LoadAndPlay(); }

void TKorvant::networkGame() {
    hide();
    app_.PlayNetworkGame();
    show();
}

void TKorvant::hallOfFame() {
    hide();
    app_.ShowHallOfFame();
    show();
}

void TKorvant::settings() { app_.ShowSettings(true); }

}  // namespace korvant
