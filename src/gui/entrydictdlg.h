#pragma once
// The list dialog of the kinds or the bodies dictionary over a working copy, built on the
// phrase dictionaries' list dialog.

#include "dictionaries/cases.h"
#include "entryformdlg.h"
#include "phrasedictdlg.h"

#include <QString>

#include <string>
#include <vector>

namespace norvak {

// The aliases' nominatives joined by ", ".
QString AliasNominatives(const std::vector<CCases>& aliases);

// The list dialog over a working copy of Dict, the kinds or the bodies dictionary, whose
// entries Details shows. Details offers NewEntryForm(), the form of a new entry, and
// TakeNewEntry(entry, form), which copies into a new entry what that form asks beyond its
// case forms.
template <class Dict, class Details> class CEntryDictDlg : public CPhraseDictDlg {
protected:
    CEntryDictDlg(const PhraseDictTexts& texts, Dict& copy, COperator& op, QWidget* parent)
        : CPhraseDictDlg(texts, op, parent), m_dict(copy) {}

    int Count() const override { return m_dict.GetCount(); }
    std::string Name(int row) const override { return m_dict.GetAt(row).Name(); }
    QString AliasNames(int row) const override {
        return AliasNominatives(m_dict.GetAt(row).Aliases());
    }
    bool IsSortedByName() const override { return m_dict.IsSortedByName(); }
    void SortByName() override { m_dict.SortByName(); }
    void RemoveAt(int row) override { m_dict.RemoveAt(row); }
    bool ConfirmRemoveAll() override { return m_dict.ConfirmRemoveAll(Op()); }
    bool SaveListing(const std::string& path) override { return m_dict.SaveListing(path, Op()); }
    bool EditDetails(int row) override {
        Details dialog(m_dict.GetAt(row), Op(), this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        m_dict.GetAt(row) = dialog.Entry();
        return true;
    }
    std::string AddEntry(const QString& nominative) override {
        CEntryFormDlg form(Details::NewEntryForm(), nominative, Op(), this);
        form.SetDuplicateCheck([this](const std::string& name) { return RowOf(name); });
        if (form.exec() != QDialog::Accepted)
            return {};
        auto entry = m_dict.CreateEntry();
        entry.GetCases() = form.Forms();
        Details::TakeNewEntry(entry, form);
        m_dict.Add(entry);
        return form.Nominative();
    }

private:
    Dict& m_dict;
};

} // namespace norvak
