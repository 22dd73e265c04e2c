#include "ui/net/session_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/language_file.h"
#include "app/settings.h"
#include "core/text_format.h"
#include "session/broker_search.h"
#include "session/session_discovery.h"
#include "ui/app/window_place.h"

namespace korvant {

namespace {
// Longer names are cut by the game anyway; this keeps the roster's lines readable.
constexpr int MaxNameLength = 32;
}  // namespace

TSessionDialog::TSessionDialog(TLanguageFile& lang, QWidget* parent, std::uint16_t discoveryPort)
    : QDialog(parent),
      lang_(lang),
      searcher_(new SessionSearch(discoveryPort, {}, this)),
      brokerSearch_(new BrokerSearch({}, this)) {
    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameLabel_ = new QLabel(this);
    name_ = new QLineEdit(this);
    name_->setMaxLength(MaxNameLength);
    nameRow->addWidget(nameLabel_);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);

    create_ = new QRadioButton(this);
    join_ = new QRadioButton(this);
    auto* modes = new QButtonGroup(this);
    modes->addButton(create_);
    modes->addButton(join_);
    layout->addWidget(create_);
    layout->addWidget(join_);

    through_ = new QCheckBox(this);
    auto* brokerBox = new QGridLayout;
    brokerLabel_ = new QLabel(this);
    broker_ = new QLineEdit(this);
    passwordLabel_ = new QLabel(this);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    brokerBox->addWidget(through_, 0, 0, 1, 2);
    brokerBox->addWidget(brokerLabel_, 1, 0);
    brokerBox->addWidget(broker_, 1, 1);
    brokerBox->addWidget(passwordLabel_, 2, 0);
    brokerBox->addWidget(password_, 2, 1);
    layout->addLayout(brokerBox);

    auto* joinBox = new QGridLayout;
    foundLabel_ = new QLabel(this);
    found_ = new QListWidget(this);
    search_ = new QPushButton(this);
    addressLabel_ = new QLabel(this);
    address_ = new QLineEdit(this);
    joinBox->addWidget(foundLabel_, 0, 0);
    joinBox->addWidget(search_, 0, 1);
    joinBox->addWidget(found_, 1, 0, 1, 2);
    joinBox->addWidget(addressLabel_, 2, 0);
    joinBox->addWidget(address_, 2, 1);
    joinBox->setContentsMargins(20, 0, 0, 0);
    layout->addLayout(joinBox);

    status_ = new QLabel(this);
    status_->setStyleSheet("color: #c00000");
    layout->addWidget(status_);
    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton(this);
    cancel_ = new QPushButton(this);
    ok_->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    NetworkSettings remembered;
    remembered.Read(lang_.Ini());
    name_->setText(QString::fromStdString(remembered.PlayerName));
    address_->setText(QString::fromStdString(remembered.Address));
    broker_->setText(QString::fromStdString(remembered.Broker));
    create_->setChecked(true);
    through_->setChecked(remembered.ThroughBroker);
    if (remembered.ThroughBroker) {
        otherJoinText_ = address_->text();
        address_->clear();
    }

    connect(search_, &QPushButton::clicked, this, &TSessionDialog::SearchClicked);
    connect(searcher_, &SessionSearch::Found, this, &TSessionDialog::AddFound);
    connect(brokerSearch_, &BrokerSearch::Found, this, &TSessionDialog::AddFoundOnBroker);
    connect(through_, &QCheckBox::toggled, this, &TSessionDialog::ThroughBrokerToggled);
    connect(found_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item) return;
        through_->setChecked(item->data(Qt::UserRole + 1).toBool());
        address_->setText(item->data(Qt::UserRole).toString());
        join_->setChecked(true);
    });
    connect(found_, &QListWidget::itemDoubleClicked, this, &TSessionDialog::OkClicked);
    connect(ok_, &QPushButton::clicked, this, &TSessionDialog::OkClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTexts();
}

void TSessionDialog::ApplyTexts() {
    auto t = [&](Msg id) { return QString::fromStdString(lang_.Lookup(id)); };
    setWindowTitle(t(Msg::SessionTitle));
    nameLabel_->setText(t(Msg::SessionYourName));
    create_->setText(t(Msg::SessionCreate));
    join_->setText(t(Msg::SessionJoin));
    foundLabel_->setText(t(Msg::SessionFound));
    through_->setText(t(Msg::SessionThroughBroker));
    brokerLabel_->setText(t(Msg::SessionBrokerAddress));
    passwordLabel_->setText(t(Msg::SessionPassword));
    search_->setText(t(Msg::SessionSearch));
    ok_->setText(t(Msg::SessionOk));
    cancel_->setText(t(Msg::SessionCancel));
    ShowWay();
    RoomForTitle(*this);
}

std::optional<OpenRequest> TSessionDialog::Ask() {
    request_.reset();
    status_->clear();
    exec();
    return request_;
}

void TSessionDialog::ThroughBrokerToggled() {
    QString kept = address_->text();
    address_->setText(otherJoinText_);
    otherJoinText_ = kept;
    ShowWay();
}

void TSessionDialog::ShowWay() {
    bool on = through_->isChecked();
    broker_->setEnabled(on);
    password_->setEnabled(on);
    addressLabel_->setText(QString::fromStdString(lang_.Lookup(on ? Msg::SessionCreatorName : Msg::SessionAddress)));
}

void TSessionDialog::SearchClicked() {
    found_->clear();
    status_->clear();
    auto say = [&](Msg m) { status_->setText(QString::fromStdString(lang_.Lookup(m))); };
    if (!through_->isChecked()) {
        if (!searcher_->Search()) say(Msg::SessionCannotSearch);
        return;
    }
    std::optional<BrokerAddress> where = ParseBrokerAddress(broker_->text().toStdString());
    if (!where) return say(Msg::SessionBadBroker);
    if (!brokerSearch_->Search(*where)) say(Msg::SessionBrokerSilent);
}

void TSessionDialog::AddFound(const FoundSession& s) {
    QString address = s.Address.toString() + ":" + QString::number(s.Port);
    AddItem(FormatText(lang_.Lookup(Msg::SessionFoundLine), {s.Name.toStdString(), Dec(s.Players)}) + "  (" +
                address.toStdString() + ")",
            address, false);
}

void TSessionDialog::AddFoundOnBroker(const FoundOnBroker& s) {
    AddItem(FormatText(lang_.Lookup(Msg::SessionFoundOnBroker), {s.Session.toStdString(), Dec(s.Players)}), s.Session,
            true);
}

void TSessionDialog::AddItem(const std::string& line, const QString& where, bool onBroker) {
    for (int i = 0; i < found_->count(); ++i) {
        QListWidgetItem* it = found_->item(i);
        if (it->data(Qt::UserRole).toString() == where && it->data(Qt::UserRole + 1).toBool() == onBroker) return;
    }
    auto* item = new QListWidgetItem(QString::fromStdString(line), found_);
    item->setData(Qt::UserRole, where);
    item->setData(Qt::UserRole + 1, onBroker);
}

void TSessionDialog::OkClicked() {
    OpenRequest r;
    r.Name = name_->text().trimmed().toStdString();
    r.Create = create_->isChecked();
    if (r.Name.empty()) {
        status_->setText(QString::fromStdString(lang_.Lookup(Msg::SessionEnterName)));
        return;
    }
    std::string address = address_->text().trimmed().toStdString();
    std::string broker = broker_->text().trimmed().toStdString();
    auto refuse = [&](Msg m) { status_->setText(QString::fromStdString(lang_.Lookup(m))); };
    if (through_->isChecked()) {
        if (!ParseBrokerAddress(broker)) return refuse(Msg::SessionBadBroker);
        if (!r.Create && address.empty()) return refuse(Msg::SessionEnterCreator);
        r.ThroughBroker = true;
        r.Broker = broker;
        r.Session = address;
        r.Password = password_->text().toStdString();
        address = otherJoinText_.trimmed().toStdString();  // the LAN address stays remembered
    } else if (!r.Create) {
        std::optional<HostPort> at = ParseHostPort(address);
        if (!at) {
            status_->setText(QString::fromStdString(lang_.Lookup(Msg::SessionBadAddress)));
            return;
        }
        r.Host = at->Host;
        r.Port = at->Port;
    }
    // Remembering is a convenience: a file that cannot be written does not stop the game.
    NetworkSettings{r.Name, address, broker, r.ThroughBroker}.Write(lang_.Ini());
    request_ = std::move(r);
    accept();
}

}  // namespace korvant
