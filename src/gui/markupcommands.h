#pragma once
// The commands that look at the document's markup and requisites again: the check of the tag
// structure (also before every save), "Разметить заново" and "Определить реквизиты заново".

#include "markup/tagcheck.h"
#include "requisites/requisiterecord.h"

#include <QDialog>
#include <QObject>

class QAction;
class QListWidget;
class QTreeWidget;

namespace norvak {

class CMainFrame;

// The text of a problem of the tag structure, with its line counted from 1.
QString TagProblemText(const TagProblem& problem);

// The list of the tag problems; activating a row puts the caret on its line.
class CTagCheckDlg : public QDialog {
    Q_OBJECT
public:
    CTagCheckDlg(CMainFrame& frame, const std::vector<TagProblem>& problems);
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};

// One requisite whose value would change: its caption and the two values as the panel shows
// them (several values one per line).
struct RequisiteChange {
    QString caption;
    QString now;
    QString then;
};
// The requisites that detection finds (kinds, bodies, dates of adoption, numbers, title) whose
// values differ between shown and found.
std::vector<RequisiteChange> DetectedChanges(const CRequisiteRecord& shown,
                                             const CRequisiteRecord& found);
// shown with the values that detection finds taken from found.
CRequisiteRecord WithDetected(const CRequisiteRecord& shown, const CRequisiteRecord& found);

// Shows the changes detection would make and asks whether to apply them.
class CDetectedChangesDlg : public QDialog {
    Q_OBJECT
public:
    CDetectedChangesDlg(const std::vector<RequisiteChange>& changes, QWidget* parent);
    QTreeWidget* Table() const { return m_table; }

private:
    QTreeWidget* m_table;
};

// The three commands of a main window; a child of the window, added to its menus "Теги" and
// "Сервис".
class CMarkupCommands : public QObject {
    Q_OBJECT
public:
    explicit CMarkupCommands(CMainFrame& frame);

    QAction* CheckAction() const { return m_check; }
    QAction* RemarkupAction() const { return m_remarkup; }
    QAction* RedetectAction() const { return m_redetect; }
    QAction* RetitleAction() const { return m_retitle; }

    // "Проверить теги": the problems of the editor's text in a list (a message when none).
    void OnCheckTags();
    // "Разметить заново": the selected lines (all lines without a selection) lose their tags
    // and get them placed again, as one undo step.
    void OnRemarkup();
    // "Определить реквизиты заново": detection on the editor's text; what would change in the
    // panel is shown first and applied on OK.
    void OnRedetect();
    // "Составить название по реквизитам": the panel's title composed again from its kinds,
    // bodies, dates and numbers around its own title; shown first, applied on OK. A title
    // that was not composed (written by hand, an act's own name) is left as it is, and said so.
    void OnRetitle();
    // Before a save: true when the tag structure is sound or the operator saves anyway.
    bool ConfirmTagsBeforeSave();

private:
    // What would change in the panel from shown to next, shown first and applied on OK (the
    // document then modified); sameText is told when nothing would.
    void ApplyChanges(const CRequisiteRecord& shown, const CRequisiteRecord& next,
                      const QString& sameText);
    CMainFrame& m_frame;
    QAction* m_check;
    QAction* m_remarkup;
    QAction* m_redetect;
    QAction* m_retitle = nullptr;
};

} // namespace norvak
