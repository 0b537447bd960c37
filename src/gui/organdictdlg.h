#pragma once
// The dialogs of the adopting-bodies dictionary: the list "Словарь принявших органов" and the
// details of one body.

#include "dictionaries/organdict.h"
#include "entrydetailsdlg.h"
#include "entrydictdlg.h"
#include "entryforms.h"

class QLineEdit;

namespace norvak {

// The details of one body on a copy that OK assigns back: genitive and instrumental forms,
// the letter-case spelling and the aliases with their three forms.
class COrganDlg : public CEntryDetailsDlg {
    Q_OBJECT
public:
    COrganDlg(const COrganEntry& entry, COperator& op, QWidget* parent = nullptr);
    const COrganEntry& Entry() const { return m_entry; }

    QLineEdit* GenitiveEdit() const { return m_genitive; }
    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QLineEdit* LetterCaseEdit() const { return m_letterCase; }

    void accept() override;

    // The form of a new body, and what a new body takes from it besides its case forms.
    static EntryFormLayout NewEntryForm() { return OrganFormSpec(); }
    static void TakeNewEntry(COrganEntry& entry, const CEntryFormDlg& form);

private:
    COrganEntry m_entry;
    QLineEdit* m_genitive;
    QLineEdit* m_instrumental;
    QLineEdit* m_letterCase;
};

// The list dialog over a working copy of the bodies dictionary.
class COrganDictDlg : public CEntryDictDlg<COrganDict, COrganDlg> {
    Q_OBJECT
public:
    COrganDictDlg(COrganDict& copy, COperator& op, QWidget* parent = nullptr);
};

} // namespace norvak
