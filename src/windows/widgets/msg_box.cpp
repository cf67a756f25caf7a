#include "windows/widgets/msg_box.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "windows/widgets/qt_text.hpp"

namespace fw {

namespace {

// The title bar's icon, buttons and margins, in lines of the title's font.
constexpr int kTitleBarRoom = 6;

BoxResponder& responder() {
    static BoxResponder installed;
    return installed;
}

QMessageBox::Icon icon_of(int style) {
    switch (style & 0x70) {
    case kBoxCritical: return QMessageBox::Critical;
    case kBoxQuestion & 0x70: return QMessageBox::Question;
    case kBoxExclamation: return QMessageBox::Warning;
    case kBoxInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The buttons of a style, in the order a box's captions name them.
QList<QMessageBox::StandardButton> buttons_of(int style) {
    switch (style & 0x0F) {
    case kButtonsYesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case 4: return {QMessageBox::Yes, QMessageBox::No};
    default: return {QMessageBox::Ok};
    }
}

// The button Return presses: the second where the style asks for it; else Cancel where it is
// offered, as it changes nothing; else the first.
qsizetype default_index(int style, qsizetype button_count) {
    if ((style & kSecondButtonDefault) && button_count > 1) return 1;
    return button_count == 3 ? 2 : 0;
}

BoxAnswer answer_of(int button) {
    switch (button) {
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    default: return BoxAnswer::Ok;
    }
}

// A box is made as narrow as its text and buttons, and a short text under a long title would get
// a title bar that cuts the title short ("Confir...ction"). Widen it to the title, measured in the
// title bar's font (in bold, as title bars often set it), with room for the bar's icon and buttons.
void widen_to_title(QMessageBox& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int wanted = metrics.horizontalAdvance(dialog.windowTitle()) + kTitleBarRoom * metrics.height();
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                  1, grid->columnCount());
}

}  // namespace

BoxAnswer default_answer(int style) {
    const QList<QMessageBox::StandardButton> buttons = buttons_of(style);
    return answer_of(buttons[default_index(style, buttons.size())]);
}

void install_box_responder(BoxResponder installed) { responder() = std::move(installed); }

BoxAnswer msgBox(const BoxMessage& box, QWidget* owner) {
    if (responder()) return responder()(box);
    if (!owner) owner = QApplication::activeWindow();
    // The core writes line breaks as CR LF; Qt breaks a line at the LF alone.
    QString text = to_qt(box.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox dialog(icon_of(box.style), to_qt(box.title), text, QMessageBox::NoButton, owner);
    widen_to_title(dialog);
    if (!box.details.empty()) dialog.setDetailedText(to_qt(box.details));
    const QList<QMessageBox::StandardButton> buttons = buttons_of(box.style);
    for (qsizetype k = 0; k < buttons.size(); ++k) {
        QPushButton* button = dialog.addButton(buttons[k]);
        if (static_cast<size_t>(k) < box.captions.size())
            button->setText(to_qt(box.captions[static_cast<size_t>(k)]));
    }
    // Closing the box is the last button (No, Cancel).
    dialog.setDefaultButton(buttons[default_index(box.style, buttons.size())]);
    dialog.setEscapeButton(buttons.back());
    dialog.exec();
    return answer_of(dialog.standardButton(dialog.clickedButton()));
}

BoxAnswer msgBox(const std::string& text, int style, const std::string& title, QWidget* owner) {
    return msgBox(BoxMessage{text, style, title}, owner);
}

}  // namespace fw
