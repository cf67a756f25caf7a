#pragma once
// The question the main window asks before it opens the extraction window.
#include "core/base/message_box.hpp"

namespace fw {

// "This procedure will extract all Maxis head bitmaps ..." and "Are you sure that you wish to
// continue?" after two line breaks, titled "Confirm Action", Yes and No. Any answer but No opens
// the extraction window.
BoxMessage extract_question();

}  // namespace fw
