#include "sim/computer_economy.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/check_state.h"
#include "core/numbers.h"

namespace korvant {

int GeneralPrice(int mapSize, int gosCount, int age, int knowledge, int attestation, int speed) {
    constexpr int Unaffordable = std::numeric_limits<int32_t>::max();
    if (age <= 0 || gosCount <= 0 || knowledge < 0 || speed < 0) return Unaffordable;
    const Extended pace = speed > 0 ? Extended(Trunc(Power(0.3L * speed, 1.15L))) : 0;
    Extended talent = 1;
    switch (attestation) {
        case 2: talent = 3; break;
        case 3: talent = 9; break;
        case 4: talent = 18; break;
        case 5: talent = 36; break;
        default: break;
    }
    const Extended side = mapSize;
    const Extended price =
        (pace + 1) * (side * side / gosCount) * ((Extended(knowledge) + 1) / 4) * talent / (Extended(age) / 15);
    if (!std::isfinite(price) || price >= Unaffordable) return Unaffordable;
    return static_cast<int>(Round(price));
}

int GeneralPrice(const Game& game, int age, int knowledge, int attestation, int speed) {
    return GeneralPrice(game.MapSize, game.GosCount, age, knowledge, attestation, speed);
}

int FreeGeneralSlot(const Game& game, int s) {
    for (int g = s; g < GeneralSlots; g += MaxStates) {
        if (game.mGeneral[g].Owner == 0) return g;
    }
    return 0;
}

namespace {

struct Candidate {
    int age;
    int knowledge;
    int attestation;
    int speed;
};

int Price(const Game& game, const Candidate& c) {
    return GeneralPrice(game, c.age, c.knowledge, c.attestation, c.speed);
}

bool Affordable(const Game& game, int s, const Candidate& c) { return Price(game, c) <= game.mGos[s].Money; }

void Hire(Game& game, int s, int slot, const Candidate& c) {
    TCommander& general = game.mGeneral[slot];
    general.Age = static_cast<uint8_t>(c.age);
    general.Knowledge = static_cast<uint8_t>(c.knowledge);
    general.Attestation = static_cast<uint8_t>(c.attestation);
    general.Speed = static_cast<uint8_t>(c.speed);
    general.Owner = static_cast<uint8_t>(s);
    general.Order = OrderRest;
    general.Front = 0;
    TGos& gos = game.mGos[s];
    gos.Money -= Price(game, c);
    ++gos.GeneralCount;
}

// Each step makes the candidate younger, wiser, more talented and faster until all four stop.
bool Improve(Candidate& c) {
    const bool atLimits = c.age < 16 && c.knowledge > 30 && c.attestation == 5 && c.speed > 95;
    if (atLimits) return false;
    if (c.age >= 16) c.age -= 2;
    if (c.knowledge <= 30) c.knowledge += 5;
    if (c.knowledge > 30 && c.attestation < 5) ++c.attestation;
    if (c.speed < 96) ++c.speed;
    return true;
}

// Candidates from (30, 1, 3, 0) up; the last affordable one is bought.
bool BestUrgent(const Game& game, int s, Candidate& best) {
    Candidate c{30, 1, 3, 0};
    bool found = false;
    do {
        if (!Affordable(game, s, c)) break;
        best = c;
        found = true;
    } while (Improve(c));
    return found;
}

// A candidate first picked by fashion, or the plain default when none of them is taken.
struct Start {
    Candidate candidate;
    bool picked;  // picked candidates are tested before they are improved
};

Start FirstCandidate(Game& game, int s) {
    const TGos& gos = game.mGos[s];
    const int count = gos.GeneralCount;
    Draw(game);  // drawn and not used
    const int a5 = Draw(game) < 0.05L && count < 4 ? 5 : 3;
    const int r = game.Random(10);

    struct Fashion {
        Candidate candidate;
        bool allowed;
        Extended chance;
    };
    const Fashion fashions[] = {
        {{30, 30, 3, r + 80}, true, 0.9L},     {{25, 1, 4, r + 70}, true, 0.9L},
        {{20, 1, 3, 100}, count > 3, 0.7L},    {{15, 1, 2, 100}, count >= 3, 0.5L},
        {{15, 1, 5, 1}, count < 4, 0.2L},      {{25, 1, 4, r + 46}, true, 0.9L},
        {{25, 1, 4, r + 27}, true, 0.9L},      {{20, 1, 3, r + 21}, true, 0.9L},
        {{15, 1, 2, r + 30}, count > 1, 0.8L}, {{20, 1, 3, r + 11}, true, 0.9L},
        {{15, 1, 2, r + 20}, count > 1, 0.7L}, {{20, 1, 3, r + 7}, true, 0.8L},
    };
    for (const Fashion& f : fashions) {
        // The draw is made only for an affordable candidate.
        if (Affordable(game, s, f.candidate) && f.allowed && Draw(game) < f.chance) return {f.candidate, true};
    }
    return {{30, 1, a5, 0}, false};
}

void Refine(Game& game, Candidate& c) {
    const Extended living = LivingShare(game);
    if ((living < 0.3L && c.speed > 50) || c.speed == 100) {
        if (c.knowledge + 5 <= 31) c.knowledge += 5;
    }
    if (c.attestation == 2) {
        if (Draw(game) < 0.2L) c.attestation = 3;
    } else if (c.attestation == 3) {
        if (Draw(game) < 0.3L) c.attestation = 4;
    } else if (c.attestation == 4) {
        if (Draw(game) < 0.05L) c.attestation = 5;
    }
    if (c.age > 15) c.age = std::max(15, c.age - (living <= 0.2L ? 2 : 5));
    if (c.speed == 0) {
        c.speed = 1;
    } else if (Draw(game) < 0.9L) {
        const int spread = game.Random(static_cast<int>(Trunc(Extended(game.Year) / 10)));
        c.speed = std::min<int>(100, c.speed + 1 + spread + static_cast<int>(Trunc(Extended(game.Year) / 20)));
    }
}

bool Perfect(const Candidate& c) { return c.knowledge >= 30 && c.attestation == 5 && c.age <= 15 && c.speed == 100; }

bool BestChosen(Game& game, int s, Candidate& best) {
    Start start = FirstCandidate(game, s);
    Candidate c = start.candidate;
    bool found = false;
    if (!start.picked) Refine(game, c);
    while (Affordable(game, s, c)) {
        best = c;
        found = true;
        if (Perfect(c)) break;
        Refine(game, c);
    }
    return found;
}

}  // namespace

void BuyGeneral(Game& game, int s, bool urgent) {
    const int slot = FreeGeneralSlot(game, s);
    if (slot == 0) {
        game.Ui->MessageBox("Все генералы уже забиты, не могу купить");
    } else {
        Candidate best{};
        if (urgent ? BestUrgent(game, s, best) : BestChosen(game, s, best)) Hire(game, s, slot, best);
    }
    CheckState(game, urgent ? "Срочно покупали нового генерала" : "Не срочно покупали нового генерала");
}

namespace {

int32_t SetAside(TGos& gos) {
    const int32_t saved = gos.Money;
    gos.Money = 0;
    gos.SavingUp = 1;
    return saved;
}

// Whether a state with four or more generals and little money should still buy one.
bool WorthAnotherGeneral(Game& game, int s) {
    const int year = game.Year;
    const int32_t money = game.mGos[s].Money;
    return (year >= 1 && year <= 40 && GeneralPrice(game, 20, 1, 3, 20) < money) ||
           (year >= 40 && year <= 60 && GeneralPrice(game, 20, 1, 3, 40) < money) ||
           GeneralPrice(game, 25, 1, 3, 60) < money || Draw(game) < 0.01L;
}

}  // namespace

int32_t SaveOrBuyGeneral(Game& game, int s, const Mood& mood) {
    TGos& gos = game.mGos[s];
    const int year = game.Year;
    const Extended income = Income(game, s);
    const int64_t scientistWages = ScientistWages(game, s);
    const int64_t wages = scientistWages + SoldierWages(game, s);
    const int count = gos.GeneralCount;
    const int roomFor = gos.NeighbourCount + 2;

    // Start saving when the army wants more generals and the income carries the wage bill.
    if (year > 1 && count < roomFor && count < 10 && year < 85 && !mood.Danger && gos.SavingUp == 0) {
        if (Draw(game) < 0.1L || income / 1.5L > wages) {
            if ((year > 20 || (count <= gos.Character && Draw(game) < 0.5L)) && income / 4 < scientistWages)
                return SetAside(gos);
        }
    }
    // Keep saving while a good general is still out of reach.
    if (!mood.Danger && !mood.Dwarfed && gos.SavingUp == 1) {
        if (Draw(game) < 0.5L &&
            GeneralPrice(game, 20, 1, 4, static_cast<int>(Trunc(Extended(year) / 2 + 5))) > gos.Money)
            return SetAside(gos);
        if (Draw(game) < 0.5L && gos.Territory > gos.Peasants && year > 20) return SetAside(gos);
    }

    if (GeneralPrice(game, 30, 1, 4, 1) < gos.Money &&
        (year > 20 || (count < gos.Character && Draw(game) < 0.5L) || gos.SavingUp == 1) && (count < 4 || year > 20)) {
        const bool buy = !(count >= 4 && gos.Money <= income) || WorthAnotherGeneral(game, s);
        if (buy && !mood.Danger && count < roomFor && count < 10) BuyGeneral(game, s, false);
    }
    gos.SavingUp = 0;
    return 0;
}

}  // namespace korvant
