#include "chatter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::string clientName(char role, int seat) {
    std::string name(1, role);
    name += std::to_string(seat);  // gcc 12 warns falsely about "x" + std::to_string
    return name;
}

int logIn(WireClient& client, const std::string& name) {
    std::string m;
    if (!client.waitFor("CMD_sendlogininfo+", m)) return 0;
    const std::string seat = m.substr(18);
    client.send("CMD_logininfo+" + seat + "+2.0.10+" + name);
    return client.waitFor("CMD_newplayerinfo+" + seat + "+", m) ? std::atoi(seat.c_str()) : 0;
}

std::optional<ChatLine> parseChat(const std::string& message) {
    static const std::string head = "CMD_chat+", says = " chats: ";
    if (message.rfind(head, 0) != 0) return std::nullopt;
    const std::size_t at = message.find(says);
    const std::size_t blank = message.find(' ', at + says.size());
    if (at == std::string::npos || blank == std::string::npos) return std::nullopt;
    ChatLine line;
    line.name = message.substr(head.size(), at - head.size());
    line.word = message.substr(at + says.size(), blank - at - says.size());
    line.number = std::atol(message.c_str() + blank + 1);
    return line;
}

std::vector<std::string> Flooder::topUp() {
    std::vector<std::string> lines;
    for (; sent_ - handled_ < keep_; ++sent_)
        lines.push_back("CMD_chat+" + std::to_string(seat_) + "+hi " + std::to_string(sent_ + 1) +
                        "|clWhite");
    return lines;
}

std::optional<std::string> Prober::due(BenchClock::time_point now) {
    if (outstanding_ >= 0 && now - sentAt_ > std::chrono::seconds(5)) {
        ++lost_;
        outstanding_ = -1;
    }
    if (outstanding_ >= 0 || now < next_) return std::nullopt;
    outstanding_ = ++count_;
    sentAt_ = now;
    next_ = now + std::chrono::milliseconds(std::uniform_int_distribution<int>(600, 900)(gen_));
    return "CMD_chat+" + std::to_string(seat_) + "+probe " + std::to_string(outstanding_) +
           "|clWhite";
}

void Prober::relayed(long number, BenchClock::time_point now) {
    if (number != outstanding_) return;
    ms_.push_back(std::chrono::duration<double, std::milli>(now - sentAt_).count());
    outstanding_ = -1;
}

std::string summary(std::vector<double> ms) {
    if (ms.empty()) return "n=0";
    std::sort(ms.begin(), ms.end());
    char out[160];
    std::snprintf(out, sizeof out, "n=%zu median=%.3f p99=%.3f worst=%.3f", ms.size(),
                  ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
    return out;
}
