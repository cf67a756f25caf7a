#include "windows/widgets/keyboard.hpp"

#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>

namespace fw {

namespace {

// Only the option that is on keeps its place in the Tab order; the others are reached by the
// arrows and the mouse. With none on, each keeps its place until one takes the focus (the toolkit
// then keeps only that one).
void follow_chosen_option(const QList<QRadioButton*>& options) {
    const bool any_on = std::any_of(options.begin(), options.end(), [](auto* o) { return o->isChecked(); });
    for (QRadioButton* option : options) {
        const bool tab_stop = !any_on || option->isChecked();
        option->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

class ArrowChooser : public QObject {
public:
    explicit ArrowChooser(QListWidget* list) : QObject(list), list_(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != list_ || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        QItemSelectionModel* selection = list_->selectionModel();
        const QModelIndex cursor = list_->currentIndex();
        // Without a cursor the list's own key goes to the first line and chooses it.
        if (selection->hasSelection() || !cursor.isValid()) return false;
        selection->select(cursor, QItemSelectionModel::ClearAndSelect);
        return true;
    }

private:
    QListWidget* list_;
};

}  // namespace

void tab_to_chosen_option(QWidget* group) {
    const QList<QRadioButton*> options = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* option : options) {
        QObject::connect(option, &QAbstractButton::toggled, group,
                         [options] { follow_chosen_option(options); });
    }
    follow_chosen_option(options);
}

void choose_with_arrows(QListWidget* list) { list->installEventFilter(new ArrowChooser(list)); }

}  // namespace fw
