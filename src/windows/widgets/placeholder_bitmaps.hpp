#pragma once
// The two 45 x 45 bitmaps the browser shows in place of a sim's own: one for a sim without the
// bitmap asked for, one for a character file that cannot be read. Drawn here, once.
#include <QImage>

namespace fw {

// A sim without a web image (or faces, relationship images): a grey face outline with "?".
const QImage& not_found_bitmap();
// A file that cannot be read: a red cross on white.
const QImage& cant_load_bitmap();

}  // namespace fw
