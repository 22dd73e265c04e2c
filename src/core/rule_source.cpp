#include "core/rule_source.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251.h"

namespace korvant {
namespace {

struct SourceError {
    std::string message;
};

// A meaningful line of a source file, with its place for error messages.
struct Line {
    std::string file;
    int number;
    std::string text;

    [[noreturn]] void Fail(const std::string& message) const {
        throw SourceError{file + ":" + std::to_string(number) + ": " + message};
    }
};

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

std::vector<Line> ReadLines(const std::filesystem::path& dir, const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    if (!in) throw SourceError{"cannot open " + (dir / name).string()};
    std::vector<Line> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::string_view t = Trim(text);
        if (t.empty() || t.front() == '#') continue;
        lines.push_back({(dir.filename() / name).generic_string(), number, std::string(t)});
    }
    return lines;
}

std::vector<std::string> Split(std::string_view s, char separator) {
    std::vector<std::string> parts;
    for (std::size_t at = 0;;) {
        std::size_t next = s.find(separator, at);
        parts.emplace_back(Trim(s.substr(at, next == std::string_view::npos ? next : next - at)));
        if (next == std::string_view::npos) return parts;
        at = next + 1;
    }
}

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> words;
    for (const std::string& w : Split(s, ' '))
        if (!w.empty()) words.push_back(w);
    return words;
}

double Number(const Line& line, const std::string& word) {
    double value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        line.Fail("\"" + word + "\" is not a number");
    return value;
}

int Integer(const Line& line, const std::string& word, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || value < low || value > high)
        line.Fail("\"" + word + "\" is not a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

std::vector<double> Numbers(const Line& line, const std::string& field, std::size_t count, const char* what) {
    std::vector<std::string> words = Words(field);
    if (words.size() != count)
        line.Fail("expected " + std::to_string(count) + " " + what + ", found " + std::to_string(words.size()));
    std::vector<double> values;
    for (const std::string& w : words) values.push_back(Number(line, w));
    return values;
}

// Stores a text that must fit the field whole and be writable in Windows-1251.
template <int Cap>
void SetText(const Line& line, ShortString<Cap>& field, const std::string& utf8) {
    std::string cp = Utf8ToCp1251(utf8);
    if (Cp1251ToUtf8(cp) != utf8) line.Fail("\"" + utf8 + "\" has characters that Windows-1251 cannot hold");
    if (cp.size() > std::size_t(Cap))
        line.Fail("\"" + utf8 + "\" is longer than " + std::to_string(Cap) + " characters");
    field = {};  // a text written over another leaves no trace of it in the file
    field.setRaw(cp);
}

struct TacticSource {
    double damage, gain, loss;
    std::vector<double> weights;
};

using Grid = std::vector<std::vector<double>>;

void ReadKinds(const std::filesystem::path& dir, TRuleRecord& r) {
    for (const Line& line : ReadLines(dir, "kinds.txt")) {
        if (r.KindCount == MaxKinds) line.Fail("more than " + std::to_string(MaxKinds) + " troop kinds");
        SetText(line, r.KindNames[++r.KindCount], line.text);
    }
}

std::vector<TacticSource> ReadTactics(const std::filesystem::path& dir, TRuleRecord& r) {
    std::vector<TacticSource> tactics;
    for (const Line& line : ReadLines(dir, "tactics.txt")) {
        if (r.TacticCount == MaxTactics) line.Fail("more than " + std::to_string(MaxTactics) + " tactics");
        std::vector<std::string> fields = Split(line.text, '|');
        if (fields.size() != 5) line.Fail("expected number | name | minimums | strike | kind weights");
        int n = r.TacticCount + 1;
        if (Integer(line, fields[0], 1, MaxTactics) != n) line.Fail("expected tactic " + std::to_string(n));
        TTactic& tactic = r.TacticTable[n];
        SetText(line, tactic.Name, fields[1]);
        std::vector<std::string> mins = Words(fields[2]);
        if (mins.size() != 3) line.Fail("expected three minimums: knowledge, spirit, army spirit");
        tactic.MinKnowledge = uint8_t(Integer(line, mins[0], 0, 255));
        tactic.MinSpirit = uint8_t(Integer(line, mins[1], 0, 255));
        tactic.MinArmySpirit = uint8_t(Integer(line, mins[2], 0, 255));
        std::vector<double> strike = Numbers(line, fields[3], 3, "strike values (damage, gain, loss)");
        tactics.push_back({strike[0], strike[1], strike[2], Numbers(line, fields[4], r.KindCount, "kind weights")});
        r.TacticCount = uint8_t(n);
    }
    return tactics;
}

void ReadMatchups(const std::filesystem::path& dir, int tacticCount, Grid& damage, Grid& spirit) {
    Grid* grid = nullptr;
    for (const Line& line : ReadLines(dir, "matchups.txt")) {
        if (line.text == "damage" || line.text == "spirit") {
            grid = line.text == "damage" ? &damage : &spirit;
            if (!grid->empty()) line.Fail("the " + line.text + " grid is given twice");
            continue;
        }
        if (!grid) line.Fail("a grid must begin with a line \"damage\" or \"spirit\"");
        std::vector<std::string> words = Words(line.text);
        int row = int(grid->size()) + 1;
        if (row > tacticCount || Integer(line, words[0], 1, MaxTactics) != row)
            line.Fail("expected row " + std::to_string(row) + " of " + std::to_string(tacticCount));
        words.erase(words.begin());
        std::string rest;
        for (const std::string& w : words) rest += w + " ";
        grid->push_back(Numbers(line, rest, tacticCount, "multipliers, one per tactic"));
    }
    for (const auto& [name, table] : {std::pair{"damage", &damage}, std::pair{"spirit", &spirit}})
        if (int(table->size()) != tacticCount)
            throw SourceError{"matchups.txt: the " + std::string(name) + " grid has " + std::to_string(table->size()) +
                              " rows, not " + std::to_string(tacticCount)};
}

void ReadNarration(const std::filesystem::path& dir, TRuleRecord& r) {
    int n = r.TacticCount;
    std::vector<bool> given(std::size_t(n * n), false);
    for (const Line& line : ReadLines(dir, "narration.txt")) {
        std::vector<std::string> fields = Split(line.text, '|');
        std::vector<std::string> pair = fields.empty() ? std::vector<std::string>{} : Words(fields[0]);
        if (fields.size() != 3 || pair.size() != 2) line.Fail("expected t u | first line | second line");
        int t = Integer(line, pair[0], 1, n), u = Integer(line, pair[1], 1, n);
        if (given[std::size_t((t - 1) * n + u - 1)]) line.Fail("a second text for tactics " + fields[0]);
        if (fields[1].empty() || fields[2].empty()) line.Fail("both lines are needed");
        given[std::size_t((t - 1) * n + u - 1)] = true;
        // The battle report shows the text up to the carriage return in one colour and the rest,
        // after the character that follows it, in another.
        SetText(line, r.BattleTexts[t][u], fields[1] + "\r\n" + fields[2]);
    }
    for (int t = 1; t <= n; ++t)
        for (int u = 1; u <= n; ++u)
            if (!given[std::size_t((t - 1) * n + u - 1)])
                throw SourceError{"narration.txt: no text for tactics " + std::to_string(t) + " " + std::to_string(u)};
}

// Another language's names and narration over the numbers already read.
void ReadTexts(const std::filesystem::path& dir, TRuleRecord& r) {
    const std::vector<Line> kinds = ReadLines(dir, "kinds.txt");
    if (int(kinds.size()) != r.KindCount)
        throw SourceError{(dir.filename() / "kinds.txt").generic_string() + ": " + std::to_string(kinds.size()) +
                          " names for " + std::to_string(r.KindCount) + " troop kinds"};
    for (int k = 1; k <= r.KindCount; ++k)
        SetText(kinds[std::size_t(k - 1)], r.KindNames[k], kinds[std::size_t(k - 1)].text);

    const std::vector<Line> tactics = ReadLines(dir, "tactics.txt");
    int n = 0;
    for (const Line& line : tactics) {
        std::vector<std::string> fields = Split(line.text, '|');
        if (fields.size() != 2) line.Fail("expected number | name");
        if (++n > r.TacticCount || Integer(line, fields[0], 1, MaxTactics) != n)
            line.Fail("expected tactic " + std::to_string(n) + " of " + std::to_string(r.TacticCount));
        SetText(line, r.TacticTable[n].Name, fields[1]);
    }
    if (n != r.TacticCount)
        throw SourceError{(dir.filename() / "tactics.txt").generic_string() + ": " + std::to_string(n) + " names for " +
                          std::to_string(r.TacticCount) + " tactics"};
    ReadNarration(dir, r);
}

}  // namespace

RuleDataResult ReadRuleSource(const std::filesystem::path& dir, TRuleRecord& rules,
                              const std::filesystem::path& textDir) {
    TRuleRecord r;
    std::memset(&r, 0, sizeof r);  // bytes behind the texts and unused cells stay zero
    try {
        ReadKinds(dir, r);
        std::vector<TacticSource> tactics = ReadTactics(dir, r);
        Grid damage, spirit;
        ReadMatchups(dir, r.TacticCount, damage, spirit);
        ReadNarration(dir, r);
        if (!textDir.empty()) ReadTexts(textDir, r);
        for (int t = 1; t <= r.TacticCount; ++t)
            for (int u = 1; u <= r.TacticCount; ++u)
                for (int k = 1; k <= r.KindCount; ++k) {
                    const TacticSource& s = tactics[std::size_t(t - 1)];
                    r.BattleTable[t][u][k] = {s.damage * s.weights[std::size_t(k - 1)] * damage[t - 1][u - 1], s.gain,
                                              s.loss * spirit[t - 1][u - 1]};
                }
    } catch (const SourceError& e) {
        return {e.message};
    }
    if (std::string problem = RuleProblem(r); !problem.empty()) return {dir.string() + ": " + problem};
    rules = r;
    return {};
}

}  // namespace korvant
