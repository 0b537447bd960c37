#pragma once
// What the list dialogs of the kinds and the bodies dictionaries share: the report list with
// its count, adding, details, deleting, clearing and the listing.

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace norvak {

class CCharListCtrl;
class CDictListModel;
class COperator;

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

} // namespace norvak
