#pragma once
// The dialogs of the adopting-bodies dictionary: the list "Словарь принявших органов" and the
// details of one body.

#include "dictionaries/organdict.h"
#include "phrasedictdlg.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace norvak {

// The list dialog over a working copy of the bodies dictionary.
class COrganDictDlg : public CPhraseDictDlg {
    Q_OBJECT
public:
    COrganDictDlg(COrganDict& copy, COperator& op, QWidget* parent = nullptr);

protected:
    int Count() const override { return m_dict.GetCount(); }
    std::string Name(int row) const override { return m_dict.GetAt(row).Name(); }
    QString AliasNames(int row) const override;
    bool IsSortedByName() const override;
    void SortByName() override { m_dict.SortByName(); }
    void RemoveAt(int row) override { m_dict.RemoveAt(row); }
    bool ConfirmRemoveAll() override { return m_dict.ConfirmRemoveAll(Op()); }
    bool SaveListing(const std::string& path) override { return m_dict.SaveListing(path, Op()); }
    bool EditDetails(int row) override;
    bool AddEntry(const QString& nominative) override;

private:
    COrganDict& m_dict;
};

// The details of one body on a copy that OK assigns back: genitive and instrumental forms,
// the letter-case spelling and the aliases with their three forms.
class COrganDlg : public QDialog {
    Q_OBJECT
public:
    COrganDlg(const COrganEntry& entry, COperator& op, QWidget* parent = nullptr);
    const COrganEntry& Entry() const { return m_entry; }

    QLineEdit* GenitiveEdit() const { return m_genitive; }
    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QLineEdit* LetterCaseEdit() const { return m_letterCase; }
    QTreeWidget* AliasList() const { return m_aliases; }
    QLineEdit* NewAliasEdit() const { return m_newAlias; }

    void OnAddAlias();
    void OnDeleteAliases();
    void OnDeleteAllAliases();
    void accept() override;

private:
    void FillAliases();

    COrganEntry m_entry;
    COperator& m_op;
    QLineEdit* m_genitive;
    QLineEdit* m_instrumental;
    QLineEdit* m_letterCase;
    QTreeWidget* m_aliases;
    QLineEdit* m_newAlias;
    QPushButton* m_deleteAlias;
};

} // namespace norvak
