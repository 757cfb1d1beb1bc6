#pragma once

#include <QPixmap>
#include <vector>

// A row of same-sized pictures picked by number, as the dice faces, the score-card
// headings and the mark pictures are.
class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(std::vector<QPixmap> pictures) : pictures_(std::move(pictures)) {}

    int count() const { return int(pictures_.size()); }
    // Picture n; an empty one for a number outside the list.
    QPixmap at(int n) const { return n >= 0 && n < count() ? pictures_[size_t(n)] : QPixmap(); }

  private:
    std::vector<QPixmap> pictures_;
};

// The main window's three lists: 7 dice faces (0 blank, 1 to 6), 7 card headings
// (15 to 20 and the bull), 4 mark pictures (no mark to closed).
struct ImageLists {
    ImageList imagelist_dice;
    ImageList imagelist_numbers;
    ImageList imagelist_lights;

    static ImageLists load();
};
