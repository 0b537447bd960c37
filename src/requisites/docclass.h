#pragma once
// The three classes of documents and how a document's first line chooses its class.

#include "core/textcore.h"

namespace norvak {

// The three classes of documents.
enum DocClass : int {
    DocClassOrdinary = 0, // analysed by COrdinaryDocAnalyzer
    DocClassApproved = 1, // first line begins "УТВЕРЖД": CApprovedDocAnalyzer
    DocClassQuestion = 2, // first line begins "ВОПРОС": CQuestionDocAnalyzer
};

// The class of lines by their first non-blank line (spaces, tabs, line feeds, carriage
// returns and vertical tabs trimmed, compared in capitals); 0 for an empty list.
DocClass ClassifyDocument(const LineList& lines);

} // namespace norvak
