#pragma once
// The dialogs of the publication sources: the list "Словарь источников публиаций" over a
// working copy, and the selection "Источники публикаций" the requisites panel opens.

#include "dictionaries/sourcedict.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace norvak {

class CCharListCtrl;
class CDictListModel;
class COperator;

// The list dialog; every change sets the modified mark.
class CSourceDictDlg : public QDialog {
    Q_OBJECT
public:
    CSourceDictDlg(CSourceDict& copy, COperator& op, QWidget* parent = nullptr);
    bool IsModified() const { return m_modified; }
    CCharListCtrl* List() const { return m_list; }
    QLineEdit* NewSourceEdit() const { return m_newSource; }
    QLabel* CountLabel() const { return m_count; }

    void OnEnter();  // "Внести": the text box's text as a new source
    void OnDelete(); // "Удалить"
    void OnClear();  // "Очистить"
    void OnSave();   // "Сохранить"
    void Refresh();
    // Esc and "Отмена": with changes not yet taken over, asks whether to keep them.
    void reject() override;
    void SetListingPathProvider(std::function<QString(const QString&)> provider) {
        m_listingPath = std::move(provider);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CSourceDict& m_dict;
    COperator& m_op;
    bool m_modified = false;
    CCharListCtrl* m_list;
    CDictListModel* m_model;
    QLabel* m_count;
    QLineEdit* m_newSource;
    QPushButton* m_delete;
    std::function<QString(const QString&)> m_listingPath;
};

// Chooses one source; OK or a double click closes it with the chosen text (empty when none
// is selected).
class CSourceSelectDlg : public QDialog {
    Q_OBJECT
public:
    CSourceSelectDlg(const CSourceDict& sources, QWidget* parent = nullptr);
    // The chosen source (CP1251) after OK.
    const std::string& Selected() const { return m_selected; }
    QListWidget* List() const { return m_list; }
    void accept() override;

private:
    QListWidget* m_list;
    std::string m_selected;
};

} // namespace norvak
