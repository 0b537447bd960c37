#include "requisites/docclass.h"

#include "core/literal.h"

namespace norvak {

DocClass ClassifyDocument(const LineList& lines) {
    if (lines.empty())
        return DocClassOrdinary;
    std::string_view first;
    for (const std::string& line : lines) {
        first = TrimChars(line, " \t\n\r\v");
        if (!first.empty())
            break;
    }
    const std::string upper = ToUpper(first);
    if (StartsWith(upper, "ВОПРОС"_cp))
        return DocClassQuestion;
    if (StartsWith(upper, "УТВЕРЖД"_cp))
        return DocClassApproved;
    return DocClassOrdinary;
}

} // namespace norvak
