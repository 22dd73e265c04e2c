#pragma once
// The connection dialog: the player's name, and either a new session or one to join, picked from
// those found on the local network or typed as host:port; or, through an internet server, a
// session known by its creator's name, with the password its creator chose. The network (or the
// server) is searched only when the person presses the search button.
#include <QDialog>
#include <optional>

#include "session/open_request.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace korvant {

class BrokerSearch;
class SessionSearch;
struct FoundOnBroker;
class TLanguageFile;
struct FoundSession;

class TSessionDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TSessionDialog(TLanguageFile& lang, QWidget* parent = nullptr,
                            std::uint16_t discoveryPort = DefaultDiscoveryPort);

    // Shows the dialog modally. Nothing when cancelled: the open ends silently. OK remembers the
    // name and the address in the INI file.
    std::optional<OpenRequest> Ask();
    void ApplyTexts();

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* AddressEdit() const { return address_; }
    QRadioButton* CreateButton() const { return create_; }
    QRadioButton* JoinButton() const { return join_; }
    QPushButton* SearchButton() const { return search_; }
    QPushButton* OkButton() const { return ok_; }
    QListWidget* FoundList() const { return found_; }
    QCheckBox* ThroughBrokerBox() const { return through_; }
    QLineEdit* BrokerEdit() const { return broker_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QLabel* Status() const { return status_; }

private:
    void SearchClicked();
    void AddFound(const FoundSession& s);
    void AddFoundOnBroker(const FoundOnBroker& s);
    void AddItem(const std::string& line, const QString& where, bool onBroker);
    // The join field holds a LAN address or, through the server, the creator's name: each is kept.
    void ThroughBrokerToggled();
    // The broker's fields usable, and the join field's label, as the way chosen says.
    void ShowWay();
    void OkClicked();

    TLanguageFile& lang_;
    SessionSearch* searcher_;
    BrokerSearch* brokerSearch_;
    QLineEdit* name_;
    QRadioButton* create_;
    QRadioButton* join_;
    QLabel* foundLabel_;
    QListWidget* found_;
    QLabel* addressLabel_;
    QLineEdit* address_;
    QCheckBox* through_;
    QLabel* brokerLabel_;
    QLineEdit* broker_;
    QLabel* passwordLabel_;
    QLineEdit* password_;
    QString otherJoinText_;  // the join field's text for the other way
    QPushButton* search_;
    QLabel* nameLabel_;
    QLabel* status_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::optional<OpenRequest> request_;
};

}  // namespace korvant
