#pragma once
#include <QPixmap>
#include <array>

inline namespace zz {

// The tree pictures of the word window, 16 x 16, drawn here: a word, a word selected, a bit,
// a bit selected, in this order.
std::array<QPixmap, 4> DrawWordTreePictures();

} // namespace zz
