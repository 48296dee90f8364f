// The 13 tool-bar pictures, 16 x 16, by number.
#pragma once

#include <QIcon>
#include <array>

namespace quorvel {

enum ImageIndex : int {
    imgExit = 0,
    imgHome = 1,
    imgEdit = 2,
    imgHelp = 3,
    imgSaveEdits = 4,
    imgCancelEdits = 5,
    imgEditingTools = 6,
    imgPageHistory = 7,
    imgRevert = 8,
    imgExitHistory = 9,
    imgBack = 10,
    imgForward = 11,
    imgUp = 12,
    imgCount = 13
};

using TImageList = std::array<QIcon, imgCount>;

// Draws the pictures (our own, painted in code).
TImageList CreateToolBarImages();

// The small magnifier of the search button (not part of the list).
QIcon CreateSearchImage();

}  // namespace quorvel
