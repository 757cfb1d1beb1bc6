#include "client/imagelists.h"

#include "ui/pictures.h"

ImageLists ImageLists::load() {
    ImageLists lists;
    std::vector<QPixmap> dice, numbers, lights;
    for (int v = 0; v <= 6; ++v)
        dice.push_back(ui::picture(QString("dice%1.jpg").arg(v)));
    for (int n = 15; n <= 20; ++n)
        numbers.push_back(ui::picture(QString("card%1.jpg").arg(n)));
    numbers.push_back(ui::picture("cardbull.jpg"));
    for (int m = 0; m <= 3; ++m)
        lights.push_back(ui::picture(QString("mark%1.jpg").arg(m)));
    lists.imagelist_dice = ImageList(std::move(dice));
    lists.imagelist_numbers = ImageList(std::move(numbers));
    lists.imagelist_lights = ImageList(std::move(lights));
    return lists;
}
