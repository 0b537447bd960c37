#pragma once
// The dialogs of the kinds dictionary: the list "Словарь видов документов" and the details of
// one kind, "Дополнительно".

#include "dictionaries/docdict.h"
#include "phrasedictdlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace norvak {

// The list dialog over a working copy of the kinds dictionary.
class CDocDictDlg : public CPhraseDictDlg {
    Q_OBJECT
public:
    CDocDictDlg(CDocDict& copy, COperator& op, QWidget* parent = nullptr);

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
    CDocDict& m_dict;
};

// The details of one kind, edited on a copy that OK assigns back: instrumental form, gender,
// quote flag and the aliases.
class CDocKindDlg : public QDialog {
    Q_OBJECT
public:
    CDocKindDlg(const CDocKindEntry& entry, COperator& op, QWidget* parent = nullptr);
    const CDocKindEntry& Entry() const { return m_entry; }

    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QComboBox* GenderBox() const { return m_gender; }
    QCheckBox* QuoteCheck() const { return m_quote; }
    QTreeWidget* AliasList() const { return m_aliases; }
    QLineEdit* NewAliasEdit() const { return m_newAlias; }

    void OnAddAlias();
    void OnDeleteAliases();
    void OnDeleteAllAliases();
    void accept() override;

private:
    void FillAliases();

    CDocKindEntry m_entry;
    COperator& m_op;
    QLineEdit* m_instrumental;
    QComboBox* m_gender;
    QCheckBox* m_quote;
    QTreeWidget* m_aliases;
    QLineEdit* m_newAlias;
    QPushButton* m_deleteAlias;
};

} // namespace norvak
