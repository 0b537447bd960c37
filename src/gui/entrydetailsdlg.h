#pragma once
// The alias list that the details dialogs of a kind and a body share.

#include "dictionaries/cases.h"
#include "entryformdlg.h"

#include <QDialog>

#include <vector>

class QFormLayout;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace norvak {

class CDictEntry;
class COperator;

// What the details dialogs of a kind and a body share: the entry's alias list with the
// "Новый псевдоним" row for adding, deleting and clearing aliases, and OK and cancel. The
// derived dialog holds the entry and builds the rows of its own forms.
class CEntryDetailsDlg : public QDialog {
    Q_OBJECT
public:
    QTreeWidget* AliasList() const { return m_aliases; }
    QLineEdit* NewAliasEdit() const { return m_newAlias; }

    void OnAddAlias();
    void OnDeleteAliases();
    void OnDeleteAllAliases();

protected:
    CEntryDetailsDlg(COperator& op, QWidget* parent) : QDialog(parent), m_op(op) {}
    void keyPressEvent(QKeyEvent* event) override;
    // Lays out form, then the aliases of entry (a column for each form aliasForm asks for),
    // the row of a new alias and the buttons OK and cancelText. entry is the derived dialog's.
    void Build(CDictEntry& entry, QFormLayout* form, const EntryFormLayout& aliasForm,
               const QString& cancelText);
    // Puts the aliases as listed, normalised, into the entry.
    void StoreAliases();
    COperator& Op() const { return m_op; }

private:
    void FillAliases();

    COperator& m_op;
    CDictEntry* m_entry = nullptr;
    EntryFormLayout m_aliasForm;
    std::vector<CaseIndex> m_aliasCases;
    QTreeWidget* m_aliases = nullptr;
    QLineEdit* m_newAlias = nullptr;
    QPushButton* m_deleteAlias = nullptr;
};

} // namespace norvak
