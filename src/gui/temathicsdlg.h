#pragma once
// The dialogs of the themes rubricator: "Словарь тематик" over a working copy, and "Выбрать",
// the theme selection the requisites panel opens.

#include "dictionaries/temathicsdict.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace norvak {

class COperator;

// Fills tree with the root "Тематики" (data 0) and the themes under it, expands the root and
// returns the number of themes placed.
int FillThemesTree(QTreeWidget* tree, const CTemathicsDict& themes);
// The code an item stands for (0 for the root or no item).
int ThemeCode(const QTreeWidgetItem* item);

// The themes dialog; every change sets the modified mark.
class CTemathicsDlg : public QDialog {
    Q_OBJECT
public:
    CTemathicsDlg(CTemathicsDict& copy, COperator& op, QWidget* parent = nullptr);
    bool IsModified() const { return m_modified; }
    QTreeWidget* Tree() const { return m_tree; }
    QLineEdit* CodeEdit() const { return m_code; }
    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* AddButton() const { return m_add; }
    QLabel* CountLabel() const { return m_count; }

    void OnAdd();    // "&Добавить"
    void OnDelete(); // "&Удалить"
    void OnClear();  // "&Очистить"
    void OnLoad();   // "&Загрузить"
    void Rebuild();
    // Esc and "Отмена": with changes not yet taken over, asks whether to keep them.
    void reject() override;
    // Replaces the open dialog of the rubricator (tests): the path ("" cancels) and whether
    // the DOS filter was chosen.
    void SetRubricatorProvider(std::function<QString(bool& dos)> provider) {
        m_rubricatorPath = std::move(provider);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SelectCode(int code);

    CTemathicsDict& m_dict;
    COperator& m_op;
    bool m_modified = false;
    QTreeWidget* m_tree;
    QLabel* m_count;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QPushButton* m_add;
    std::function<QString(bool&)> m_rubricatorPath;
};

// Chooses one theme; after OK Code() is the selected theme's code (0 for the root).
class CTemathicsSelectDlg : public QDialog {
    Q_OBJECT
public:
    CTemathicsSelectDlg(const CTemathicsDict& themes, QWidget* parent = nullptr);
    int Code() const { return m_code; }
    QTreeWidget* Tree() const { return m_tree; }
    void accept() override;

private:
    QTreeWidget* m_tree;
    int m_code = 0;
};

} // namespace norvak
