#pragma once
// The dialog "Ссылка": the kind of a link, the document and line it points to and its keys;
// on OK its result is the complete link tag line.

#include "document/linklabel.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace norvak {

// Asks the operator for a link to another document.
class CLinkDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLinkDlg(QWidget* parent = nullptr);

    // The controls as texts.
    LinkFields Fields() const;
    // The link tag line (CP1251, with its final LF); set on OK.
    const std::string& Result() const { return m_result; }

    QComboBox* Kind() const { return m_kind; }
    QLabel* Description() const { return m_description; }
    QLineEdit* DocumentNumber() const { return m_document; }
    QLineEdit* LineNumber() const { return m_line; }
    QCheckBox* KeyO() const { return m_keyO; }
    QCheckBox* KeyP() const { return m_keyP; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    void UpdateDescription();
    void UpdateOk();

    QComboBox* m_kind;
    QLabel* m_description;
    QLineEdit* m_document;
    QLineEdit* m_line;
    QCheckBox* m_keyO;
    QCheckBox* m_keyP;
    QPushButton* m_ok;
    std::string m_result;
};

} // namespace norvak
