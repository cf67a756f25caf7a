#include "windows/widgets/msg_box.hpp"

#include <QApplication>
#include <QMessageBox>

#include "windows/widgets/qt_text.hpp"

namespace fw {

namespace {

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

bool has_yes_no(int style) { return (style & 0x0F) == 4; }

}  // namespace

void install_box_responder(BoxResponder installed) { responder() = std::move(installed); }

BoxAnswer msgBox(const BoxMessage& box, QWidget* owner) {
    if (responder()) return responder()(box);
    if (!owner) owner = QApplication::activeWindow();
    // The core writes line breaks as CR LF; Qt breaks a line at the LF alone.
    QString text = to_qt(box.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox dialog(icon_of(box.style), to_qt(box.title), text, QMessageBox::NoButton, owner);
    if (has_yes_no(box.style)) {
        dialog.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        dialog.setDefaultButton(QMessageBox::Yes);
        dialog.setEscapeButton(QMessageBox::No);
        return dialog.exec() == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
    }
    dialog.setStandardButtons(QMessageBox::Ok);
    dialog.exec();
    return BoxAnswer::Ok;
}

BoxAnswer msgBox(const std::string& text, int style, const std::string& title, QWidget* owner) {
    return msgBox(BoxMessage{text, style, title}, owner);
}

}  // namespace fw
