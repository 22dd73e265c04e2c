#pragma once
// The records that saved games and network blocks copy byte for byte. Each is
// laid out naturally (no packing needed) with its reserved bytes spelled out;
// the asserts below pin every size and offset.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/one_based.h"
#include "core/short_string.h"

namespace korvant {

static_assert(std::endian::native == std::endian::little, "the record layouts are little-endian");

constexpr int MaxStates = 20;
constexpr int GeneralSlots = 201;
constexpr int SubstituteGeneral = 201;  // the commander a person may pick in battle
constexpr int MaxYears = 120;
constexpr int MaxKinds = 5;
constexpr int ScienceCount = 6;
constexpr int NameCapacity = 13;

using TName = ShortString<NameCapacity>;

// Sciences, in their order inside TGos.
enum ScienceId : int {
    SciDensity = 1,   // people per cell
    SciGrowth = 2,    // growth in percent per year
    SciAgrarian = 3,  // grain per sown cell
    SciFinance = 4,   // money per ton of grain sold
    SciMilitary = 5,  // military training
    SciResearch = 6,  // research points per working scientist and year
};

struct TScience {
    int32_t Level;
    float Effect;
    float Step;
    int32_t Progress;
    int32_t Cost;
    int32_t Staff;
};

// One state's side of its border with another state; the entry of its own number is the home defence.
struct TBorder {
    uint8_t Touches;
    uint8_t reserved1[3];
    Arr1<int32_t, MaxKinds> Troops;
    uint8_t Commander;
    uint8_t Fortified;
    uint8_t reserved2[2];
};

struct TRelation {
    uint8_t Attitude;  // willingness to keep peace, 0..100
    uint8_t Grudge;    // recent attacks received
};

struct TGos {
    int32_t Human;  // 0 computer; order number (local) or network player id
    TName Name;
    uint8_t Delegated;
    TName PlayerName;
    uint8_t reserved1[7];
    double TimeSpent;  // days in the command screen
    int16_t Territory;
    uint8_t Conquests;
    uint8_t reserved2;
    uint16_t Captured;
    uint8_t Alive;
    uint8_t reserved3;
    int32_t Money;
    uint8_t GeneralCount;
    uint8_t SavingUp;
    uint16_t Sown;
    int32_t Grain;
    Arr1<TRelation, MaxStates> Relation;
    int32_t Character;
    Arr1<TScience, ScienceCount> Science;
    int32_t Peasants;
    int32_t Scientists;
    int32_t Soldiers;
    int32_t FreeSoldiers;
    int32_t FreeScientists;
    Arr1<TBorder, MaxStates> Border;
    uint8_t NeighbourCount;
    uint8_t ArmySpirit;
    uint8_t reserved4[2];
    int32_t TimesAttacked;
    uint8_t reserved5[4];

    uint8_t& Attitude(int k) { return Relation[k].Attitude; }
    uint8_t Attitude(int k) const { return Relation[k].Attitude; }
    uint8_t& Grudge(int k) { return Relation[k].Grudge; }
    uint8_t Grudge(int k) const { return Relation[k].Grudge; }
};

// Orders a general can be given.
enum GeneralOrder : uint8_t { OrderDefend = 0, OrderAttack = 1, OrderRest = 2, OrderStudy = 3 };

struct TCommander {
    uint8_t Number;
    TName Name;
    uint8_t Front;  // border's state number; the owner's own number = home defence; 0 none
    uint8_t Owner;  // 0 = free, in the pool
    uint8_t Age;
    uint8_t MaxAge;
    uint8_t Speed;
    uint8_t Knowledge;
    uint8_t Spirit;
    uint8_t Attestation;
    uint8_t Order;
    uint8_t reserved;
};

struct THistoryRec {
    uint8_t Level[6];  // low byte of each science's level, science 1 first
    uint8_t reserved1[2];
    int32_t Grown;
    int32_t Peasants;
    int16_t Territory;
    int16_t Scientists;
    int16_t Soldiers;
    uint8_t reserved2[2];
};

enum MessageKind : uint8_t { MesForState = 1, MesBattle = 2 };

struct TMesRec {
    uint8_t Kind;
    uint8_t Gos;
    uint8_t reserved[2];
    int32_t Color;  // 0x00BBGGRR
    ShortString<255> Text;
};

// The map with its frame: [0..101][0..101], a cell holds its owner or 0.
using TMapGrid = Arr<Arr<uint8_t, 0, 101>, 0, 101>;
using THistory = Arr1<Arr1<THistoryRec, MaxYears>, MaxStates>;

#define KORVANT_FIELD(rec, field, off) static_assert(offsetof(rec, field) == (off), #rec "." #field)

static_assert(sizeof(TScience) == 24);
KORVANT_FIELD(TScience, Level, 0);
KORVANT_FIELD(TScience, Effect, 4);
KORVANT_FIELD(TScience, Step, 8);
KORVANT_FIELD(TScience, Progress, 12);
KORVANT_FIELD(TScience, Cost, 16);
KORVANT_FIELD(TScience, Staff, 20);

static_assert(sizeof(TBorder) == 28);
KORVANT_FIELD(TBorder, Touches, 0);
KORVANT_FIELD(TBorder, Troops, 4);
KORVANT_FIELD(TBorder, Commander, 24);
KORVANT_FIELD(TBorder, Fortified, 25);

static_assert(sizeof(TGos) == 848);
KORVANT_FIELD(TGos, Human, 0);
KORVANT_FIELD(TGos, Name, 4);
KORVANT_FIELD(TGos, Delegated, 18);
KORVANT_FIELD(TGos, PlayerName, 19);
KORVANT_FIELD(TGos, TimeSpent, 40);
KORVANT_FIELD(TGos, Territory, 48);
KORVANT_FIELD(TGos, Conquests, 50);
KORVANT_FIELD(TGos, Captured, 52);
KORVANT_FIELD(TGos, Alive, 54);
KORVANT_FIELD(TGos, Money, 56);
KORVANT_FIELD(TGos, GeneralCount, 60);
KORVANT_FIELD(TGos, SavingUp, 61);
KORVANT_FIELD(TGos, Sown, 62);
KORVANT_FIELD(TGos, Grain, 64);
KORVANT_FIELD(TGos, Relation, 68);  // Attitude[k] at 68 + 2(k-1), Grudge[k] at 69 + 2(k-1)
KORVANT_FIELD(TGos, Character, 108);
KORVANT_FIELD(TGos, Science, 112);
KORVANT_FIELD(TGos, Peasants, 256);
KORVANT_FIELD(TGos, Scientists, 260);
KORVANT_FIELD(TGos, Soldiers, 264);
KORVANT_FIELD(TGos, FreeSoldiers, 268);
KORVANT_FIELD(TGos, FreeScientists, 272);
KORVANT_FIELD(TGos, Border, 276);
KORVANT_FIELD(TGos, NeighbourCount, 836);
KORVANT_FIELD(TGos, ArmySpirit, 837);
KORVANT_FIELD(TGos, TimesAttacked, 840);

static_assert(sizeof(TCommander) == 25);
KORVANT_FIELD(TCommander, Number, 0);
KORVANT_FIELD(TCommander, Name, 1);
KORVANT_FIELD(TCommander, Front, 15);
KORVANT_FIELD(TCommander, Owner, 16);
KORVANT_FIELD(TCommander, Age, 17);
KORVANT_FIELD(TCommander, MaxAge, 18);
KORVANT_FIELD(TCommander, Speed, 19);
KORVANT_FIELD(TCommander, Knowledge, 20);
KORVANT_FIELD(TCommander, Spirit, 21);
KORVANT_FIELD(TCommander, Attestation, 22);
KORVANT_FIELD(TCommander, Order, 23);

static_assert(sizeof(THistoryRec) == 24);
KORVANT_FIELD(THistoryRec, Level, 0);
KORVANT_FIELD(THistoryRec, Grown, 8);
KORVANT_FIELD(THistoryRec, Peasants, 12);
KORVANT_FIELD(THistoryRec, Territory, 16);
KORVANT_FIELD(THistoryRec, Scientists, 18);
KORVANT_FIELD(THistoryRec, Soldiers, 20);

static_assert(sizeof(TMesRec) == 264);
KORVANT_FIELD(TMesRec, Kind, 0);
KORVANT_FIELD(TMesRec, Gos, 1);
KORVANT_FIELD(TMesRec, Color, 4);
KORVANT_FIELD(TMesRec, Text, 8);

static_assert(sizeof(TMapGrid) == 10404);
static_assert(sizeof(THistory) == 57600);
static_assert(sizeof(Arr1<TGos, MaxStates>) == 16960);
static_assert(sizeof(Arr1<TCommander, GeneralSlots>) == 5025);

static_assert(std::is_trivially_copyable_v<TGos> && std::is_standard_layout_v<TGos>);
static_assert(std::is_trivially_copyable_v<TCommander> && std::is_trivially_copyable_v<TMesRec>);

}  // namespace korvant
