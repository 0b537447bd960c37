#include "cli/terminaloperator.h"

#include "core/codepage.h"
#include "core/literal.h"

#include <ostream>

namespace norvak::cli {

void CTerminalOperator::Message(std::string_view text, MessageIcon icon) {
    std::string utf8 = Cp1251ToUtf8(text);
    m_messages.push_back(utf8);
    if (icon == MessageIcon::Error || icon == MessageIcon::Exclamation)
        m_hadError = true;
    if (m_err)
        *m_err << "norvak-cli: " << utf8 << '\n';
}

Answer CTerminalOperator::AskYesNo(std::string_view text) {
    // The only question of a conversion: whether a letter's kind goes into angle brackets.
    if (text.find("ПИСЬМО"_cp) != std::string_view::npos)
        return m_quoteLetterKind ? Answer::Yes : Answer::No;
    return Answer::No;
}

Answer CTerminalOperator::AskYesNoCancel(std::string_view text) {
    (void)text;
    return Answer::No;
}

} // namespace norvak::cli
