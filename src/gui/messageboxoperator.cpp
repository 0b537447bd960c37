#include "messageboxoperator.h"

#include "textcodec.h"
#include "waitcursor.h"

#include <QApplication>
#include <QMessageBox>

namespace norvak {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

Answer Ask(QWidget* owner, std::string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(CMessageBoxOperator::kCaption),
                    BytesToQString(text), buttons, owner);
    CNormalCursor arrow;
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace

void CMessageBoxOperator::Message(std::string_view cp1251Text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), QString::fromLatin1(kCaption), BytesToQString(cp1251Text),
                    QMessageBox::Ok, m_owner);
    CNormalCursor arrow;
    box.exec();
}

Answer CMessageBoxOperator::AskYesNo(std::string_view cp1251Text) {
    Answer a = Ask(m_owner, cp1251Text, QMessageBox::Yes | QMessageBox::No);
    return a == Answer::Cancel ? Answer::No : a;
}

Answer CMessageBoxOperator::AskYesNoCancel(std::string_view cp1251Text) {
    return Ask(m_owner, cp1251Text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

} // namespace norvak
