#pragma once
// The operator as the editor meets him: message boxes captioned "Norvak" over the main window.

#include "core/operatorio.h"

class QWidget;

namespace norvak {

// Shows every message and question of the core in a message box.
class CMessageBoxOperator : public COperator {
public:
    explicit CMessageBoxOperator(QWidget* owner) : m_owner(owner) {}
    void Message(std::string_view cp1251Text, MessageIcon icon) override;
    Answer AskYesNo(std::string_view cp1251Text) override;
    Answer AskYesNoCancel(std::string_view cp1251Text) override;

    static constexpr const char* kCaption = "Norvak";

private:
    QWidget* m_owner;
};

} // namespace norvak
