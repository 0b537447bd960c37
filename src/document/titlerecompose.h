#pragma once
// The title of a document composed again from the requisites the operator corrected, around
// the document's own title.

#include "requisites/requisiterecord.h"

#include <optional>
#include <string>

namespace norvak {

class COperator;
class CServiceData;
struct DocSettings;

// The own title a composed title holds: what follows its first " \n" ("" for the "<>" of a
// document without one), or, for a kind whose titles are quoted ("ЗАКОН ОБ ..." written as
// "\"KIND OWN\" от ..."), what stands between the kind and the closing quote. Nothing when the
// title is in neither form (written by hand, or the act's own name standing alone).
std::optional<std::string> OwnTitleOf(const CRequisiteRecord& record,
                                      const CServiceData& dictionaries);

// record's title composed again from its first kind, its bodies, dates and numbers and the own
// title it holds (OwnTitleOf), as the opening composes it, the appendices it takes along
// ("(вместе с ...)") kept after it; nothing when the title is not a composed one. A first kind
// ПИСЬМО asks op whether it goes into angle brackets.
std::optional<std::string> RecomposedTitle(const CRequisiteRecord& record,
                                           const CServiceData& dictionaries,
                                           const DocSettings& settings, COperator& op);

} // namespace norvak
