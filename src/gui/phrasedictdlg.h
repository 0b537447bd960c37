#pragma once
// What the list dialogs of the kinds and the bodies dictionaries share: the report list with
// its count, adding, details, deleting, clearing and the listing; the form in which a new
// entry or alias gets all its case forms; the alias list of the details dialogs; and the
// buttons every dictionary dialog makes alike.

#include "requisites/cases.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace norvak {

class CCharListCtrl;
class CDictEntry;
class CDictListModel;
class COperator;

// A push button of a dictionary dialog that Enter does not press; objectName when given.
QPushButton* MakeButton(const QString& text, QWidget* parent, const char* objectName = nullptr);

// The OK and cancel buttons of dialog, wired to accept() and reject(). With okDefault OK is
// the default button; otherwise neither button is pressed by Enter.
QDialogButtonBox* MakeOkCancel(QDialog* dialog, bool okDefault,
                               const QString& cancelText = QStringLiteral("Отмена"));

// Lays out a dictionary's list dialog: list with the side buttons beside it, under it the row
// "countText count" and the row of newName with newButtons, and at the bottom OK and cancel.
void LayOutListDialog(QDialog* dialog, QWidget* list, std::initializer_list<QPushButton*> side,
                      const QString& countText, QLabel* count, QLineEdit* newName,
                      std::initializer_list<QPushButton*> newButtons);

// The path to save a dictionary listing to: what provider returns when set (tests), otherwise
// the operator's choice in a save dialog suggesting name; "" when cancelled.
QString ChooseListingPath(QWidget* parent, const std::function<QString(const QString&)>& provider,
                          const QString& name);

// The texts that tell the two list dialogs apart.
struct PhraseDictTexts {
    QString title;
    QString countLabel;
    QString namesColumn;
    QString aliasesColumn;
    QString listingName; // default file name of the listing
};

// A list dialog over a working copy of a phrase dictionary; every change sets the modified
// mark, and the caller assigns the copy back on OK only when it is set.
class CPhraseDictDlg : public QDialog {
    Q_OBJECT
public:
    bool IsModified() const { return m_modified; }
    CCharListCtrl* List() const { return m_list; }
    QLineEdit* NewNameEdit() const { return m_newName; }
    QLabel* CountLabel() const { return m_count; }
    QPushButton* DetailsButton() const { return m_details; }
    QPushButton* DeleteButton() const { return m_delete; }

    // The buttons' commands.
    void OnEnter();   // "Внести": a new entry named by the text box
    void OnAdd();     // "Добавить": a new entry from an empty form
    void OnDetails(); // "Дополнительно"
    void OnDelete();  // "Удалить"
    void OnClear();   // "Очистить"
    void OnSave();    // "Сохранить"
    // Sorts the copy by name, refills the list and selects the remembered row again.
    void Refresh();
    // Esc and "Отмена": with changes not yet taken over, asks whether to keep them.
    void reject() override;

    // Replaces the save dialog of the listing (tests); returns the chosen path or "".
    void SetListingPathProvider(std::function<QString(const QString&)> provider) {
        m_listingPath = std::move(provider);
    }

protected:
    CPhraseDictDlg(const PhraseDictTexts& texts, COperator& op, QWidget* parent);
    // Builds the widgets; called by the derived constructor once the dictionary is set.
    void Build();

    virtual int Count() const = 0;
    virtual std::string Name(int row) const = 0;
    virtual QString AliasNames(int row) const = 0;
    virtual bool IsSortedByName() const = 0;
    virtual void SortByName() = 0;
    virtual void RemoveAt(int row) = 0;
    virtual bool ConfirmRemoveAll() = 0;
    virtual bool SaveListing(const std::string& path) = 0;
    virtual bool EditDetails(int row) = 0;
    // Opens the entry form with the given nominative; the nominative of the entry added, ""
    // when none was.
    virtual std::string AddEntry(const QString& nominative) = 0;

    // The first row whose nominative is name (normalised), -1 when there is none.
    int RowOf(const std::string& name) const;
    // Tells the operator that name is already in the dictionary at row and selects it.
    void RefuseDuplicate(const std::string& name, int row);

    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void SetModified() { m_modified = true; }
    COperator& Op() { return m_op; }

private:
    void UpdateButtons();
    // Refreshes the list after an entry named added was put in, and selects that entry.
    void ShowAdded(const std::string& added);

    PhraseDictTexts m_texts;
    COperator& m_op;
    bool m_modified = false;
    CCharListCtrl* m_list = nullptr;
    CDictListModel* m_model = nullptr;
    QLabel* m_count = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_delete = nullptr;
    std::function<QString(const QString&)> m_listingPath;
};

// Which forms the entry form asks for.
struct EntryFormLayout {
    QString title;
    bool genitive = false;
    bool gender = false;
    QString genderLabel;
    bool quote = false;
    QString quoteLabel;
    bool letterCase = false;
    QString letterCaseLabel;
};

// The form of a new entry or alias: nominative, genitive (bodies), instrumental, and the
// kind's gender and quote flag or the body's letter-case spelling. OK refuses an empty
// nominative and asks before taking an empty genitive or instrumental form, without which the
// finders cannot recognise the name in that case.
class CEntryFormDlg : public QDialog {
    Q_OBJECT
public:
    CEntryFormDlg(const EntryFormLayout& fields, const QString& nominative, COperator& op,
                  QWidget* parent);

    // Makes OK refuse a nominative for which existing returns a row (0-based) of the
    // dictionary, naming that entry; -1 lets it pass.
    void SetDuplicateCheck(std::function<int(const std::string&)> existing) {
        m_existing = std::move(existing);
    }

    // Normalised CP1251 forms.
    std::string Nominative() const;
    // The nominative, the genitive when asked for, and the instrumental.
    CCases Forms() const;
    std::string Genitive() const;
    std::string Instrumental() const;
    int Gender() const;
    bool Quote() const;
    std::string LetterCase() const; // as typed
    QLineEdit* NominativeEdit() const { return m_nominative; }
    QLineEdit* GenitiveEdit() const { return m_genitive; }
    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QLineEdit* LetterCaseEdit() const { return m_letterCase; }
    QComboBox* GenderBox() const { return m_gender; }

    void accept() override;

private:
    EntryFormLayout m_layout;
    COperator& m_op;
    QLineEdit* m_nominative;
    QLineEdit* m_genitive = nullptr;
    QLineEdit* m_instrumental;
    QComboBox* m_gender = nullptr;
    QCheckBox* m_quote = nullptr;
    QLineEdit* m_letterCase = nullptr;
    std::function<int(const std::string&)> m_existing;
};

// The message that refuses name (CP1251) as a second entry beside the one at row (0-based).
std::string DuplicateMessage(const std::string& name, int row);

// The forms asked for a new kind (dialog "Внести в словарь видов документов"), a kind's alias,
// a new body ("Внести в словарь принявших органов") and a body's alias.
EntryFormLayout KindFormSpec();
EntryFormLayout KindAliasFormSpec();
EntryFormLayout OrganFormSpec();
EntryFormLayout OrganAliasFormSpec();

// The aliases' nominatives joined by ", ".
QString AliasNominatives(const std::vector<CCases>& aliases);

// The gender choices of a kind, by index.
QStringList GenderNames();

// A CP1251 name for a form: the text normalised (upper case, single spaces).
std::string NormalizedBytes(const QString& text);

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
