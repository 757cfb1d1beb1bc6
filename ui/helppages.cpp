#include "ui/helppages.h"

namespace {

QString page(const QString& title, std::initializer_list<const char*> lines) {
    QString text = title + "\n\n";
    for (const char* l : lines)
        text += QString::fromUtf8(l) + "\n";
    return text;
}

}  // namespace

const std::vector<HelpPage>& helpPages() {
    static const std::vector<HelpPage> pages = {
        {1, "Overview",
         page("Overview",
              {"Quivelo is a multiplayer dice game. Up to four players compete against ",
               "each other to close the board and have the highest score.", "",
               "Quivelo can be played against other players using the Vant11 Lobby.", "",
               "You may also play a solo game against one computer player. Solo ",
               "games can be played while offline."})},
        {2, "Connecting",
         page("Connecting", {"  Solo Games: To play a solo game, press the Start Game ",
                             "button. Solo games can be played while offline.", "",
                             "  Multi-Player Games using the Vant11 Gaming Community ",
                             "Lobby: please refer to the lobby for instructions."})},
        {4, "Game Play",
         page("Game Play",
              {"On your turn, you roll 12 dice.  There are four dice per dart.  When you ",
               "click on a die it will be sent to the first available dart.  The dart value it ",
               "determined by adding the four dice together. If the dart value is over 20 ",
               "then it will equal a bullseye. If the dart is 24 then the dart will be a ",
               "double bullseye.", "",
               "Clicking the Autoplace Button will automatically place all dice to the ",
               "darts in no particular order. ", "",
               "After all the darts have been filled your score will be tallied.", "",
               "The first person to close all the numbers and have the highest score ",
               "will win. "})},
        {3, "Scoring",
         page("Scoring", {"Every four dice make one dart. The value of the dart is the sum of its ",
                          "four dice.", "",
                          "A number must be marked 3 times to close it. After that, every further ",
                          "dart of that number scores the number for you, as long as not all the ",
                          "other players have closed it too.", "", "The Score Card",
                          "       One Dot on bottom means you have marked the number once.",
                          "       One Dot on top means you have marked the number twice.",
                          "       Two Dots mean the number is closed.", "",
                          "A player must mark all the number and have the highest score in order ",
                          "to win. "})},
        {5, "License",
         page("License", {"Quivelo is free to play. You may copy it and give it to others as long ",
                          "as it stays whole and unchanged and no money is asked for it.", "",
                          "The game comes as it is, without any warranty. The makers are not ",
                          "liable for any harm that comes from using it."})},
        {9, "Documentation",
         page("Documentation",
              {"Quivelo plays like a game of darts with dice: twelve dice make three ",
               "darts, and the card of 15 to 20 and the bull is marked and scored as ",
               "in the pub game of cricket.", "", "Version history", "",
               "2.0.10  Computer opponent Vuzi in solo games, team games, spies,",
               "        phrase buttons and the tally of games against your opponents."})},
    };
    return pages;
}
