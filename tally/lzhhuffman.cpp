#include "tally/lzhhuffman.h"

#include <algorithm>

namespace tally {

LzhHuffman::LzhHuffman() : freq_(kNodes + 1), parent_(kNodes + kSymbols), son_(kNodes) {
    for (int i = 0; i < kSymbols; ++i) {
        freq_[i] = 1;
        son_[i] = i + kNodes;
        parent_[i + kNodes] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        freq_[j] = freq_[i] + freq_[i + 1];
        son_[j] = i;
        parent_[i] = parent_[i + 1] = j;
    }
    freq_[kNodes] = 0xFFFF;
    parent_[kRoot] = 0;
}

void LzhHuffman::codeOf(int symbol, std::uint32_t& bits, int& length) const {
    bits = 0;
    length = 0;
    // A node's bit is its index parity: siblings always stand at 2k and 2k + 1.
    for (int k = parent_[symbol + kNodes]; k != kRoot; k = parent_[k]) {
        bits |= static_cast<std::uint32_t>(k & 1) << length;
        ++length;
    }
}

void LzhHuffman::update(int symbol) {
    if (freq_[kRoot] == kMaxFreq) rebuild();
    int c = parent_[symbol + kNodes];
    do {
        const unsigned k = ++freq_[c];
        int l = c + 1;
        if (k > freq_[l]) {
            while (k > freq_[++l]) {
            }
            --l;
            freq_[c] = freq_[l];
            freq_[l] = k;

            const int i = son_[c];
            parent_[i] = l;
            if (i < kNodes) parent_[i + 1] = l;

            const int j = son_[l];
            son_[l] = i;
            parent_[j] = c;
            if (j < kNodes) parent_[j + 1] = c;
            son_[c] = j;

            c = l;
        }
        c = parent_[c];
    } while (c != 0);
}

void LzhHuffman::rebuild() {
    // Gather the leaves at the front with their counts halved (rounded up).
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (son_[i] >= kNodes) {
            freq_[j] = (freq_[i] + 1) / 2;
            son_[j] = son_[i];
            ++j;
        }
    }
    // Join pairs, inserting each new node where its count keeps the order.
    for (int i = 0, node = kSymbols; node < kNodes; i += 2, ++node) {
        const unsigned f = freq_[i] + freq_[i + 1];
        int k = node - 1;
        while (f < freq_[k])
            --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        freq_[k] = f;
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        son_[k] = i;
    }
    for (int i = 0; i < kNodes; ++i) {
        const int k = son_[i];
        if (k >= kNodes) {
            parent_[k] = i;
        } else {
            parent_[k] = parent_[k + 1] = i;
        }
    }
}

}  // namespace tally
