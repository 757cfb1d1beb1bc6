#include "host/rules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "host/random.h"

namespace {

using rules::Card;
using rules::Placement;
using rules::Table;
using rules::TurnState;

TurnState rolled(const std::array<int, 12>& dice) {
    TurnState turn;
    turn.dice = dice;
    return turn;
}

TurnState withDarts(const std::string& a, const std::string& b, const std::string& c) {
    TurnState turn;
    turn.darts = {a, b, c};
    return turn;
}

void closeAll(Card& card) {
    card.marks.fill(3);
}

class CardsTest : public ::testing::Test {
  protected:
    std::array<Card, 4> cards{};
    // Seats 1 and 2 play, 3 and 4 are empty.
    Table table{{&cards[0], &cards[1], &cards[2], &cards[3]}, {true, true, false, false}};

    Card& seat(int s) { return cards[s - 1]; }
    void play(const TurnState& turn, int s = 1, bool team = false) {
        rules::endturn(turn, s, table, team);
    }
};

TEST(PlaceDiceTest, DartTextsGrowWithEachDie) {
    // Darts 6666, 6665, 6555.
    TurnState turn = rolled({6, 6, 6, 6, 6, 6, 6, 5, 6, 5, 5, 5});
    const std::vector<std::string> first{"6", "12", "18", "dBull"};
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(rules::placedice(turn, p, 1, p), first[p - 1]);
    for (int p = 1; p <= 4; ++p)
        rules::placedice(turn, 4 + p, 2, p);
    EXPECT_EQ(turn.dart(2), "Bull");
    for (int p = 1; p <= 3; ++p)
        rules::placedice(turn, 8 + p, 3, p);
    EXPECT_EQ(turn.dart(3), "16");
    EXPECT_EQ(rules::placedice(turn, 12, 3, 4), "Bull");
    EXPECT_EQ(turn.dartSum(3), 21);
}

TEST(PlaceDiceTest, PartialDartsNeverShowBull) {
    TurnState turn = rolled({6, 6, 6, 5, 5, 5, 5, 1, 1, 1, 1, 1});
    EXPECT_EQ(rules::placedice(turn, 1, 2, 4), "6");
    EXPECT_EQ(rules::placedice(turn, 2, 2, 1), "12");
    EXPECT_EQ(rules::placedice(turn, 3, 2, 2), "18");
    for (int p = 1; p <= 4; ++p)
        rules::placedice(turn, 3 + p, 1, p);
    EXPECT_EQ(turn.dart(1), "20");
    for (int p = 1; p <= 4; ++p)
        rules::placedice(turn, 7 + p, 3, p);
    EXPECT_EQ(turn.dart(3), "4");
    EXPECT_EQ(turn.dartDie(2, 4), 6);
    EXPECT_TRUE(turn.used(1));
    EXPECT_FALSE(turn.used(12));
}

TEST(PlaceDiceTest, RefusesWithoutChangingAnything) {
    TurnState turn = rolled({1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(rules::placedice(turn, 3, 2, 2));
    const TurnState before = turn;
    EXPECT_FALSE(rules::placedice(turn, 3, 1, 1));   // die used
    EXPECT_FALSE(rules::placedice(turn, 4, 2, 2));   // position taken
    EXPECT_FALSE(rules::placedice(turn, 13, 1, 1));  // out of range
    EXPECT_FALSE(rules::placedice(turn, 1, 4, 1));
    EXPECT_FALSE(rules::placedice(turn, 1, 1, 0));
    EXPECT_EQ(turn.dice, before.dice);
    EXPECT_EQ(turn.diceused, before.diceused);
    EXPECT_EQ(turn.dartdice, before.dartdice);
    EXPECT_EQ(turn.darts, before.darts);
}

TEST(PlaceDiceTest, UnrolledDieCannotFillAPosition) {
    // A die of 0 would leave the position looking empty for the next one.
    TurnState turn;
    EXPECT_FALSE(rules::placedice(turn, 1, 1, 1));
    EXPECT_FALSE(turn.used(1));
    EXPECT_TRUE(rules::autoplace(turn).empty());
}

TEST(TurnStateTest, ResetClearsEverything) {
    TurnState turn = rolled({1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6});
    for (int d = 1; d <= 12; ++d)
        rules::placedice(turn, d, (d - 1) / 4 + 1, (d - 1) % 4 + 1);
    turn.reset();
    EXPECT_EQ(turn.dice, (std::array<int, 12>{}));
    EXPECT_EQ(turn.diceused, (std::array<bool, 12>{}));
    for (int d = 1; d <= 3; ++d) {
        EXPECT_EQ(turn.dart(d), "");
        EXPECT_EQ(turn.dartSum(d), 0);
    }
}

TEST(RollTest, DiceComeFromTheGeneratorInOrderAndPlacementsStay) {
    TurnState turn = rolled({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    rules::placedice(turn, 5, 3, 2);
    rng::setRandomSeed(4242);
    rules::rollDice(turn);
    rng::setRandomSeed(4242);
    for (int d = 1; d <= 12; ++d) {
        EXPECT_EQ(turn.die(d), 1 + rng::randomBelow(6));
        EXPECT_GE(turn.die(d), 1);
        EXPECT_LE(turn.die(d), 6);
    }
    EXPECT_TRUE(turn.used(5));
    EXPECT_EQ(turn.dartDie(3, 2), 1);
}

TEST_F(CardsTest, NumbersMarkThenScoreWhileOpenElsewhere) {
    seat(1).mark(20) = 2;
    play(withDarts("20", "20", "20"));
    EXPECT_EQ(seat(1).mark(20), 3);
    EXPECT_EQ(seat(1).score, 40);

    seat(2).mark(17) = 3;
    seat(1).mark(17) = 2;
    seat(1).mark(15) = 1;
    play(withDarts("17", "17", "14"));
    EXPECT_EQ(seat(1).mark(17), 3);
    EXPECT_EQ(seat(1).score, 40);  // nobody else has 17 open
    play(withDarts("14", "4", "9"));
    EXPECT_EQ(seat(1).marks, (std::array<int, 7>{1, 0, 3, 0, 0, 3, 0}));
    EXPECT_EQ(seat(1).score, 40);
}

TEST_F(CardsTest, BullMarksOneAtATimeThenScoresTwentyFive) {
    play(withDarts("Bull", "Bull", "14"));
    EXPECT_EQ(seat(1).mark(21), 2);
    play(withDarts("Bull", "Bull", "Bull"));
    EXPECT_EQ(seat(1).mark(21), 3);
    EXPECT_EQ(seat(1).score, 50);
}

TEST_F(CardsTest, DoubleBullFromEachMarkCount) {
    struct Case {
        int marks;
        bool opponentOpen;
        int marksAfter;
        int score;
    };
    for (const Case& c : {Case{0, true, 2, 0}, Case{1, true, 3, 0}, Case{2, true, 3, 25},
                          Case{3, true, 3, 25}, Case{2, false, 3, 0}, Case{3, false, 3, 0}}) {
        seat(1) = Card{};
        seat(2) = Card{};
        seat(1).mark(21) = c.marks;
        seat(2).mark(21) = c.opponentOpen ? 1 : 3;
        play(withDarts("dBull", "4", "4"));
        EXPECT_EQ(seat(1).mark(21), c.marksAfter) << "from " << c.marks;
        EXPECT_EQ(seat(1).score, c.score) << "from " << c.marks << " open " << c.opponentOpen;
    }
}

TEST_F(CardsTest, StillOpenCountsOnlySeatsTakingPart) {
    for (int s = 1; s <= 4; ++s)
        seat(s).mark(19) = 3;
    seat(3).mark(19) = 0;  // empty seat
    EXPECT_FALSE(rules::stillOpen(19, table));

    // Seat 3's player left with 19 open; seat 4 still plays.
    table.takingPart = rules::takingPart({true, true, false, true});
    EXPECT_FALSE(rules::stillOpen(19, table));
    seat(4).mark(19) = 2;
    EXPECT_TRUE(rules::stillOpen(19, table));

    // Seat 2 without a player is the computer's and always counts.
    seat(4).mark(19) = 3;
    seat(2).mark(19) = 1;
    table.takingPart = rules::takingPart({true, false, false, false});
    EXPECT_EQ(table.takingPart, (std::array<bool, 4>{true, true, false, false}));
    EXPECT_TRUE(rules::stillOpen(19, table));
}

TEST_F(CardsTest, TeamPartnerSharesTheCardAfterTheWholeTurn) {
    table.takingPart = {true, true, true, true};
    seat(1).mark(18) = 2;
    seat(3).mark(18) = 2;
    seat(2).mark(18) = 3;
    seat(4).mark(18) = 3;
    seat(1).score = seat(3).score = 10;
    play(withDarts("18", "18", "Bull"), 1, true);
    // The partner's old two marks kept 18 open for the second dart.
    EXPECT_EQ(seat(1).mark(18), 3);
    EXPECT_EQ(seat(1).score, 28);
    EXPECT_EQ(seat(3).marks, seat(1).marks);
    EXPECT_EQ(seat(3).score, 28);
    EXPECT_EQ(seat(2).score, 0);
    EXPECT_EQ(seat(4).mark(21), 0);
}

TEST_F(CardsTest, NoSharingOutsideTeamGames) {
    table.takingPart = {true, true, true, true};
    play(withDarts("16", "16", "4"), 4, false);
    EXPECT_EQ(seat(4).mark(16), 2);
    EXPECT_EQ(seat(2).mark(16), 0);
    play(withDarts("16", "4", "4"), 4, true);
    EXPECT_EQ(seat(2).mark(16), 3);
}

TEST_F(CardsTest, WinNeedsEverythingClosedAndStrictlyMorePoints) {
    closeAll(seat(1));
    EXPECT_FALSE(rules::checkforwin(1, table, false));  // 0 against empty seats holding 0
    seat(2).score = 5;
    seat(1).score = 5;
    EXPECT_FALSE(rules::checkforwin(1, table, false));  // a tie
    seat(1).score = 6;
    EXPECT_TRUE(rules::checkforwin(1, table, false));
    seat(1).mark(15) = 2;
    EXPECT_FALSE(rules::checkforwin(1, table, false));
    EXPECT_FALSE(rules::checkforwin(2, table, false));
}

TEST_F(CardsTest, DepartedPlayersScoreStillCounts) {
    table.takingPart = rules::takingPart({true, false, false, false});
    seat(3).score = 40;  // left the game
    closeAll(seat(1));
    seat(1).score = 40;
    EXPECT_FALSE(rules::checkforwin(1, table, false));
    seat(1).score = 41;
    EXPECT_TRUE(rules::checkforwin(1, table, false));
}

TEST_F(CardsTest, TeamWinIgnoresThePartner) {
    table.takingPart = {true, true, true, true};
    closeAll(seat(3));
    seat(3).score = seat(1).score = 30;
    seat(2).score = seat(4).score = 29;
    EXPECT_TRUE(rules::checkforwin(3, table, true));
    EXPECT_FALSE(rules::checkforwin(3, table, false));  // the partner's equal score blocks
    seat(4).score = 30;
    EXPECT_FALSE(rules::checkforwin(3, table, true));
}

TEST_F(CardsTest, AStalemateIsFoundOnlyWhenNoScoreCanChangeAndNobodyCanWin) {
    closeAll(seat(1));
    EXPECT_TRUE(rules::stalemateLeaders(table, false).empty()) << "seat 2 still has numbers open";
    closeAll(seat(2));
    EXPECT_EQ(rules::stalemateLeaders(table, false), (std::vector<int>{1, 2})) << "0 to 0 for ever";
    seat(2).score = 20;
    EXPECT_TRUE(rules::stalemateLeaders(table, false).empty()) << "seat 2 wins on its own turn";
    seat(1).score = 20;
    seat(3).score = 20;  // a departed player level with the leaders changes nothing
    EXPECT_EQ(rules::stalemateLeaders(table, false), (std::vector<int>{1, 2}));
    seat(3).score = 50;  // a newcomer in seat 3 could still play that card
    EXPECT_TRUE(rules::stalemateLeaders(table, false).empty());
}

TEST_F(CardsTest, ALeaderAloneIsNoStalemateEvenBehindADepartedSeat) {
    closeAll(seat(1));
    closeAll(seat(2));
    seat(1).score = 30;
    seat(2).score = 20;
    seat(3).score = 40;  // departed: seat 1 cannot win, but the game is not over
    EXPECT_TRUE(rules::stalemateLeaders(table, false).empty());
    seat(3).score = 0;
    EXPECT_TRUE(rules::stalemateLeaders(table, false).empty()) << "seat 1 wins on its own turn";
}

TEST_F(CardsTest, InATeamGameTheLeadingTeamIsNoStalemate) {
    table.takingPart = {true, true, true, true};
    for (int s = 1; s <= 4; ++s)
        closeAll(seat(s));
    seat(1).score = seat(3).score = 25;
    EXPECT_TRUE(rules::stalemateLeaders(table, true).empty());
    seat(2).score = seat(4).score = 25;
    EXPECT_EQ(rules::stalemateLeaders(table, true), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(CardsTest, NewGameClearsAllFourCards) {
    for (int s = 1; s <= 4; ++s) {
        seat(s).score = 10 * s;
        seat(s).marks.fill(s % 4);
    }
    rules::clearit1(table);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(seat(s).score, 0);
        EXPECT_EQ(seat(s).marks, (std::array<int, 7>{}));
    }
}

// Applies the placements as the host would and checks every one is accepted.
void applyAll(TurnState& turn, const std::vector<Placement>& placements) {
    for (const Placement& p : placements)
        ASSERT_TRUE(rules::placedice(turn, p.die, p.dart, p.position))
            << "die " << p.die << " dart " << p.dart << " position " << p.position;
}

std::vector<Placement> inOrder(const std::vector<std::array<int, 4>>& dartsOfDice) {
    std::vector<Placement> placements;
    for (int d = 0; d < 3; ++d) {
        for (int p = 0; p < 4; ++p)
            placements.push_back({dartsOfDice[d][p], d + 1, p + 1});
    }
    return placements;
}

TEST(AutoplaceTest, LowDiceGoToTheFirstDart) {
    TurnState turn = rolled({3, 1, 5, 2, 6, 2, 4, 1, 6, 5, 3, 4});
    const auto placements = rules::autoplace(turn);
    EXPECT_EQ(placements, inOrder({{{2, 4, 6, 8}}, {{1, 3, 5, 7}}, {{9, 10, 11, 12}}}));
    applyAll(turn, placements);
    EXPECT_EQ(turn.darts, (std::array<std::string, 3>{"6", "18", "18"}));
}

TEST(AutoplaceTest, WithoutLowDiceEverythingGoesInDieOrder) {
    TurnState turn = rolled({3, 4, 5, 6, 6, 5, 4, 3, 3, 3, 6, 6});
    const auto placements = rules::autoplace(turn);
    EXPECT_EQ(placements, inOrder({{{1, 2, 3, 4}}, {{5, 6, 7, 8}}, {{9, 10, 11, 12}}}));
    applyAll(turn, placements);
    EXPECT_EQ(turn.darts, (std::array<std::string, 3>{"18", "18", "18"}));
}

TEST(AutoplaceTest, FifthLowDieOpensTheSecondDart) {
    TurnState turn = rolled({1, 2, 1, 2, 1, 6, 6, 6, 5, 5, 5, 4});
    const auto placements = rules::autoplace(turn);
    EXPECT_EQ(placements, inOrder({{{1, 2, 3, 4}}, {{5, 6, 7, 8}}, {{9, 10, 11, 12}}}));
    applyAll(turn, placements);
    EXPECT_EQ(turn.darts, (std::array<std::string, 3>{"6", "19", "19"}));
}

TEST(AutoplaceTest, FillsOnlyWhatIsLeftAfterPlacingByHand) {
    TurnState turn = rolled({3, 1, 5, 2, 6, 2, 4, 1, 6, 5, 3, 4});
    rules::placedice(turn, 11, 1, 2);  // a 3 into dart 1
    rules::placedice(turn, 2, 3, 4);   // a 1 into dart 3
    rules::placedice(turn, 9, 2, 3);
    const auto placements = rules::autoplace(turn);
    // The remaining low dice, then dart 2 around die 9, then dart 3 up to die 2.
    const std::vector<Placement> expected{{4, 1, 1}, {6, 1, 3}, {8, 1, 4},  {1, 2, 1}, {3, 2, 2},
                                          {5, 2, 4}, {7, 3, 1}, {10, 3, 2}, {12, 3, 3}};
    EXPECT_EQ(placements, expected);
    applyAll(turn, placements);
    EXPECT_EQ(turn.darts, (std::array<std::string, 3>{"8", "20", "14"}));
    EXPECT_TRUE(rules::autoplace(turn).empty());
}

}  // namespace
