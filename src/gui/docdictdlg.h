#pragma once
// The dialogs of the kinds dictionary: the list "Словарь видов документов" and the details of
// one kind, "Дополнительно".

#include "dictionaries/docdict.h"
#include "entrydetailsdlg.h"
#include "entrydictdlg.h"
#include "entryforms.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace norvak {

// The details of one kind, edited on a copy that OK assigns back: instrumental form, gender,
// quote flag and the aliases.
class CDocKindDlg : public CEntryDetailsDlg {
    Q_OBJECT
public:
    CDocKindDlg(const CDocKindEntry& entry, COperator& op, QWidget* parent = nullptr);
    const CDocKindEntry& Entry() const { return m_entry; }

    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QComboBox* GenderBox() const { return m_gender; }
    QCheckBox* QuoteCheck() const { return m_quote; }

    void accept() override;

    // The form of a new kind, and what a new kind takes from it besides its case forms.
    static EntryFormLayout NewEntryForm() { return KindFormSpec(); }
    static void TakeNewEntry(CDocKindEntry& entry, const CEntryFormDlg& form);

private:
    CDocKindEntry m_entry;
    QLineEdit* m_instrumental;
    QComboBox* m_gender;
    QCheckBox* m_quote;
};

// The list dialog over a working copy of the kinds dictionary.
class CDocDictDlg : public CEntryDictDlg<CDocDict, CDocKindDlg> {
    Q_OBJECT
public:
    CDocDictDlg(CDocDict& copy, COperator& op, QWidget* parent = nullptr);
};

} // namespace norvak
