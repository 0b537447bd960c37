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

// The value one conversion prints: a string, or an integer when isInt is set.
struct Argument {
    std::string_view text;
    long long number = 0;
    bool isInt = false;
};

// Prints arg as the conversion (the characters between '%' and the conversion letter)
// asks: flags '-', '0', '+', ' ', a width and a precision; length modifiers are ignored.
std::string Convert(std::string_view conversion, const Argument& arg) {
    bool left = false, zero = false, plus = false, space = false;
    std::size_t k = 0;
    for (; k < conversion.size() &&
           std::string_view("-0+ #").find(conversion[k]) != std::string_view::npos;
         ++k) {
        left = left || conversion[k] == '-';
        zero = zero || conversion[k] == '0';
        plus = plus || conversion[k] == '+';
        space = space || conversion[k] == ' ';
    }
    auto number = [&](std::size_t& at) {
        std::size_t v = 0;
        for (; at < conversion.size() && conversion[at] >= '0' && conversion[at] <= '9'; ++at)
            v = v < 100000 ? v * 10 + static_cast<std::size_t>(conversion[at] - '0') : v;
        return v;
    };
    std::size_t width = number(k);
    bool hasPrecision = k < conversion.size() && conversion[k] == '.';
    std::size_t precision = 0;
    if (hasPrecision) {
        ++k;
        precision = number(k);
    }
    std::string body, sign;
    if (arg.isInt) {
        unsigned long long magnitude = arg.number < 0
                                           ? 0ULL - static_cast<unsigned long long>(arg.number)
                                           : static_cast<unsigned long long>(arg.number);
        body = std::to_string(magnitude);
        if (hasPrecision && body.size() < precision)
            body.insert(0, precision - body.size(), '0');
        // One character at a time: GCC 12 at -O3 misreads assigning a literal here as an
        // overlapping copy (-Wrestrict) and the release build fails.
        if (arg.number < 0)
            sign = '-';
        else if (plus)
            sign = '+';
        else if (space)
            sign = ' ';
    } else {
        body = std::string(hasPrecision ? arg.text.substr(0, precision) : arg.text);
    }
    std::size_t length = sign.size() + body.size();
    if (length >= width)
        return sign + body;
    std::size_t pad = width - length;
    if (left)
        return sign + body + std::string(pad, ' ');
    if (zero && arg.isInt && !hasPrecision)
        return sign + std::string(pad, '0') + body;
    return std::string(pad, ' ') + sign + body;
}

// Replaces the first conversion (%s, %d, %i, %05d ...) of format by arg; "%%" stays "%".
std::string Substitute(std::string_view format, const Argument& arg) {
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
        // Flags, width, precision and length modifiers ("%-5s", "%05d", "%ld", "%lld").
        while (j < format.size() &&
               std::string_view("0123456789-+ .#lhzjt").find(format[j]) != std::string_view::npos)
            ++j;
        if (done || j >= format.size()) {
            out.append(format.substr(i, j - i + (j < format.size() ? 1 : 0)));
            i = j;
            continue;
        }
        std::string_view conversion = format.substr(i + 1, j - i - 1);
        while (!conversion.empty() &&
               std::string_view("lhzjt").find(conversion.back()) != std::string_view::npos)
            conversion.remove_suffix(1);
        out.append(Convert(conversion, arg));
        done = true;
        i = j;
    }
    return out;
}
} // namespace

std::string FormatMessage(std::string_view format, std::string_view arg) {
    return Substitute(format, Argument{arg, 0, false});
}

std::string FormatMessage(std::string_view format, long long arg) {
    return Substitute(format, Argument{{}, arg, true});
}

} // namespace norvak
