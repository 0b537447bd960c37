#pragma once
// The options dialog "Параметры": the document settings.

#include "document/settings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace norvak {

// Edits a copy of the document settings; Values() holds them after OK.
class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    COptionsDlg(QWidget* parent, const DocSettings& settings);
    const DocSettings& Values() const { return m_values; }

    QLineEdit* PosParagraphEdit() const { return m_posParagraph; }
    QLineEdit* StringLengthEdit() const { return m_stringLength; }
    QLineEdit* QuestionDocEdit() const { return m_questionDoc; }
    QLineEdit* LeftSpacesEdit() const { return m_leftSpaces; }
    QCheckBox* DefineRecvisitsBox() const { return m_defineRecvisits; }
    QCheckBox* CreateTagsBox() const { return m_createTags; }
    QCheckBox* ExtendedRecvisitsBox() const { return m_extendedRecvisits; }

    // Takes the controls into Values(); false (with a message) when an integer field holds
    // no integer, and then the dialog stays open.
    bool Collect();

public slots:
    void accept() override;

private:
    DocSettings m_values;
    QLineEdit* m_posParagraph;
    QLineEdit* m_stringLength;
    QLineEdit* m_questionDoc;
    QLineEdit* m_leftSpaces;
    QCheckBox* m_defineRecvisits;
    QCheckBox* m_createTags;
    QCheckBox* m_extendedRecvisits;
};

} // namespace norvak
