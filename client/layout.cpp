#include "client/layout.h"

#include <deque>
#include <stdexcept>
#include <string>

namespace layout {

namespace {

std::vector<Place> buildPlaces() {
    std::vector<Place> p = {
        {"panel_players", "", {4, 5, 154, 269}},
        {"panel_diceboard", "", {159, 5, 617, 269}},
        {"panel_dicepanel", "panel_diceboard", {1, 1, 386, 267}},
        {"panel_dartboard", "panel_diceboard", {388, 0, 229, 269}},
        {"panel_chat", "", {32, 278, 744, 181}},
        {"mainchat", "panel_chat", {1, 1, 741, 156}},
        {"mychat", "panel_chat", {0, 158, 744, 23}},
        {"label_round", "panel_players", {11, 10, 138, 15}},
        {"label_turn", "panel_dicepanel", {4, 8, 376, 16}},
        {"button_throwdarts", "panel_dicepanel", {12, 226, 112, 28}},
        {"button_autoplace", "panel_dicepanel", {14, 224, 102, 33}},
        {"image_logo", "panel_dicepanel", {160, 96, 187, 37}},
        {"panel_winner", "panel_dicepanel", {16, 96, 353, 57}},
        {"label_wintitle1", "panel_winner", {8, 3, 337, 24}},
        {"label_wintitle2", "panel_winner", {9, 4, 337, 24}},
        {"label_winner1", "panel_winner", {8, 29, 337, 24}},
        {"label_winner2", "panel_winner", {9, 30, 337, 24}},
        {"image_dartboard", "panel_dartboard", {0, 0, 229, 269}},
    };
    const int nameTop[] = {39, 95, 151, 205};
    const int eyesTop[] = {40, 96, 152, 208};
    const int scoreTop[] = {64, 121, 175, 228};
    const int cardTop[] = {57, 113, 169, 223};
    static std::deque<std::string> names;  // keeps the composed names in place
    auto name = [](const std::string& s) { return names.emplace_back(s).c_str(); };
    for (int n = 1; n <= 4; ++n) {
        std::string s = std::to_string(n);
        p.push_back({name("label_playername" + s), "panel_players", {10, nameTop[n - 1], 92, 17}});
        p.push_back({name("image_eyes" + s), "panel_players", {104, eyesTop[n - 1], 37, 17}});
        p.push_back({name("label_score" + s), "panel_players", {124, scoreTop[n - 1], 30, 20}});
        p.push_back(
            {name("stringgrid_player" + s), "panel_players", {10, cardTop[n - 1], 115, 38}});
    }
    const int columnLeft[] = {4, 48, 92};
    const int slotLeft[] = {9, 53, 97};
    const int slotTop[] = {51, 86, 122, 157};
    const int valueLeft[] = {7, 51, 95};
    for (int d = 1; d <= 3; ++d) {
        std::string s = std::to_string(d);
        p.push_back(
            {name("image_dartcolumn" + s), "panel_dicepanel", {columnLeft[d - 1], 26, 41, 192}});
        p.push_back(
            {name("label_dartcaption" + s), "panel_dicepanel", {columnLeft[d - 1], 29, 41, 15}});
        for (int k = 1; k <= 4; ++k)
            p.push_back({name("dart" + s + "dice" + std::to_string(k)),
                         "panel_dicepanel",
                         {slotLeft[d - 1], slotTop[k - 1], 32, 32}});
        p.push_back({name("label_dart" + s), "panel_dicepanel", {valueLeft[d - 1], 195, 38, 18}});
        p.push_back({name("image_throwndart" + s), "panel_dartboard", {0, 0, 40, 28}});
    }
    // The dice are scattered at each roll; until then they lie hidden at the top left.
    for (int i = 1; i <= 12; ++i)
        p.push_back({name("image_dice" + std::to_string(i)), "panel_dicepanel", {0, 0, 32, 32}});
    for (int n = 1; n <= 10; ++n)
        p.push_back({name("b_phrase" + std::to_string(n)), "", {4, 278 + 18 * (n - 1), 25, 19}});
    return p;
}

}  // namespace

const std::vector<Place>& places() {
    static const std::vector<Place> p = buildPlaces();
    return p;
}

const Place& place(const QString& name) {
    for (const Place& p : places())
        if (name == QLatin1String(p.name)) return p;
    throw std::out_of_range("no place for control " + name.toStdString());
}

}  // namespace layout
