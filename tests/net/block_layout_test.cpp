// The blocks' layouts against bytes written out by hand, and their round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/state_fields.h"
#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/chronicle_parts.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"
#include "save/container.h"
#include "support/net_game.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;

bool AllZero(const Bytes& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (b[i] != 0) return false;
    return true;
}

TEST(NetBlocks, SmallAndChatBlocksByteForByte) {
    EXPECT_EQ(EncodeSmall(BlockKind::Ready, 0), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EncodeSmall(BlockKind::TurnTime, 7), (Bytes{2, 0, 0, 0, 7, 0, 0, 0}));
    EXPECT_EQ(EncodeSmall(BlockKind::GameOver), (Bytes{15, 0, 0, 0, 1, 0, 0, 0}));
    // "Да" in Windows-1251 is C4 E0.
    EXPECT_EQ(EncodeChat("Да", 0x00112233), (Bytes{0, 0, 0, 0, 0x33, 0x22, 0x11, 0, 2, 0, 0xC4, 0xE0, 0, 0}));

    const std::string long_text(300, 'x');
    const Bytes chat = EncodeChat(long_text, 5);
    ASSERT_EQ(chat.size(), 312u);
    EXPECT_EQ(chat[8] | chat[9] << 8, 300);
    EXPECT_EQ(DecodeChat(chat).text, long_text);
    EXPECT_EQ(DecodeChat(chat).colour, 5);
}

TEST(NetBlocks, MapBlockLayout) {
    auto game = test::MakeNetGame();
    const Bytes b = EncodeMap(*game, BlockKind::Map);
    ASSERT_EQ(b.size(), 10412u);
    EXPECT_EQ(KindOf(b), 3);
    EXPECT_EQ(b[4], 4);
    EXPECT_EQ(b[5], 50);
    EXPECT_EQ(b[6 + 102 * 1 + 1], 1);
    EXPECT_EQ(b[6 + 102 * 50 + 50], 4);
    EXPECT_EQ(b[6 + 102 * 51 + 1], 0);  // the frame
    EXPECT_TRUE(AllZero(b, 10410, 10412));
    EXPECT_EQ(KindOf(EncodeMap(*game, BlockKind::MapUpdate)), 16);
}

TEST(NetBlocks, FullStateLayoutIsPinnedAndReproducible) {
    auto game = test::MakeNetGame();
    game->MesList.Clear();
    game->CostGrowth = 2.5f;
    game->TurnMinutes = 3;
    const Bytes empty = EncodeFullState(*game, 0x01020304);
    ASSERT_EQ(empty.size(), 90792u);

    game->MesList.Add(MesForState, 2, 0x0A0B0C, "msg");
    const Bytes b = EncodeFullState(*game, 0x01020304);
    ASSERT_EQ(b.size(), 90792u + 264);
    EXPECT_EQ(KindOf(b), 10);
    EXPECT_EQ(GetAt<int32_t>(b, 4 + 2880 * 1 + 24 * 5 + 12), 2006);  // History[2][6].Peasants
    EXPECT_EQ(b[57604 + 25 * 1 + 16], 2);                            // mGeneral[2].Owner
    EXPECT_EQ(GetAt<int32_t>(b, 62632 + 848 * 2 + 56), 503);         // mGos[3].Money
    EXPECT_EQ(b[79592 + 102 * 1 + 26], 2);                           // Map[1][26]
    EXPECT_EQ(GetAt<float>(b, 89996), 2.5f);
    EXPECT_EQ((Bytes{b[90000], b[90001], b[90002], b[90003]}), (Bytes{7, 4, 4, 50}));
    EXPECT_EQ(b[90004], Utf8ToCp1251(game->Chronicle).size());
    EXPECT_EQ(b[90260], 0);
    EXPECT_EQ(b[90516], 3);
    EXPECT_EQ(GetAt<uint32_t>(b, 90520), 0x01020304u);
    EXPECT_EQ(GetAt<uint16_t>(b, 90524), 1);
    EXPECT_EQ((Bytes{b[90528], b[90529]}), (Bytes{1, 2}));
    EXPECT_EQ(GetAt<int32_t>(b, 90532), 0x0A0B0C);
    EXPECT_EQ(b[90536], 3);
    for (auto [from, to] : {std::pair<std::size_t, std::size_t>{62629, 62632},
                            {90517, 90520},
                            {90526, 90528},
                            {90536 + 4, 90528 + 264},
                            {90528 + 264, b.size()}})
        EXPECT_TRUE(AllZero(b, from, to)) << from;
    EXPECT_EQ(EncodeFullState(*game, 0x01020304), b);
}

TEST(NetBlocks, ChronicleSplitsAt199AndKeeps454) {
    auto parts = [](std::size_t n) { return SplitChronicle(std::string(n, 'a')); };
    EXPECT_EQ(parts(199).first.size(), 199u);
    EXPECT_EQ(parts(199).second.size(), 0u);
    EXPECT_EQ(parts(200).first.size(), 199u);
    EXPECT_EQ(parts(200).second.size(), 1u);

    auto game = test::MakeNetGame();
    std::string chronicle;
    for (int i = 0; i < 500; ++i) chronicle += char('a' + i % 26);
    game->Chronicle = chronicle;
    const FullState back = DecodeFullState(EncodeFullState(*game, 1));
    EXPECT_EQ(back.game->Chronicle, chronicle.substr(0, 454));
}

TEST(NetBlocks, TurnResultLayout) {
    auto game = test::MakeNetGame();
    const Bytes none = EncodeTurnResult(*game, 4);
    EXPECT_EQ(none.size(), 13096u);  // state 4 has no messages

    const Bytes b = EncodeTurnResult(*game, 1);
    ASSERT_EQ(b.size(), 13096u + 2 * 264);
    EXPECT_EQ(KindOf(b), 11);
    EXPECT_EQ(GetAt<int32_t>(b, 4 + 24 * 1 + 12), 2006);  // History[2][Year - 1].Peasants
    EXPECT_EQ(b[484], 1);                                 // slot 1, the first of state 1
    EXPECT_EQ(b[484 + 25 + 16], 1);                       // slot 21, the second of state 1: "Front"
    EXPECT_EQ(b[734 + 102 * 30 + 30], 4);
    EXPECT_EQ(b[11140 + 16 * 2], 1);  // state 3 alive
    EXPECT_EQ(GetAt<int32_t>(b, 11140 + 16 * 2 + 4), 3000);
    EXPECT_EQ(GetAt<int32_t>(b, 11464 + 56), 501);
    EXPECT_EQ(b[12312], 7);
    EXPECT_EQ(GetAt<uint16_t>(b, 12826), 2);
    EXPECT_EQ(b[12828 + 8 + 1], 0xCF);        // "П", the first message's first letter
    EXPECT_EQ(b[12828 + 264 + 8 + 1], 0xC1);  // "Б": state 2's message is left out
    EXPECT_TRUE(AllZero(b, 11138, 11140));
    EXPECT_TRUE(AllZero(b, 11140 + 16 * 4, 11464));
    EXPECT_TRUE(AllZero(b, 12828 + 2 * 264, b.size()));
}

TEST(NetBlocks, PlayerTurnLayout) {
    auto game = test::MakeNetGame(2);
    const Bytes b = EncodePlayerTurn(*game);
    ASSERT_EQ(b.size(), 1104u);
    EXPECT_EQ(KindOf(b), 12);
    EXPECT_EQ(b[4], 2);
    EXPECT_EQ(b[5], 2);  // slot 2's own number
    EXPECT_EQ(b[5 + 16], 2);
    EXPECT_EQ(b[255], 0);
    EXPECT_EQ(GetAt<int32_t>(b, 256), 2);  // Human
    EXPECT_EQ(GetAt<int32_t>(b, 256 + 56), 502);
}

TEST(NetBlocks, EnvelopeCarriesTheBlockAndItsLength) {
    auto game = test::MakeNetGame();
    const Bytes block = EncodeFullState(*game, 1);
    Bytes packed = PackEnvelope(block);
    EXPECT_EQ(KindOf(packed), 1000);
    EXPECT_EQ(GetAt<int32_t>(packed, 4), int32_t(packed.size()));
    EXPECT_EQ(std::string(packed.begin() + 8, packed.begin() + 12), "WRZL");
    EXPECT_EQ(UnpackEnvelope(packed), block);
    // A peer may pack with the other coder: the container's magic names it.
    const Bytes good = PackBlock(block, TCompressMode::Good);
    EXPECT_EQ(std::string(good.begin() + 8, good.begin() + 12), "!HZL");
    EXPECT_EQ(UnpackEnvelope(good), block);

    Bytes longer = packed;
    longer.push_back(0);
    EXPECT_THROW(UnpackEnvelope(longer), BlockError);
    Bytes huge = packed;
    PutAt(huge, 12, int32_t(LargestPackedBlock() + 1));
    EXPECT_THROW(UnpackEnvelope(huge), BlockError);
    Bytes damaged = packed;
    damaged.resize(damaged.size() / 2);
    PutAt(damaged, 4, int32_t(damaged.size()));
    EXPECT_THROW(UnpackEnvelope(damaged), BlockError);
    // What comes out is at least a kind; the largest full state and the largest backup both fit.
    EXPECT_THROW(UnpackEnvelope(PackEnvelope(Bytes{10, 0, 0})), BlockError);
    EXPECT_EQ(UnpackEnvelope(PackEnvelope(Bytes{10, 0, 0, 0})).size(), 4u);
    for (const std::size_t size : {FullStateSize(0xFFFF), LargestBackup()}) {
        Bytes largest(size, 0);
        largest[0] = 10;
        EXPECT_EQ(UnpackEnvelope(PackEnvelope(largest)).size(), size);
    }
}

TEST(NetBlocks, DecodersRefuseWrongSizesAndValues) {
    auto game = test::MakeNetGame(2);
    Bytes chat = EncodeChat("abc", 0);
    PutAt(chat, 8, uint16_t(4));  // one more character than present
    EXPECT_THROW(DecodeChat(chat), BlockError);
    EXPECT_THROW(DecodeSmall(Bytes{1, 0, 0, 0, 1}), BlockError);

    Bytes map = EncodeMap(*game, BlockKind::Map);
    auto refusedMap = [&](std::size_t at, uint8_t value) {
        Bytes b = map;
        b[at] = value;
        return [b] { DecodeMap(b); };
    };
    EXPECT_THROW(refusedMap(4, 1)(), BlockError);                  // one state
    EXPECT_THROW(refusedMap(4, 21)(), BlockError);                 // 21 states
    EXPECT_THROW(refusedMap(5, 49)(), BlockError);                 // map too small
    EXPECT_THROW(refusedMap(6 + 102 * 3 + 3, 5)(), BlockError);    // a cell of no state
    EXPECT_THROW(refusedMap(6 + 102 * 51 + 51, 9)(), BlockError);  // the frame

    const Bytes full = EncodeFullState(*game, 1);
    EXPECT_THROW(DecodeFullState(Bytes(full.begin(), full.end() - 1)), BlockError);
    Bytes year = full;
    year[90000] = MaxYears;  // the game's last year is a year like the others
    EXPECT_EQ(DecodeFullState(year).game->Year, MaxYears);
    year[90000] = MaxYears + 1;
    EXPECT_THROW(DecodeFullState(year), BlockError);
    Bytes count = full;
    PutAt(count, 90524, uint16_t(4));  // more messages than the block holds
    EXPECT_THROW(DecodeFullState(count), BlockError);

    Bytes turn = EncodeTurnResult(*game, 2);
    turn[12312] = 1;  // no finished year
    EXPECT_THROW(DecodeTurnResult(turn, *game), BlockError);
    turn[12312] = MaxYears;
    EXPECT_EQ(DecodeTurnResult(turn, *game).year, MaxYears);
    turn[12312] = MaxYears + 1;
    EXPECT_THROW(DecodeTurnResult(turn, *game), BlockError);
    const Bytes others = EncodeTurnResult(*game, 1);  // state 1's generals and messages for state 2's player
    EXPECT_THROW(DecodeTurnResult(others, *game), BlockError);
    Bytes foreign = EncodeTurnResult(*game, 2);
    foreign[turn_result_block::Messages + 1] = 1;  // its own generals, but its one message names state 1
    EXPECT_THROW(DecodeTurnResult(foreign, *game), BlockError);

    Bytes player = EncodePlayerTurn(*game);
    player[4] = 5;
    EXPECT_THROW(DecodePlayerTurn(player, *game), BlockError);
}

// Every record a received game brings is held to what the receiving game can index: a corrupt or
// hostile peer's block is refused before any of it is used.
TEST(NetBlocks, DecodersHoldEveryRecordToTheGamesBounds) {
    const Bytes map = EncodeMap(*test::MakeNetGame(), BlockKind::Map);
    const auto decodesMap = [&](std::size_t at, uint8_t value) {
        Bytes b = map;
        b[at] = value;
        try {
            DecodeMap(b);
            return true;
        } catch (const BlockError&) {
            return false;
        }
    };
    EXPECT_TRUE(decodesMap(5, 100));   // the largest map
    EXPECT_FALSE(decodesMap(5, 101));  // no longer fits the grid
    EXPECT_TRUE(decodesMap(4, MaxStates));
    Bytes two = map;  // the fewest states of a network game
    two[4] = 2;
    for (std::size_t i = 6; i < two.size(); ++i) two[i] = std::min<uint8_t>(two[i], 2);
    EXPECT_NO_THROW(DecodeMap(two));
    EXPECT_FALSE(decodesMap(6 + 102 * 0 + 3, 5));  // the frame's first row
    EXPECT_FALSE(decodesMap(6 + 102 * 3 + 0, 5));  // the frame's first column

    // A full state: a bad value in any state, general or message, or no server named.
    const auto decodesFull = [](auto&& change) {
        auto game = test::MakeNetGame();
        change(*game);
        try {
            DecodeFullState(EncodeFullState(*game, 1));
            return true;
        } catch (const BlockError&) {
            return false;
        }
    };
    EXPECT_TRUE(decodesFull([](Game& g) { g.mGos[4].Border[3].Commander = GeneralSlots; }));
    EXPECT_FALSE(decodesFull([](Game& g) { g.mGos[4].Border[3].Commander = GeneralSlots + 1; }));
    EXPECT_FALSE(decodesFull([](Game& g) { g.LivingCount = 5; }));
    EXPECT_TRUE(decodesFull([](Game& g) { g.mGeneral[GeneralSlots].Front = 4; }));
    EXPECT_FALSE(decodesFull([](Game& g) { g.mGeneral[GeneralSlots].Front = 5; }));
    EXPECT_FALSE(decodesFull([](Game& g) { g.mGeneral[7].Owner = 5; }));
    EXPECT_FALSE(decodesFull([](Game& g) { g.MesList.Add(MesForState, 0, 0, "nobody's"); }));
    EXPECT_THROW(DecodeFullState(EncodeFullState(*test::MakeNetGame(), 0)), BlockError);

    // A turn result: for a computer that plays a state, with a map and a state record that fit.
    auto game = test::MakeNetGame(4);  // the last state's
    EXPECT_NO_THROW(DecodeTurnResult(EncodeTurnResult(*game, 4), *game));
    for (uint8_t own : {0, 5}) {
        game->CurGos = own;
        EXPECT_THROW(DecodeTurnResult(EncodeTurnResult(*game, 4), *game), BlockError) << int(own);
    }
    game->CurGos = 4;
    Bytes cell = EncodeTurnResult(*game, 4);
    cell[turn_result_block::Map + 102 * 3 + 3] = 5;
    EXPECT_THROW(DecodeTurnResult(cell, *game), BlockError);
    game->mGos[4].Border[2].Commander = GeneralSlots + 1;
    EXPECT_THROW(DecodeTurnResult(EncodeTurnResult(*game, 4), *game), BlockError);
    game->mGos[4].Border[2].Commander = 0;
    Bytes nobodys = EncodePlayerTurn(*game);
    nobodys[4] = 0;  // a player's turn for no state
    EXPECT_THROW(DecodePlayerTurn(nobodys, *game), BlockError);
}

}  // namespace
}  // namespace korvant
