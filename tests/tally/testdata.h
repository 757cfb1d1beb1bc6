#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace tallytest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(gen());
    return out;
}

inline Bytes textBytes(std::size_t n, unsigned seed) {
    static const char* const words[] = {"dart ", "bull ", "double ", "Vuzi ",      "throws ",
                                        "the ",  "dice ", "closed ", "twenty\r\n", "score "};
    std::mt19937 gen(seed);
    Bytes out;
    while (out.size() < n) {
        const std::string w = words[gen() % 10];
        out.insert(out.end(), w.begin(), w.end());
    }
    out.resize(n);
    return out;
}

// Runs of every length from 1 to 5000 and short stretches of noise between them.
inline Bytes runBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    Bytes out;
    while (out.size() < n) {
        out.insert(out.end(), gen() % 5000 + 1, static_cast<std::uint8_t>(gen()));
        for (unsigned i = gen() % 8; i > 0; --i)
            out.push_back(static_cast<std::uint8_t>(gen()));
    }
    out.resize(n);
    return out;
}

// Scratch folder removed with the object.
class ScratchDir {
  public:
    ScratchDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("quivelo-tally-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const Bytes& data) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// A tally file holding this grid text, written as the program writes it.
void writeTally(const std::string& path, const std::string& gridText);

}  // namespace tallytest
