#pragma once
// Small hand-made games for tests: a map drawn as rows of text, states with
// the starting sciences, three troop kinds, and helpers that keep the soldier
// and general bookkeeping balanced.
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant::test {

// Each row is one map row; a cell is the owner's number as one character: '1'..'9',
// then 'A' = 10 .. 'K' = 20; '.' is no owner. The map is square: as many rows as columns.
// States 1..gosCount (the highest owner on the map when 0) are alive, named "Gos1", "Gos2", ...,
// have the starting sciences, Attitude 100, and their borders built from the map. Year 1.
std::unique_ptr<Game> MakeGame(const std::vector<std::string>& rows, int gosCount = 0);

// Adds soldiers to state s on its border with k (k = s: home defence), one count per troop kind
// from kind 1, and raises Soldiers to match.
void AddTroops(Game& game, int s, int k, std::initializer_list<int> troops);

// Hires a general for `owner` in his first free slot and posts him on `front` (0: nowhere) with
// `order`. Returns his slot number.
int PostGeneral(Game& game, int owner, int front, int order, const std::string& name = "Gen");

// Language texts given by id; any other id reads as its built-in default.
class TestTexts final : public TextSource {
public:
    explicit TestTexts(std::map<Msg, std::string> texts) : texts_(std::move(texts)) {}
    std::string Lookup(Msg id) const override;

private:
    std::map<Msg, std::string> texts_;
};

}  // namespace korvant::test
