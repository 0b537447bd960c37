#include "document/titlerecompose.h"

#include "core/literal.h"
#include "core/progress.h"
#include "dictionaries/servicedata.h"
#include "document/settings.h"
#include "requisites/ordinarydocanalyzer.h"

namespace norvak {

std::optional<std::string> OwnTitleOf(const CRequisiteRecord& record,
                                      const CServiceData& dictionaries) {
    const std::string& title = record.m_title;
    if (const std::size_t brk = title.find(" \n"); brk != std::string::npos) {
        std::string own = title.substr(brk + 2);
        return own == "<>" ? std::string() : own;
    }
    if (record.m_kinds.empty())
        return std::nullopt;
    const std::string& kind = record.m_kinds.front();
    const CDocDict& kinds = dictionaries.DocDict();
    for (int i = 0; i < kinds.GetCount(); ++i) {
        const CDocKindEntry& entry = kinds.GetAt(i);
        if (entry.GetCases().Form(CaseNominative) != kind || entry.QuoteTitle() == 0)
            continue;
        const std::string open = "\"" + kind + " ";
        const std::size_t close = title.rfind('"');
        if (title.compare(0, open.size(), open) != 0 || close == std::string::npos ||
            close < open.size())
            return std::nullopt;
        return title.substr(open.size(), close - open.size());
    }
    return std::nullopt;
}

std::optional<std::string> RecomposedTitle(const CRequisiteRecord& record,
                                           const CServiceData& dictionaries,
                                           const DocSettings& settings, COperator& op) {
    // The appendices the title takes along ("(вместе с ...)" on a line of its own) stay after
    // it as they are.
    CRequisiteRecord plain = record;
    std::string appendices;
    if (const std::size_t at = plain.m_title.find(" \n(вместе с"_cp); at != std::string::npos) {
        appendices = plain.m_title.substr(at);
        plain.m_title.resize(at);
    }
    const std::optional<std::string> own = OwnTitleOf(plain, dictionaries);
    if (!own)
        return std::nullopt;
    COrdinaryDocAnalyzer composer(dictionaries.DocDict(), dictionaries.OrganDict(),
                                  dictionaries.UpperCaseDict(), settings.stringLength,
                                  settings.posParagraph, NullProgress(), op);
    composer.Record() = plain;
    composer.Record().m_text.clear();
    composer.ComposeTitle(*own);
    return composer.Record().m_title + appendices;
}

} // namespace norvak
