#include "document/linklabel.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "markup/tags.h"

#include <charconv>

namespace norvak {

const std::array<LinkKind, kLinkKindCount>& LinkKinds() {
    static const std::array<LinkKind, kLinkKindCount> kinds = {{
        {"ПОТ"_cp, "Признает УТРАТИВШИМ СИЛУ следующий документ"_cp},
        {"ЧОТ"_cp, "Признает УТРАТИВШИМ СИЛУ некоторые положения следующего документа"_cp},
        {"ДОП"_cp, "ДОПОЛНЯЕТ содержание следующего документа"_cp},
        {"ВИЗ"_cp, "ВНОСИТ ИЗМЕНЕНИЯ в следующий документ"_cp},
        {"РЕД"_cp, "Дан в РЕДАКЦИИ следующего документа"_cp},
        {"НУЛ"_cp, "Нулевая ссылка"_cp},
        {"РАЗ"_cp, "РАЗЪЯСНЯЕТ применение следующего документа"_cp},
        {"РЕГ"_cp, "РЕГУЛИРУЕТ применение следующего документа"_cp},
        {"ИСП"_cp, "Принят ВО ИСПОЛНЕНИЕ следующего документа"_cp},
        {"ВСТ"_cp, "Принят В СООТВЕТСТВИИ со следующим документом"_cp},
    }};
    return kinds;
}

namespace {
void PadTagLine(std::string& line, std::size_t from) {
    if (line.size() - from < static_cast<std::size_t>(kTagLineLength))
        line.append(static_cast<std::size_t>(kTagLineLength) - (line.size() - from), '-');
}
} // namespace

std::string BuildLinkLine(std::string_view kindCode, int documentNumber, int lineNumber, bool keyO,
                          bool keyP) {
    std::string line(2, kTagMarker);
    line += "СС_"_cp;
    line += kindCode;
    line += '_';
    line += std::to_string(documentNumber);
    if (lineNumber != 0) {
        line += '_';
        line += std::to_string(lineNumber);
    }
    if (keyO)
        line += "-О"_cp;
    if (keyP)
        line += "-П"_cp;
    line += '#';
    PadTagLine(line, 0);
    line += '\n';
    return line;
}

std::string BuildLabelText(int number) {
    std::string text = "\n";
    text.append(2, kTagMarker);
    text += "МЕТ"_cp;
    text += std::to_string(number);
    text += '#';
    PadTagLine(text, 1);
    text += '\n';
    return text;
}

bool IsLinkOkEnabled(const LinkFields& fields) {
    return !fields.documentNumber.empty();
}

std::string BuildLinkLine(const LinkFields& fields) {
    const int kind =
        fields.kind >= 0 && fields.kind < kLinkKindCount ? fields.kind : kDefaultLinkKind;
    return BuildLinkLine(LinkKinds()[static_cast<std::size_t>(kind)].code,
                         LeadingInt(fields.documentNumber), LeadingInt(fields.lineNumber),
                         fields.keyO, fields.keyP);
}

bool IsDigitsOnly(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

LabelCheck CheckLabelNumber(std::string_view text, int& number) {
    // An integer field: optional white space around an optionally signed decimal number that
    // fits an int.
    std::string_view s = text;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int value = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size())
        return LabelCheck::NotInteger;
    if (value == 0)
        return LabelCheck::Zero;
    // A negative number is an integer but no label; it is refused like 0.
    if (value < 0)
        return LabelCheck::Zero;
    number = value;
    return LabelCheck::Ok;
}

bool IsLabelOkEnabled(std::string_view text) {
    return !text.empty();
}

std::string_view LabelZeroMessage() {
    return "Вы должны задать число большее 0!"_cp;
}

} // namespace norvak
