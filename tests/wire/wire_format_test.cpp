// The framing and handshake messages as bytes: what one side writes the other reads back, and
// anything cut, padded or oversized is refused without reading past the bytes given.
#include <gtest/gtest.h>

#include <algorithm>

#include "wire/broker_wire.h"
#include "wire/byte_io.h"
#include "wire/discovery_messages.h"
#include "wire/frame_reader.h"
#include "wire/handshake.h"

namespace korvant::wire {
namespace {

TEST(BrokerWire, TopicsNameOnlyWellFormedIdsAndALetterIsReadOnlyFromTheOwnInbox) {
    using namespace broker;
    EXPECT_EQ(InboxTopic(0xAB, 0x1234CDEF), "korvant/1/in/000000ab/1234cdef");
    EXPECT_EQ(InboxSenderOf(InboxTopic(0xAB, 0x1234CDEF), 0xAB), 0x1234CDEFu);
    EXPECT_FALSE(InboxSenderOf(InboxTopic(0xAC, 0x1234CDEF), 0xAB));  // somebody else's inbox
    for (const char* bad :
         {"korvant/1/in/000000ab/1234CDEF", "korvant/1/in/000000ab/00000000", "korvant/1/in/000000ab/1234cde",
          "korvant/1/in/000000ab/1234cdef/x", "korvant/2/in/000000ab/1234cdef"})
        EXPECT_FALSE(InboxSenderOf(bad, 0xAB)) << bad;
    EXPECT_EQ(PresenceIdOf(PresenceTopic(7)), 7u);
    EXPECT_FALSE(PresenceIdOf("korvant/1/a/+"));
    // Every hex digit reads, and nothing past them.
    EXPECT_EQ(PresenceIdOf("korvant/1/a/9a0f0009"), 0x9A0F0009u);
    EXPECT_FALSE(PresenceIdOf("korvant/1/a/1234cdeg"));
    EXPECT_FALSE(PresenceIdOf("korvant/1/a/1234cde/"));
    EXPECT_FALSE(PresenceIdOf("korvant/2/a/1234cdef"));  // another version's
}

TEST(BrokerWire, MessagesReadBackAndCutOrForeignOnesAreRefused) {
    using namespace broker;
    Presence p{{}, 9, 77, Standing::Admitting, 3, true, "Алиса", "Боб"};
    auto bytes = EncodePresence(p);
    std::optional<Presence> back = ParsePresence(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Session, "Алиса");
    EXPECT_EQ(back->Now, Standing::Admitting);
    EXPECT_EQ(back->Token, 77u);
    EXPECT_TRUE(back->Password);
    bytes.pop_back();
    EXPECT_FALSE(ParsePresence(bytes));
    p.Players = MaxSessionPlayers;  // a full session is still read
    EXPECT_TRUE(ParsePresence(EncodePresence(p)));
    p.Players = MaxSessionPlayers + 1;
    EXPECT_FALSE(ParsePresence(EncodePresence(p)));
    EXPECT_FALSE(ParsePresence({}));  // a clean leave's empty presence
    p.Players = 1;
    bytes = EncodePresence(p);
    bytes.push_back(0);  // padded
    EXPECT_FALSE(ParsePresence(bytes));
    EXPECT_FALSE(ParsePresence(EncodePresence({{}, 0, 0, Standing::Admitting, 1, false, "s", "n"})));
    for (std::uint8_t now : {0, 1, 2, 3, 4})
        EXPECT_EQ(ParsePresence(EncodePresence({{}, 9, 0, Standing(now), 1, false, "s", "n"})).has_value(),
                  now >= 1 && now <= 3)
            << int(now);
    for (std::uint8_t flag : {0, 1, 2}) {
        std::vector<std::uint8_t> b = EncodePresence({{}, 9, 0, Standing::Present, 1, false, "s", "n"});
        b[b.size() - 5] = flag;  // the password flag precedes the two one-letter texts
        EXPECT_EQ(ParsePresence(b).has_value(), flag <= 1) << int(flag);
    }

    Answer a{{}, Verdict::Accepted, 3, {{1, 1, 11, "a"}, {2, 2, 22, "b"}}};
    std::optional<Answer> got = ParseAnswer(EncodeAnswer(a), Identity{});
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Players[1].Token, 22u);
    Identity other;
    other.Version = ProtocolVersion + 1;
    EXPECT_EQ(ParseAnswer(EncodeAnswer(a), other)->Said, Verdict::OtherVersion);
    Knock k;
    EXPECT_EQ(ParseKnock(EncodeKnock({other, "x", ""}), Identity{}, k), Verdict::OtherVersion);
    EXPECT_EQ(ParseKnock(EncodeKnock({{}, "x", "pw"}), Identity{}, k), Verdict::Accepted);
    EXPECT_EQ(k.Password, "pw");
    std::vector<std::uint8_t> knock = EncodeKnock({{}, "x", "pw"});
    knock.push_back(0);
    EXPECT_EQ(ParseKnock(knock, Identity{}, k), Verdict::Malformed);
    std::vector<std::uint8_t> answer = EncodeAnswer(a);
    answer.push_back(0);
    EXPECT_FALSE(ParseAnswer(answer, Identity{}));
    EXPECT_FALSE(ParseAnswer(std::vector<std::uint8_t>{1, 2, 3}, Identity{}));  // no identity at all
    EXPECT_EQ(ParseAnswer(EncodeAnswer({{}, Verdict::WrongPassword, 0, {}}), Identity{})->Said, Verdict::WrongPassword);
    EXPECT_FALSE(ParseAnswer(EncodeAnswer({{}, Verdict(9), 0, {}}), Identity{}));
    EXPECT_EQ(ParseMember(EncodeMember({7, 2, 70, "m"}))->Token, 70u);
    EXPECT_FALSE(ParseMember(EncodeMember({0, 2, 70, "m"})));  // player 0 is everybody else
    std::vector<std::uint8_t> member = EncodeMember({7, 2, 70, "m"});
    member.push_back(0);
    EXPECT_FALSE(ParseMember(member));

    EXPECT_FALSE(ParseLetter(std::vector<std::uint8_t>{4, 1, 2}));  // cut token
    EXPECT_FALSE(ParseLetter(EncodeLetter(Note(9), 1)));            // unknown kind
    EXPECT_FALSE(ParseLetter(EncodeLetter(Note(0), 1)));
    EXPECT_FALSE(ParseLetter(EncodeLetter(Note(7), 1)));
    EXPECT_EQ(ParseLetter(EncodeLetter(Note::Knock, 1))->Kind, Note::Knock);
    EXPECT_EQ(ParseLetter(EncodeLetter(Note::Probe, 1))->Kind, Note::Probe);
    EXPECT_FALSE(ParseLetter(EncodeLetter(Note::Data, 1, std::vector<std::uint8_t>(MaxFrameBytes))));
    EXPECT_EQ(ParseLetter(EncodeLetter(Note::Data, 5, std::vector<std::uint8_t>(4, 1)))->Token, 5u);
}

TEST(FrameReader, ReassemblesFramesFedInPiecesAndRefusesOversizedOnesAtOnce) {
    std::vector<std::uint8_t> stream = EncodeFrame(FrameKind::Data, std::vector<std::uint8_t>(300, 7));
    std::vector<std::uint8_t> second = EncodeFrame(FrameKind::KeepAlive);
    stream.insert(stream.end(), second.begin(), second.end());
    FrameReader r;
    std::vector<Frame> got;
    for (std::uint8_t b : stream) {  // one byte at a time
        r.Append({&b, 1});
        while (auto f = r.Next()) got.push_back(std::move(*f));
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Kind, FrameKind::Data);
    EXPECT_EQ(got[0].Body, std::vector<std::uint8_t>(300, 7));
    EXPECT_EQ(got[1].Kind, FrameKind::KeepAlive);
    EXPECT_FALSE(r.Pending());
    // The start of a frame that came with the end of another waits for its rest.
    FrameReader split;
    const std::size_t cut = stream.size() - 2;
    split.Append(std::span(stream).first(cut));
    ASSERT_TRUE(split.Next());
    EXPECT_FALSE(split.Next());
    split.Append(std::span(stream).subspan(cut));
    const std::optional<Frame> rest = split.Next();
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->Kind, FrameKind::KeepAlive);

    FrameReader big;
    std::uint32_t n = MaxFrameBytes + 1;
    std::vector<std::uint8_t> header{std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16),
                                     std::uint8_t(n >> 24)};
    big.Append(header);  // refused before a byte of the body came
    EXPECT_FALSE(big.Next());
    EXPECT_TRUE(big.Broken());

    // A frame of exactly the limit passes; one byte more does not.
    const std::vector<std::uint8_t> frame = EncodeFrame(FrameKind::Data, std::vector<std::uint8_t>(9, 1));
    const std::size_t length = frame[0] | frame[1] << 8 | frame[2] << 16 | std::size_t(frame[3]) << 24;
    FrameReader exact(length), under(length - 1);
    exact.Append(frame);
    under.Append(frame);
    EXPECT_TRUE(exact.Next());
    EXPECT_FALSE(under.Next());
    EXPECT_TRUE(under.Broken());

    // The first and the last kind are read as any other.
    FrameReader ends;
    for (FrameKind kind : {FrameKind::Hello, FrameKind::Leave})
        ends.Append(EncodeFrame(kind, std::vector<std::uint8_t>{9}));
    for (FrameKind kind : {FrameKind::Hello, FrameKind::Leave}) {
        const std::optional<Frame> f = ends.Next();
        EXPECT_TRUE(f && f->Kind == kind) << int(kind);
    }

    // A frame of no length, without even its kind, breaks the stream whatever comes after it.
    FrameReader empty;
    empty.Append(std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 0, 0, 5});
    EXPECT_FALSE(empty.Next());
    EXPECT_TRUE(empty.Broken());

    // A kind this game does not send, just past either end, breaks the stream, even in a frame of
    // the kind byte alone.
    for (std::uint8_t kind : {std::uint8_t(0), std::uint8_t(7), std::uint8_t(0xEE)}) {
        FrameReader unknown;
        unknown.Append(std::vector<std::uint8_t>{1, 0, 0, 0, kind});
        EXPECT_FALSE(unknown.Next()) << int(kind);
        EXPECT_TRUE(unknown.Broken()) << int(kind);
    }
}

// A text whose length byte promises more than came fails the read, and nothing past the bytes is read.
TEST(ByteReader, ATextLongerThanItsBytesFailsTheRead) {
    const std::vector<std::uint8_t> bytes{3, 'a', 'b', 0xFF};
    ByteReader r{std::span(bytes).first(3)};
    EXPECT_EQ(r.ShortText(), "");
    EXPECT_TRUE(r.Failed());
    ByteReader whole{std::span(bytes).first(4)};
    EXPECT_EQ(whole.ShortText(), "ab\xFF");
    EXPECT_TRUE(whole.Done());
}

TEST(Handshake, ReadsBackWhatItWritesAndRefusesEveryCutOrPaddedForm) {
    Identity ours;
    Hello h{ours, Intent::Link, 42, 4000, "Иван"};
    std::vector<std::uint8_t> body = EncodeHello(h);
    Hello back;
    ASSERT_EQ(ParseHello(body, ours, back), Verdict::Accepted);
    EXPECT_EQ(back.Id, 42u);
    EXPECT_EQ(back.Want, Intent::Link);
    EXPECT_EQ(back.Port, 4000);
    EXPECT_EQ(back.Name, "Иван");
    Hello longName = h;  // a text keeps at most 255 bytes, and its length says so
    longName.Name = std::string(300, 'x');
    ASSERT_EQ(ParseHello(EncodeHello(longName), ours, back), Verdict::Accepted);
    EXPECT_EQ(back.Name, std::string(255, 'x'));
    for (std::size_t cut = 7; cut < body.size(); ++cut) {
        EXPECT_EQ(ParseHello(std::span(body).first(cut), ours, back), Verdict::Malformed) << cut;
    }
    body.push_back(0);
    EXPECT_EQ(ParseHello(body, ours, back), Verdict::Malformed);
    Hello nobody = h;
    nobody.Id = 0;  // the address of everybody else
    EXPECT_EQ(ParseHello(EncodeHello(nobody), ours, back), Verdict::Malformed);
    for (std::uint8_t want : {0, 3}) {  // neither a join nor a link
        Hello odd = h;
        odd.Want = static_cast<Intent>(want);
        EXPECT_EQ(ParseHello(EncodeHello(odd), ours, back), Verdict::Malformed) << int(want);
    }

    Welcome w;
    w.Seq = 3;
    w.Players = {{7, 1, 0, 4000, "A"}, {9, 2, 0x7F000001, 4001, "B"}};
    std::vector<std::uint8_t> wb = EncodeWelcome(w);
    std::optional<Welcome> wback = ParseWelcome(wb, ours);
    ASSERT_TRUE(wback);
    EXPECT_EQ(wback->Players.size(), 2u);
    EXPECT_EQ(wback->Players[1].Ipv4, 0x7F000001u);
    for (std::size_t cut = 0; cut < wb.size(); ++cut) EXPECT_FALSE(ParseWelcome(std::span(wb).first(cut), ours)) << cut;
    std::vector<std::uint8_t> padded = wb;
    padded.push_back(0);
    EXPECT_FALSE(ParseWelcome(padded, ours));
    // A member's announcement of a newcomer likewise.
    std::vector<std::uint8_t> ab = EncodeAnnounce(w.Players[1]);
    ASSERT_TRUE(ParseAnnounce(ab));
    EXPECT_EQ(ParseAnnounce(ab)->Port, 4001);
    for (std::size_t cut = 0; cut < ab.size(); ++cut) EXPECT_FALSE(ParseAnnounce(std::span(ab).first(cut))) << cut;
    ab.push_back(0);
    EXPECT_FALSE(ParseAnnounce(ab));
    w.Players[1].Id = 7;  // one player twice
    EXPECT_FALSE(ParseWelcome(EncodeWelcome(w), ours));
    // The joiner makes the session full: a welcome lists at most the others.
    w.Players.clear();
    for (std::uint32_t id = 1; id < MaxSessionPlayers; ++id) w.Players.push_back({id, id, 0x7F000001, 4000, "P"});
    EXPECT_TRUE(ParseWelcome(EncodeWelcome(w), ours));
    w.Players.push_back({99, 99, 0x7F000001, 4000, "P"});
    EXPECT_FALSE(ParseWelcome(EncodeWelcome(w), ours));
}

TEST(Handshake, ATooNewVersionIsToldApartFromAnotherProgram) {
    Identity ours, newer, foreign;
    newer.Version = ProtocolVersion + 1;
    foreign.Guid = "{11111111-0000-0000-0000-123000000000}";
    Hello h;
    h.Id = 1;
    h.Who = newer;
    Hello out;
    EXPECT_EQ(ParseHello(EncodeHello(h), ours, out), Verdict::OtherVersion);
    h.Who = foreign;
    EXPECT_EQ(ParseHello(EncodeHello(h), ours, out), Verdict::OtherProgram);
    Welcome w;
    w.Who = newer;
    EXPECT_EQ(ParseWelcome(EncodeWelcome(w), ours)->Answer, Verdict::OtherVersion);
    // An answer past the last one a computer of ours gives is no answer.
    Welcome refusal;
    refusal.Answer = Verdict::WrongPassword;
    std::vector<std::uint8_t> unknown = EncodeWelcome(refusal);
    refusal.Answer = Verdict::Full;
    const std::vector<std::uint8_t> full = EncodeWelcome(refusal);
    unknown[std::ranges::mismatch(unknown, full).in1 - unknown.begin()] = std::uint8_t(Verdict::WrongPassword) + 1;
    EXPECT_FALSE(ParseWelcome(unknown, ours));
    // Another program's greeting or answer is foreign once its magic word is read, however short.
    Identity otherMagic;
    otherMagic.Magic ^= 1;
    w.Who = h.Who = otherMagic;
    const std::vector<std::uint8_t> hello = EncodeHello(h), welcome = EncodeWelcome(w);
    EXPECT_EQ(ParseHello(std::span(hello).first(5), ours, out), Verdict::OtherProgram);
    EXPECT_EQ(ParseHello(std::span(hello).first(3), ours, out), Verdict::Malformed);
    EXPECT_EQ(ParseWelcome(std::span(welcome).first(5), ours)->Answer, Verdict::OtherProgram);
    EXPECT_FALSE(IsSearch(EncodeSearch(foreign), ours));
    std::vector<std::uint8_t> search = EncodeSearch(ours);
    EXPECT_TRUE(IsSearch(search, ours));
    search.push_back(0);
    EXPECT_FALSE(IsSearch(search, ours));
    EXPECT_FALSE(ParseAdvert(EncodeAdvert(newer, {1, 1, "x"}), ours));
    EXPECT_EQ(ParseAdvert(EncodeAdvert(ours, {47130, 3, "x"}), ours)->Players, 3);
    std::vector<std::uint8_t> padded = EncodeAdvert(ours, {47130, 3, "x"});
    padded.push_back(0);
    EXPECT_FALSE(ParseAdvert(padded, ours));
    // An advert nobody could join from is no advert: no port, nobody in it, or more than a session holds.
    for (const Advert& unjoinable :
         {Advert{0, 3, "x"}, Advert{47130, 0, "x"}, Advert{47130, MaxSessionPlayers + 1, "x"}})
        EXPECT_FALSE(ParseAdvert(EncodeAdvert(ours, unjoinable), ours));
    EXPECT_TRUE(ParseAdvert(EncodeAdvert(ours, {47130, MaxSessionPlayers, "x"}), ours));
}

}  // namespace
}  // namespace korvant::wire
