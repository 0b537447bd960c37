#include "core/operatorio.h"

namespace norvak {

void CScriptedOperator::Message(std::string_view text, MessageIcon icon) {
    m_entries.push_back({std::string(text), icon, false});
}

Answer CScriptedOperator::AskYesNo(std::string_view text) {
    m_entries.push_back({std::string(text), MessageIcon::Question, true});
    return m_answer == Answer::Cancel ? Answer::No : m_answer;
}

Answer CScriptedOperator::AskYesNoCancel(std::string_view text) {
    m_entries.push_back({std::string(text), MessageIcon::Question, true});
    return m_answer;
}

std::vector<std::string> CScriptedOperator::Messages() const {
    std::vector<std::string> out;
    for (const Entry& e : m_entries)
        if (!e.question)
            out.push_back(e.text);
    return out;
}

std::vector<std::string> CScriptedOperator::Questions() const {
    std::vector<std::string> out;
    for (const Entry& e : m_entries)
        if (e.question)
            out.push_back(e.text);
    return out;
}

namespace {
// Replaces the first conversion (%s, %d, %i, %05d ...) of format by text; "%%" stays "%".
std::string Substitute(std::string_view format, std::string_view text) {
    std::string out;
    bool done = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < format.size() && std::string_view("0123456789-+ .").find(format[j]) !=
                                        std::string_view::npos)
            ++j;
        if (done || j >= format.size()) {
            out.append(format.substr(i, j - i + (j < format.size() ? 1 : 0)));
            i = j;
            continue;
        }
        out.append(text);
        done = true;
        i = j;
    }
    return out;
}
} // namespace

std::string FormatMessage(std::string_view format, std::string_view arg) {
    return Substitute(format, arg);
}

std::string FormatMessage(std::string_view format, long long arg) {
    return Substitute(format, std::to_string(arg));
}

} // namespace norvak
