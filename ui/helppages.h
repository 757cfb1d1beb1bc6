#pragma once

#include <QString>
#include <vector>

// The texts of the help pages, by page number.
struct HelpPage {
    int number;
    QString title;
    QString text;
};

const std::vector<HelpPage>& helpPages();
