#include "ui/app/help_window.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/language_file.h"

namespace korvant {

THelp::THelp(const TLanguageFile& lang, QWidget* parent) : QDialog(parent), lang_(lang) {
    resize(720, 560);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(this);
    close_ = buttons->addButton(QString::fromStdString(lang_.Lookup(Msg::CloseButton)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Following a link retitles the window after the page it shows.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        if (!browser_->documentTitle().isEmpty()) setWindowTitle(browser_->documentTitle());
    });
    layout->addWidget(buttons);
}

QString THelp::TopicFile(int topic) const {
    // The language's help folder, relative to the program's folder ("Help" in its section).
    std::string folder = lang_.Ini().ReadString(lang_.CurrentSection(), "Help", "help/ru");
    std::filesystem::path dir = lang_.ProgramDir() / folder;
    return QString::fromStdString((dir / (std::to_string(topic) + ".html")).string());
}

void THelp::ApplyTexts() { close_->setText(QString::fromStdString(lang_.Lookup(Msg::CloseButton))); }

void THelp::attachTo(QWidget* owner) {
    if (!owner || owner == parentWidget()) return;
    if (parentWidget()) parentWidget()->removeEventFilter(this);
    // A window owned by a modal one is not blocked by it.
    setParent(owner, windowFlags());
    owner->installEventFilter(this);
}

bool THelp::eventFilter(QObject* watched, QEvent* e) {
    if (watched == parentWidget() && e->type() == QEvent::Hide) close();
    return QDialog::eventFilter(watched, e);
}

bool THelp::ShowTopic(int topic, QWidget* owner) {
    QString file = TopicFile(topic);
    if (!QFileInfo::exists(file)) return false;
    attachTo(owner);
    const QString dir = QFileInfo(file).absolutePath();
    browser_->setSearchPaths({dir});
    // The pages share one style sheet beside the language folders; the viewer applies it itself.
    QFile css(dir + "/../style.css");
    browser_->document()->setDefaultStyleSheet(css.open(QIODevice::ReadOnly) ? QString::fromUtf8(css.readAll())
                                                                             : QString());
    browser_->setSource(QUrl::fromLocalFile(file));
    setWindowTitle(browser_->documentTitle().isEmpty() ? QString::number(topic) : browser_->documentTitle());
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace korvant
