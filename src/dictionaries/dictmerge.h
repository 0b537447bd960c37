#pragma once
// Comparing and merging the dictionaries of two copies of one dict.dat, entry by entry, for
// programs that share the file.

namespace norvak {

class COperator;
class CServiceData;

// True when a and b hold the same entries in every dictionary, whatever their order (the
// analyses sort the kinds, bodies and sources, which is no change worth writing).
bool SameDictionaries(const CServiceData& a, const CServiceData& b);

// Brings into mine the changes theirs made since base, dictionary by dictionary and entry by
// entry: entries added, removed or edited there. Entries are known by their name (kinds,
// bodies, sources, word forms), their number (themes) or their word (letter case); repeated
// names are told apart by their order. Where both sides changed one entry differently, op is
// asked (Yes keeps the change made in mine). Mine keeps its order; entries only theirs has
// follow at the end of each dictionary. Returns how many questions were asked.
int MergeDictionaries(const CServiceData& base, CServiceData& mine, const CServiceData& theirs,
                      COperator& op);

} // namespace norvak
