#pragma once
// What the opening road does between classing a document and detecting its requisites: the
// progress texts each class announces and the analyzer of each class.

#include "core/textcore.h"
#include "requisites/docanalyzer.h"
#include "requisites/docclass.h"
#include "requisites/extendeddetection.h"

#include <memory>
#include <string>
#include <vector>

namespace norvak {

class CServiceData;
class COperator;
class CProgress;
struct DocSettings;

// The texts a class announces (CP1251): the requisite texts of its analyzer, one per step,
// followed, when tags will be created, by the texts of the markup run.
std::vector<std::string> ClassProgressTexts(DocClass docClass, bool createTags);
// Begins progress and adds the texts of the class.
void AnnounceClassProgress(CProgress& progress, DocClass docClass, bool createTags);

// The analyzer of a class over the dictionaries and the layout settings; the question
// analyzer also takes QuestionDoc. The analyzer refers to the dictionaries, progress and
// operator given here, which must outlive it.
std::unique_ptr<CDocAnalyzer> CreateAnalyzer(DocClass docClass, const CServiceData& dictionaries,
                                             const DocSettings& settings, CProgress& progress,
                                             COperator& op);

// What the preparation gives the caller: the class, the analyzer to run on the lines and,
// when the extended detection is on, the extension the analyzer consults (its evidence and
// fired rules are read after the run).
struct PreparedDetection {
    DocClass docClass = DocClassOrdinary;
    std::unique_ptr<CExtendedDetection> extension;
    std::unique_ptr<CDocAnalyzer> analyzer;
};

// Sorts the kinds and then the bodies dictionary by word count, classes the lines, announces
// the class's progress texts (with the tag texts when settings.createTags is on) and creates
// the analyzer. With settings.extendedRecvisits on, the lines are classed without those the
// extension leaves out (a registration line above an approval stamp, for instance).
PreparedDetection PrepareRequisitesDetection(const LineList& lines, CServiceData& dictionaries,
                                             const DocSettings& settings, CProgress& progress,
                                             COperator& op);

} // namespace norvak
