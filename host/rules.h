#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The rules of the game: rolling, placing dice into darts, marking and scoring a
// card, team sharing, the win test and the automatic placement order. Plain state
// and arithmetic; the host decides when each step runs.
//
// Seats, dice, darts and positions are numbered from 1 in every call, as on the
// wire; the arrays underneath are indexed from 0.
namespace rules {

inline constexpr int kDice = 12;
inline constexpr int kDarts = 3;
inline constexpr int kPositions = 4;
inline constexpr int kCardSeats = 4;
inline constexpr int kLowestNumber = 15;
inline constexpr int kBull = 21;  // the bull's card number
inline constexpr int kClosed = 3;
inline constexpr int kBullPoints = 25;

inline constexpr const char* kBullText = "Bull";
inline constexpr const char* kDoubleBullText = "dBull";

// A seat's card: marks 0 to 3 on 15 to 20 and the bull (21), and the points.
struct Card {
    std::array<int, 7> marks{};  // marks[number - 15]
    int score = 0;

    int& mark(int number) { return marks[number - kLowestNumber]; }
    int mark(int number) const { return marks[number - kLowestNumber]; }
    bool closed(int number) const { return mark(number) >= kClosed; }
    bool allClosed() const;
};

// The four player seats as the host holds them. cards[seat - 1] must point at
// a card for every seat, sitting or not; takingPart[seat - 1] says whether the
// seat plays in the game (see takingPart()).
struct Table {
    std::array<Card*, kCardSeats> cards{};
    std::array<bool, kCardSeats> takingPart{};

    Card& card(int seat) const { return *cards[seat - 1]; }
};

// Seat 2 always plays: the computer holds it when nobody is connected there.
std::array<bool, kCardSeats> takingPart(std::array<bool, kCardSeats> connected);

// 1 and 3 are partners, 2 and 4.
int partnerOf(int seat);

// The state of the one running turn.
struct TurnState {
    std::array<int, kDice> dice{};                               // 1..6, 0 before the roll
    std::array<bool, kDice> diceused{};                          // placed into a dart
    std::array<std::array<int, kPositions>, kDarts> dartdice{};  // 0 = empty
    std::array<std::string, kDarts> darts;                       // result texts

    void reset();

    int die(int i) const { return dice[i - 1]; }
    bool used(int i) const { return diceused[i - 1]; }
    int dartDie(int dart, int position) const { return dartdice[dart - 1][position - 1]; }
    const std::string& dart(int d) const { return darts[d - 1]; }
    int dartSum(int dart) const;
};

struct Placement {
    int die;
    int dart;
    int position;
    bool operator==(const Placement&) const = default;
};

// "dBull" for 24, "Bull" for 21 to 23, otherwise the sum in decimal.
std::string dartText(int sum);

// New game: every score and mark of seats 1 to 4 back to 0.
void clearit1(const Table& table);

// Rolls dice 1 to 12 in order, each 1 + a draw below 6. Placements stay.
void rollDice(TurnState& turn);

// Puts die `die` at `position` of `dart` if the die is rolled and unused, the
// position empty and all three numbers in range. Returns the dart's new result text, or
// nothing when the placement is refused (and nothing changed).
std::optional<std::string> placedice(TurnState& turn, int die, int dart, int position);

// Applies darts 1, 2 and 3 in order to the card of `seat`.
void applyDarts(const TurnState& turn, int seat, const Table& table);

// Gives the partner of `seat` the same score and marks.
void shareCard(int seat, const Table& table);

// Ends the turn of `seat`: its darts, then in a team game the partner's copy.
void endturn(const TurnState& turn, int seat, const Table& table, bool teamgame);

// Whether anybody taking part still has `number` open.
bool stillOpen(int number, const Table& table);

// Whether `seat` has won: all seven closed and more points than every other
// seat 1 to 4 but its partner in a team game, whether those seats are sat or not.
bool checkforwin(int seat, const Table& table, bool teamgame);

// When every seat taking part has closed all seven numbers, no score can change
// any more; if then two or more of them share the top score and no departed
// seat's card is above it, nobody can ever pass the win test and the game would
// go on for ever. Returns those seats in that case, and nothing while the game
// can still be won.
std::vector<int> stalemateLeaders(const Table& table, bool teamgame);

// The placements that fill every empty position, in the order they are made:
// ones and twos into dart 1 first, then every other die in die order.
std::vector<Placement> autoplace(const TurnState& turn);

}  // namespace rules
