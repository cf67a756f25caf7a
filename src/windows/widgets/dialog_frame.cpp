#include "windows/widgets/dialog_frame.hpp"

#include <QDialog>
#include <algorithm>

namespace fw {

void fix_dialog_frame(QDialog* dialog) {
    dialog->setFixedSize(dialog->size());
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

int grow_caption(QWidget* caption, int right_limit) {
    const int room =
        right_limit == std::numeric_limits<int>::max() ? right_limit : right_limit - caption->x();
    const int wanted = std::min(caption->sizeHint().width(), room);
    if (wanted <= caption->width()) return 0;
    const int grown = wanted - caption->width();
    caption->resize(wanted, caption->height());
    return grown;
}

}  // namespace fw
