#pragma once

#include <cstdint>
#include <vector>

namespace tally {

// The adaptive Huffman tree of LZHUF: 314 symbols (256 literals and 58 match
// lengths), kept in frequency order and rebuilt when the root reaches 0x8000.
class LzhHuffman {
  public:
    static constexpr int kSymbols = 314;
    static constexpr int kNodes = 2 * kSymbols - 1;  // T
    static constexpr int kRoot = kNodes - 1;         // R

    LzhHuffman();

    // The tree's code of `symbol`, root first: `length` bits, right-aligned in `bits`.
    // The tree keeps the sibling property with a total weight of at most 0x8000,
    // so no code is longer than 22 bits.
    void codeOf(int symbol, std::uint32_t& bits, int& length) const;

    // Walking the tree from the root: the node's child for `bit`.
    int root() const { return son_[kRoot]; }
    // For a node index returned by root() or child(): a leaf when >= kNodes.
    int child(int node, unsigned bit) const { return son_[node + bit]; }
    static bool isLeaf(int node) { return node >= kNodes; }
    static int symbolOf(int leaf) { return leaf - kNodes; }

    // Counts one more occurrence of `symbol` and restores the frequency order.
    void update(int symbol);

  private:
    static constexpr unsigned kMaxFreq = 0x8000;
    void rebuild();

    std::vector<unsigned> freq_;  // kNodes + 1, the last one a sentinel
    std::vector<int> parent_;     // kNodes + kSymbols: nodes, then leaves
    std::vector<int> son_;        // kNodes
};

}  // namespace tally
