#pragma once
#include <QPixmap>

inline namespace zz {

// The pictures of the XML tree, drawn in code: twelve 16 x 16 pictures, two per node kind
// (normal at 2 x kind, selected at 2 x kind + 1) for document, element, attribute, processing
// instruction and XML declaration; 10 and 11 are spare copies of the element pictures.
inline constexpr int kXmlImageCount = 12;
QPixmap XmlTreeImage(int index);

} // namespace zz
