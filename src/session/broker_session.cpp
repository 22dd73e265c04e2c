#include "session/broker_session.h"

#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>

#include "net/player_names.h"
#include "session/mqtt_client.h"
#include "wire/frame_reader.h"

namespace korvant {

namespace {

using Clock = std::chrono::steady_clock;
using wire::Verdict;
using namespace wire::broker;

// Letters from players not announced yet are kept this many at most (a stranger's flood is cut off).
constexpr std::size_t MaxEarlyLetters = 16;
// How long a clean leave may take to send what waits (the last year to every player, on a busy
// machine); what is not sent by then leaves by the will instead.
constexpr std::chrono::milliseconds GoodbyeLimit{5000};

PlayerId RandomId() {
    PlayerId id = 0;
    while (id == 0) id = QRandomGenerator::global()->generate();
    return id;
}

}  // namespace

BrokerSession::BrokerSession(BrokerSessionOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] { FailOpen(OpenError::Timeout); });
    tick_ = new QTimer(this);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, &BrokerSession::Tick);
}

BrokerSession::~BrokerSession() { Shutdown(true); }

bool BrokerSession::Begin(const BrokerAddress& broker, const std::string& name) {
    Close();
    localName_ = name;
    localId_ = options_.Id ? options_.Id : RandomId();
    token_ = QRandomGenerator::global()->generate64() | 1;
    client_ = new MqttClient;
    client_->setParent(this);
    client_->Connected = [this](bool) { connected_ = true; };
    client_->Message = [this](const std::string& topic, std::span<const std::uint8_t> payload) {
        Received(topic, payload);
    };
    client_->Lost = [this] {
        if (phase_ == Phase::Open)
            LoseSession();
        else
            FailOpen(OpenError::ConnectFailed);
    };
    // Whenever the broker loses us, our presence (the session's advert, if we admit) becomes our
    // will, which the others believe because it carries our token.
    phase_ = Phase::Scanning;
    if (!client_->Connect(broker, IdText(localId_), {PresenceTopic(localId_), SignedGone()},
                          options_.KeepAliveSeconds)) {
        FailOpen(OpenError::ConnectFailed);
        return false;
    }
    client_->Subscribe(InboxFilter(localId_));
    client_->Subscribe(PresenceFilter);
    // The broker sends the retained presences before anything published after the subscription:
    // our probe's return says that all of them have come.
    Write(localId_, Note::Probe);
    deadline_->start(options_.HandshakeTimeout);
    tick_->start();
    return true;
}

void BrokerSession::Create(const BrokerAddress& broker, const std::string& name, const std::string& password) {
    sessionName_ = name;
    password_ = password;
    creating_ = true;
    if (Begin(broker, name)) {
        // The game waits for the open: the client runs alone until the broker has answered.
        if (!client_->RunUntil([this] { return phase_ != Phase::Scanning; }, options_.HandshakeTimeout)) {
            FailOpen(OpenError::Timeout);
        }
    }
    events_.DeliverAll();
}

void BrokerSession::Join(const BrokerAddress& broker, const std::string& name, const std::string& session,
                         const std::string& password) {
    sessionName_ = session;
    password_ = password;
    creating_ = false;
    Begin(broker, name);
}

void BrokerSession::Received(const std::string& topic, std::span<const std::uint8_t> payload) {
    if (std::optional<PlayerId> from = InboxSenderOf(topic, localId_)) return HandleLetter(*from, payload);
    if (std::optional<PlayerId> id = PresenceIdOf(topic)) return HandlePresence(*id, payload);
}

void BrokerSession::HandlePresence(PlayerId id, std::span<const std::uint8_t> payload) {
    std::optional<Presence> p = ParsePresence(payload);
    if (phase_ == Phase::Scanning) {
        if (!p || p->Id != id || p->Now != Standing::Admitting || !SameName(p->Session, sessionName_)) return;
        if (Verdict v = wire::CheckIdentity(p->Who, options_.Who); v != Verdict::Accepted) {
            foreign_ = v;
        } else {
            adverts_.push_back(std::move(*p));
        }
        return;
    }
    if (phase_ != Phase::Open) return;
    if (id == localId_) {
        // Somebody overwrote our presence (a forged advert, a will naming us): it is ours again.
        if (!std::ranges::equal(payload, published_)) PublishPresence();
        return;
    }
    const Member* m = FindMember(id);
    if (m && p && p->Now == Standing::Gone && p->Id == id && p->Token == m->Token) RemoveMember(id);
}

void BrokerSession::HandleLetter(PlayerId from, std::span<const std::uint8_t> payload) {
    std::optional<Letter> letter = ParseLetter(payload);
    if (!letter) return;
    if (from == localId_) {
        if (letter->Kind == Note::Probe && letter->Token == token_ && phase_ == Phase::Scanning) FinishScan();
        return;
    }
    if (phase_ == Phase::Knocking && letter->Kind == Note::Answer)
        return HandleAnswer(from, letter->Token, letter->Body);
    if (phase_ == Phase::Open && letter->Kind == Note::Knock) return Admit(from, letter->Token, letter->Body);
    if (phase_ != Phase::Open && phase_ != Phase::Knocking) return;
    const Member* m = FindMember(from);
    if (!m || phase_ != Phase::Open) {
        if (letter->Kind == Note::Answer) {
            // A second session of this name admitted us too late: we leave it at once.
            std::optional<Answer> a = ParseAnswer(letter->Body, options_.Who);
            if (a && a->Said == Verdict::Accepted && !m) Write(from, Note::Leave);
            return;
        }
        // Perhaps a player whose announcement has not come yet (another path through a cluster).
        if (early_.size() >= MaxEarlyLetters) early_.pop_front();
        early_.push_back({from, {payload.begin(), payload.end()}, Clock::now() + options_.HandshakeTimeout});
        return;
    }
    if (letter->Token != m->Token) return;  // not the player the topic names
    switch (letter->Kind) {
        case Note::Announce: return HandleAnnounce(letter->Body);
        case Note::Data:
            if (letter->Body.size() < MinBlockBytes) return;
            Tell({.What = Event::Kind::Message, .Block = {from, {letter->Body.begin(), letter->Body.end()}}}, false);
            return;
        case Note::Leave: return RemoveMember(from);
        default: return;
    }
}

void BrokerSession::FinishScan() {
    client_->Unsubscribe(PresenceFilter);
    if (creating_) {
        // Two sessions of one name could not be told apart by joiners.
        if (!adverts_.empty()) return FailOpen(OpenError::NameTaken);
        deadline_->stop();
        adverts_.clear();
        localSeq_ = highestSeq_ = 1;
        phase_ = Phase::Open;
        client_->Subscribe(PresenceTopic(localId_));
        PublishPresence();
        Tell({.What = Event::Kind::Open, .Player = {localId_, localName_, false}}, true);
        return;
    }
    if (adverts_.empty()) return FailOpen(foreign_ ? wire::OpenErrorOf(*foreign_) : OpenError::ConnectFailed);
    // Every advert of this name is knocked at (a forged one never answers); the first to admit us wins.
    phase_ = Phase::Knocking;
    std::vector<std::uint8_t> knock = EncodeKnock({options_.Who, localName_, password_});
    for (const Presence& a : adverts_) {
        knocked_.push_back(a.Id);
        Write(a.Id, Note::Knock, knock);
    }
    deadline_->start(options_.HandshakeTimeout);
}

void BrokerSession::Admit(PlayerId from, std::uint64_t token, std::span<const std::uint8_t> body) {
    Knock k;
    if (Verdict v = ParseKnock(body, options_.Who, k); v != Verdict::Accepted) return Refuse(from, v);
    if (!Admitting()) return Refuse(from, Verdict::Redirect);
    if (1 + members_.size() >= std::size_t(MaxSessionPlayers)) return Refuse(from, Verdict::Full);
    if (from == localId_ || FindMember(from)) return Refuse(from, Verdict::IdTaken);
    // Nobody may pass for a present player: his leave or his ready tick would be taken for the other's.
    bool nameTaken = SameName(k.Name, localName_) ||
                     std::ranges::any_of(members_, [&](const Member& m) { return SameName(k.Name, m.Name); });
    if (nameTaken) return Refuse(from, Verdict::NameTaken);
    if (k.Password != password_) return Refuse(from, Verdict::WrongPassword);

    Member joiner{from, ++highestSeq_, token, std::move(k.Name)};
    Answer a{options_.Who, Verdict::Accepted, joiner.Seq, {{localId_, localSeq_, token_, localName_}}};
    a.Players.insert(a.Players.end(), members_.begin(), members_.end());
    Write(from, Note::Answer, EncodeAnswer(a));
    // Every player hears of the joiner from this computer alone, so all list players in one order.
    std::vector<std::uint8_t> announce = EncodeMember(joiner);
    for (const Member& m : members_) Write(m.Id, Note::Announce, announce);
    Insert(std::move(joiner));
    PublishPresence();
}

void BrokerSession::HandleAnswer(PlayerId from, std::uint64_t token, std::span<const std::uint8_t> body) {
    auto at = std::ranges::find(knocked_, from);
    if (at == knocked_.end()) return;
    knocked_.erase(at);
    std::optional<Answer> a = ParseAnswer(body, options_.Who);
    // Admitted: the roster names the answerer with the token he signed with, and not us.
    bool sound =
        a && (a->Said != Verdict::Accepted ||
              (std::ranges::any_of(a->Players, [&](const Member& m) { return m.Id == from && m.Token == token; }) &&
               std::ranges::none_of(a->Players, [&](const Member& m) { return m.Id == localId_ || m.Seq >= a->Seq; })));
    if (!sound || a->Said != Verdict::Accepted) {
        // A stale advert's player no longer admits: he adds nothing to what the others said.
        if (!sound)
            refused_ = Verdict::Malformed;
        else if (a->Said != Verdict::Redirect)
            refused_ = a->Said;
        if (knocked_.empty()) FailOpen(refused_ ? wire::OpenErrorOf(*refused_) : OpenError::ConnectFailed);
        return;
    }
    deadline_->stop();
    auto advert = std::ranges::find(adverts_, from, &Presence::Id);
    if (advert != adverts_.end()) sessionName_ = advert->Session;
    adverts_.clear();
    localSeq_ = highestSeq_ = a->Seq;
    phase_ = Phase::Open;
    for (Member& m : a->Players) {
        highestSeq_ = std::max(highestSeq_, m.Seq);
        client_->Subscribe(PresenceTopic(m.Id));
        members_.push_back(std::move(m));
    }
    std::ranges::sort(members_, {}, &Member::Seq);
    client_->Subscribe(PresenceTopic(localId_));
    PublishPresence();
    Tell({.What = Event::Kind::Open, .Player = {localId_, localName_, false}}, true);
    std::deque<Early> early = std::move(early_);
    early_.clear();
    for (Early& e : early) HandleLetter(e.From, e.Payload);
}

void BrokerSession::HandleAnnounce(std::span<const std::uint8_t> body) {
    std::optional<Member> m = ParseMember(body);
    if (!m || m->Id == localId_ || FindMember(m->Id) || 1 + members_.size() >= std::size_t(MaxSessionPlayers)) return;
    // A newcomer joins after this computer, and the order counts up one by one: a number far
    // ahead would push every later joiner out of order.
    if (m->Seq <= localSeq_ || m->Seq > highestSeq_ + MaxSessionPlayers) return;
    highestSeq_ = std::max(highestSeq_, m->Seq);
    Insert(std::move(*m));
}

void BrokerSession::Insert(Member m) {
    PlayerId id = m.Id;
    SessionPlayer shown{m.Id, m.Name, true};
    auto at = std::ranges::upper_bound(members_, m.Seq, {}, &Member::Seq);
    members_.insert(at, std::move(m));
    client_->Subscribe(PresenceTopic(id));
    Tell({.What = Event::Kind::AddPlayer, .Player = shown}, true);
    // What he sent before his announcement came is his now.
    std::deque<Early> mine;
    std::erase_if(early_, [&](Early& e) {
        if (e.From != id) return false;
        mine.push_back(std::move(e));
        return true;
    });
    for (Early& e : mine) HandleLetter(e.From, e.Payload);
}

void BrokerSession::RemoveMember(PlayerId id) {
    auto it = std::ranges::find(members_, id, &Member::Id);
    if (it == members_.end()) return;
    SessionPlayer gone{id, it->Name, true};
    members_.erase(it);
    client_->Unsubscribe(PresenceTopic(id));
    std::erase_if(early_, [&](const Early& e) { return e.From == id; });
    Tell({.What = Event::Kind::DeletePlayer, .Player = gone}, true);
    // The next earliest player admits newcomers, and his presence becomes the advert.
    if (Admitting()) PublishPresence();
}

void BrokerSession::Refuse(PlayerId to, Verdict v) {
    Answer a;
    a.Who = options_.Who;
    a.Said = v;
    Write(to, Note::Answer, EncodeAnswer(a));
}

void BrokerSession::Write(PlayerId to, Note kind, std::span<const std::uint8_t> body) {
    if (client_) client_->Publish(InboxTopic(to, localId_), EncodeLetter(kind, token_, body));
}

Presence BrokerSession::OwnPresence(Standing now) const {
    auto players = static_cast<std::uint8_t>(1 + members_.size());
    return {options_.Who, localId_, 0, now, players, !password_.empty(), sessionName_, localName_};
}

std::vector<std::uint8_t> BrokerSession::SignedGone() const {
    Presence gone = OwnPresence(Standing::Gone);
    gone.Token = token_;
    return EncodePresence(gone);
}

void BrokerSession::PublishPresence() {
    published_ = EncodePresence(OwnPresence(Admitting() ? Standing::Admitting : Standing::Present));
    client_->Publish(PresenceTopic(localId_), published_, true);
}

bool BrokerSession::Admitting() const {
    return std::ranges::none_of(members_, [&](const Member& m) { return m.Seq < localSeq_; });
}

void BrokerSession::Tell(Event e, bool rosterChanged) {
    events_.Tell(std::move(e), rosterChanged ? std::optional(Roster()) : std::nullopt);
}

std::vector<SessionPlayer> BrokerSession::Roster() const {
    if (phase_ != Phase::Open) return {};
    std::vector<PlacedPlayer> others;
    for (const Member& m : members_) others.push_back({m.Id, &m.Name, m.Seq});
    return JoiningOrder(others, {localId_, &localName_, localSeq_});
}

void BrokerSession::FailOpen(OpenError e) {
    if (phase_ != Phase::Scanning && phase_ != Phase::Knocking) return;
    Shutdown(true);
    Tell({.What = Event::Kind::OpenFailed, .Error = e}, true);
}

void BrokerSession::LoseSession() {
    Shutdown(false);
    Tell({.What = Event::Kind::SessionLost}, true);
}

void BrokerSession::Shutdown(bool sayGoodbye) {
    if (client_) {
        if (sayGoodbye && phase_ == Phase::Open) {
            std::vector<std::uint8_t> leave = EncodeLetter(Note::Leave, token_);
            for (const Member& m : members_) client_->Publish(InboxTopic(m.Id, localId_), leave);
            // A joiner who heard of us from his admitter, before our leave could reach him, hears
            // it here instead, signed as the will is. A clean leave then takes the advert down and
            // the broker forgets the will.
            client_->Publish(PresenceTopic(localId_), SignedGone());
            client_->Publish(PresenceTopic(localId_), {}, true);
        }
        if (sayGoodbye) client_->Disconnect(GoodbyeLimit);
        client_->Connected = nullptr;
        client_->Message = nullptr;
        client_->Lost = nullptr;
        client_->deleteLater();
        client_ = nullptr;
    }
    members_.clear();
    early_.clear();
    adverts_.clear();
    knocked_.clear();
    published_.clear();
    foreign_.reset();
    refused_.reset();
    connected_ = false;
    deadline_->stop();
    tick_->stop();
    phase_ = Phase::Closed;
    localSeq_ = highestSeq_ = 0;
}

void BrokerSession::Close() {
    Shutdown(true);
    events_.Clear();
}

void BrokerSession::Tick() {
    auto now = Clock::now();
    std::erase_if(early_, [&](const Early& e) { return now > e.Expires; });
}

const Member* BrokerSession::FindMember(PlayerId id) const {
    auto it = std::ranges::find(members_, id, &Member::Id);
    return it == members_.end() ? nullptr : &*it;
}

SendResult BrokerSession::Send(PlayerId to, std::span<const std::uint8_t> block) {
    if (std::optional<SendResult> done = SendFirst(block, phase_ == Phase::Open, to, localId_, listener_)) return *done;
    if (to != ToAllOthers && !FindMember(to)) return SendResult::UnknownPlayer;
    std::vector<std::uint8_t> letter = EncodeLetter(Note::Data, token_, block);
    for (const Member& m : members_) {
        if (to == ToAllOthers || m.Id == to) client_->Publish(InboxTopic(m.Id, localId_), letter);
    }
    return SendResult::Sent;
}

}  // namespace korvant
