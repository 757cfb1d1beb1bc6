#include "host/rules.h"

#include <algorithm>
#include <charconv>

#include "host/random.h"

namespace rules {

namespace {

bool validSeat(int seat) {
    return seat >= 1 && seat <= kCardSeats;
}

// The card number a finished dart hits, or 0 for a miss.
int dartNumber(const std::string& text) {
    if (text == kBullText || text == kDoubleBullText) return kBull;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end) return 0;
    return value >= kLowestNumber && value < kBull ? value : 0;
}

// Scores `points` for `card` if its number is closed for it but open for somebody.
void scoreIfOpen(Card& card, int number, int points, const Table& table) {
    if (card.closed(number) && stillOpen(number, table)) card.score += points;
}

void applyDart(Card& card, const std::string& text, const Table& table) {
    if (text == kDoubleBullText) {
        // Two marks, but a double bull is never worth more than one bull's points.
        const int before = card.mark(kBull);
        card.mark(kBull) = std::min(before + 2, kClosed);
        if (before >= 2) scoreIfOpen(card, kBull, kBullPoints, table);
        return;
    }
    const int number = dartNumber(text);
    if (number == 0) return;
    if (!card.closed(number)) {
        ++card.mark(number);
        return;
    }
    scoreIfOpen(card, number, number == kBull ? kBullPoints : number, table);
}

}  // namespace

bool Card::allClosed() const {
    return std::all_of(marks.begin(), marks.end(), [](int m) { return m >= kClosed; });
}

std::array<bool, kCardSeats> takingPart(std::array<bool, kCardSeats> connected) {
    connected[1] = true;
    return connected;
}

int partnerOf(int seat) {
    return seat <= 2 ? seat + 2 : seat - 2;
}

void TurnState::reset() {
    dice.fill(0);
    diceused.fill(false);
    for (auto& dart : dartdice)
        dart.fill(0);
    for (auto& text : darts)
        text.clear();
}

int TurnState::dartSum(int dart) const {
    const auto& positions = dartdice[dart - 1];
    int sum = 0;
    for (int value : positions)
        sum += value;
    return sum;
}

std::string dartText(int sum) {
    if (sum == 24) return kDoubleBullText;
    if (sum > 20) return kBullText;
    return std::to_string(sum);
}

void clearit1(const Table& table) {
    for (Card* card : table.cards) {
        card->score = 0;
        card->marks.fill(0);
    }
}

void rollDice(TurnState& turn) {
    for (int& value : turn.dice)
        value = 1 + rng::randomBelow(6);
}

std::optional<std::string> placedice(TurnState& turn, int die, int dart, int position) {
    if (die < 1 || die > kDice || dart < 1 || dart > kDarts || position < 1 ||
        position > kPositions)
        return std::nullopt;
    int& slot = turn.dartdice[dart - 1][position - 1];
    // A die not rolled yet would leave its position reading as empty.
    if (turn.used(die) || slot != 0 || turn.die(die) < 1) return std::nullopt;
    slot = turn.die(die);
    turn.diceused[die - 1] = true;
    turn.darts[dart - 1] = dartText(turn.dartSum(dart));
    return turn.darts[dart - 1];
}

void applyDarts(const TurnState& turn, int seat, const Table& table) {
    if (!validSeat(seat)) return;
    Card& card = table.card(seat);
    for (const std::string& text : turn.darts)
        applyDart(card, text, table);
}

void shareCard(int seat, const Table& table) {
    if (!validSeat(seat)) return;
    const Card& card = table.card(seat);
    Card& partner = table.card(partnerOf(seat));
    partner.score = card.score;
    partner.marks = card.marks;
}

void endturn(const TurnState& turn, int seat, const Table& table, bool teamgame) {
    applyDarts(turn, seat, table);
    if (teamgame) shareCard(seat, table);
}

bool stillOpen(int number, const Table& table) {
    for (int seat = 1; seat <= kCardSeats; ++seat) {
        if (table.takingPart[seat - 1] && !table.card(seat).closed(number)) return true;
    }
    return false;
}

bool checkforwin(int seat, const Table& table, bool teamgame) {
    if (!validSeat(seat)) return false;
    const Card& card = table.card(seat);
    if (!card.allClosed()) return false;
    for (int other = 1; other <= kCardSeats; ++other) {
        if (other == seat || (teamgame && other == partnerOf(seat))) continue;
        if (card.score <= table.card(other).score) return false;
    }
    return true;
}

std::vector<int> stalemateLeaders(const Table& table, bool teamgame) {
    int best = 0;
    bool any = false;
    for (int seat = 1; seat <= kCardSeats; ++seat) {
        if (!table.takingPart[seat - 1]) continue;
        const Card& card = table.card(seat);
        if (!card.allClosed() || checkforwin(seat, table, teamgame)) return {};
        best = any ? std::max(best, card.score) : card.score;
        any = true;
    }
    std::vector<int> leaders;
    for (int seat = 1; seat <= kCardSeats; ++seat) {
        if (table.takingPart[seat - 1]) {
            if (table.card(seat).score == best) leaders.push_back(seat);
        } else if (table.card(seat).score > best) {
            return {};  // a newcomer in that seat can still play its card
        }
    }
    // A leader alone can still win on his own turn.
    if (leaders.size() < 2) return {};
    return leaders;
}

std::vector<Placement> autoplace(const TurnState& turn) {
    TurnState work = turn;
    std::vector<Placement> placements;
    // The lowest-numbered unplaced die that passes `fits`, or 0.
    auto nextDie = [&work](auto fits) {
        for (int die = 1; die <= kDice; ++die) {
            if (!work.used(die) && fits(work.die(die))) return die;
        }
        return 0;
    };
    auto place = [&](int die, int dart, int position) {
        if (die != 0 && placedice(work, die, dart, position))
            placements.push_back({die, dart, position});
    };

    for (int position = 1; position <= kPositions; ++position) {
        if (work.dartDie(1, position) == 0)
            place(nextDie([](int value) { return value == 1 || value == 2; }), 1, position);
    }
    for (int dart = 1; dart <= kDarts; ++dart) {
        for (int position = 1; position <= kPositions; ++position) {
            if (work.dartDie(dart, position) == 0)
                place(nextDie([](int) { return true; }), dart, position);
        }
    }
    return placements;
}

}  // namespace rules
