#include "markupcommands.h"

#include "core/operatorio.h"
#include "document/openroad.h"
#include "document/titlerecompose.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "requisites/datevalue.h"
#include "stageprogress.h"
#include "textcodec.h"
#include "waitcursor.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {
namespace {

QString Code(TagCode code) {
    return BytesToQString(TagCodeText(code));
}

QString Joined(const std::vector<std::string>& values) {
    QStringList out;
    for (const std::string& v : values)
        out << BytesToQString(v);
    return out.join(QLatin1Char('\n'));
}

QString Dates(const std::vector<CDateValue>& dates) {
    QStringList out;
    for (const CDateValue& d : dates)
        out << BytesToQString(FormatDate(d));
    return out.join(QLatin1Char('\n'));
}

QMenu* FrameMenu(CMainFrame& frame, const char* name) {
    return frame.menuBar()->findChild<QMenu*>(QLatin1String(name));
}

} // namespace

QString TagProblemText(const TagProblem& p) {
    const QString line = QStringLiteral("Строка %1: ").arg(p.line + 1);
    switch (p.kind) {
    case TagProblemKind::NotClosed:
        return line + QStringLiteral("блок %1 открыт и не закрыт").arg(Code(p.code));
    case TagProblemKind::Unopened:
        return line + QStringLiteral("строка закрытия без открытого блока");
    case TagProblemKind::Nested:
        return line + QStringLiteral("блок открыт внутри блока %1 (открыт в строке %2)")
                          .arg(Code(p.code))
                          .arg(p.openedAt + 1);
    case TagProblemKind::Doubled:
        return line + QStringLiteral("блок %1 открыт повторно (уже открыт в строке %2)")
                          .arg(Code(p.code))
                          .arg(p.openedAt + 1);
    case TagProblemKind::WrongClosing:
        return line + QStringLiteral("блок %1 (строка %2) закрыт строкой закрытия другого блока")
                          .arg(Code(p.code))
                          .arg(p.openedAt + 1);
    }
    return line;
}

CTagCheckDlg::CTagCheckDlg(CMainFrame& frame, const std::vector<TagProblem>& problems)
    : QDialog(&frame) {
    setObjectName(QStringLiteral("TagCheckDlg"));
    setWindowTitle(QStringLiteral("Проверка тегов"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("TagProblems"));
    for (const TagProblem& p : problems) {
        auto* item = new QListWidgetItem(TagProblemText(p), m_list);
        item->setData(Qt::UserRole, p.line + 1);
    }
    CNorvakView* view = &frame.View();
    connect(m_list, &QListWidget::itemActivated, this, [view](QListWidgetItem* item) {
        view->GoToLine(item->data(Qt::UserRole).toInt());
        view->setFocus();
    });
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Ошибки разметки: %1. Enter или двойной щелчок — перейти к строке.")
            .arg(problems.size()),
        this));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(620, 320);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

std::vector<RequisiteChange> DetectedChanges(const CRequisiteRecord& shown,
                                             const CRequisiteRecord& found) {
    std::vector<RequisiteChange> changes;
    auto add = [&changes](const char* caption, const QString& now, const QString& then) {
        if (now != then)
            changes.push_back({QString::fromUtf8(caption), now, then});
    };
    add("Вид документа", Joined(shown.m_kinds), Joined(found.m_kinds));
    add("Принявший орган", Joined(shown.m_organs), Joined(found.m_organs));
    add("Дата принятия", Dates(shown.m_adoptionDates), Dates(found.m_adoptionDates));
    add("Номер", Joined(shown.m_numbers), Joined(found.m_numbers));
    add("Название документа", BytesToQString(shown.m_title), BytesToQString(found.m_title));
    return changes;
}

CRequisiteRecord WithDetected(const CRequisiteRecord& shown, const CRequisiteRecord& found) {
    CRequisiteRecord out = shown;
    out.m_kinds = found.m_kinds;
    out.m_organs = found.m_organs;
    out.m_adoptionDates = found.m_adoptionDates;
    out.m_numbers = found.m_numbers;
    out.m_title = found.m_title;
    return out;
}

CDetectedChangesDlg::CDetectedChangesDlg(const std::vector<RequisiteChange>& changes,
                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DetectedChangesDlg"));
    setWindowTitle(QStringLiteral("Определить реквизиты заново"));
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("Changes"));
    m_table->setHeaderLabels(
        {QStringLiteral("Реквизит"), QStringLiteral("Сейчас"), QStringLiteral("Будет")});
    m_table->setRootIsDecorated(false);
    m_table->setWordWrap(true);
    for (const RequisiteChange& c : changes)
        new QTreeWidgetItem(m_table, {c.caption, c.now, c.then});
    m_table->header()->resizeSection(0, 160);
    m_table->header()->resizeSection(1, 300);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Применить"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Эти значения панели реквизитов изменятся:"), this));
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(820, 360);
}

CMarkupCommands::CMarkupCommands(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    setObjectName(QStringLiteral("MarkupCommands"));
    auto make = [this](const QString& text, const char* name, const QString& tip) {
        auto* a = new QAction(text, &m_frame);
        a->setObjectName(QLatin1String(name));
        a->setStatusTip(tip);
        return a;
    };
    m_check = make(QStringLiteral("Про&верить теги..."), "CheckTags",
                   QStringLiteral("Найти блоки тегов, открытые и не закрытые, вложенные или "
                                  "закрытые без открытия"));
    m_remarkup = make(QStringLiteral("Разметить &заново"), "Remarkup",
                      QStringLiteral("Удалить теги выделенных строк (или всего документа) и "
                                     "расставить их заново"));
    m_redetect = make(QStringLiteral("Определить &реквизиты заново..."), "RedetectRequisites",
                      QStringLiteral("Определить реквизиты по тексту и показать, что изменится "
                                     "в панели"));
    m_retitle = make(QStringLiteral("Составить &название по реквизитам..."), "RecomposeTitle",
                     QStringLiteral("Составить название документа заново из видов, органов, дат "
                                    "и номеров панели"));
    connect(m_retitle, &QAction::triggered, this, &CMarkupCommands::OnRetitle);
    connect(m_check, &QAction::triggered, this, &CMarkupCommands::OnCheckTags);
    connect(m_remarkup, &QAction::triggered, this, &CMarkupCommands::OnRemarkup);
    connect(m_redetect, &QAction::triggered, this, &CMarkupCommands::OnRedetect);
    if (QMenu* tags = FrameMenu(m_frame, "TagsMenu")) {
        tags->addSeparator();
        tags->addAction(m_check);
        tags->addAction(m_remarkup);
    }
    if (QMenu* service = FrameMenu(m_frame, "ServiceMenu")) {
        service->addSeparator();
        service->addAction(m_redetect);
        service->addAction(m_retitle);
    }
}

void CMarkupCommands::OnCheckTags() {
    const std::vector<TagProblem> problems = CheckTagStructure(m_frame.View().GetLines());
    if (problems.empty()) {
        m_frame.Operator().Message(QStringToBytes(QStringLiteral("Ошибок в разметке тегов нет.")),
                                   MessageIcon::Information);
        return;
    }
    auto* dialog = new CTagCheckDlg(m_frame, problems);
    dialog->show();
}

bool CMarkupCommands::ConfirmTagsBeforeSave() {
    const std::vector<TagProblem> problems = CheckTagStructure(m_frame.View().GetLines());
    if (problems.empty())
        return true;
    const QString question =
        QStringLiteral("В разметке тегов есть ошибки: %1 (первая — %2).\nСохранить документ "
                       "всё равно?")
            .arg(problems.size())
            .arg(TagProblemText(problems.front()));
    if (m_frame.Operator().AskYesNo(QStringToBytes(question)) == Answer::Yes)
        return true;
    (new CTagCheckDlg(m_frame, problems))->show();
    return false;
}

void CMarkupCommands::OnRemarkup() {
    CNorvakView& view = m_frame.View();
    QTextDocument* doc = view.document();
    const QTextCursor selection = view.textCursor();
    int first = 0;
    int last = doc->blockCount() - 1;
    if (selection.hasSelection()) {
        first = doc->findBlock(selection.selectionStart()).blockNumber();
        const QTextBlock end = doc->findBlock(selection.selectionEnd());
        // A selection that ends at the start of a line does not take that line.
        last = end.blockNumber();
        if (last > first && selection.selectionEnd() == end.position())
            --last;
    }
    const LineList all = view.GetLines();
    LineList lines;
    for (int i = first; i <= last && i < static_cast<int>(all.size()); ++i)
        lines.push_back(all[static_cast<std::size_t>(i)]);
    {
        CWaitCursor wait;
        RemarkupLines(lines, m_frame.Doc().Settings(), m_frame.GetRequisites(), m_frame.Progress());
    }
    QStringList text;
    for (const std::string& l : lines)
        text << BytesToQString(l);
    QTextCursor replace(doc);
    replace.setPosition(doc->findBlockByNumber(first).position());
    const QTextBlock lastBlock = doc->findBlockByNumber(last);
    replace.setPosition(lastBlock.position() + lastBlock.length() - 1, QTextCursor::KeepAnchor);
    replace.beginEditBlock(); // one undo step
    replace.insertText(text.join(QLatin1Char('\n')));
    replace.endEditBlock();
    view.HighlightLines(first, first + static_cast<int>(lines.size()));
}

void CMarkupCommands::OnRedetect() {
    CRequisiteRecord found;
    {
        CWaitCursor wait;
        found =
            DetectRequisites(m_frame.View().GetLines(), m_frame.Doc().Settings(),
                             m_frame.Doc().Dictionaries(), m_frame.Progress(), m_frame.Operator());
    }
    const CRequisiteRecord shown = m_frame.GetRequisites();
    ApplyChanges(shown, WithDetected(shown, found),
                 QStringLiteral("Реквизиты, найденные в тексте, совпадают с панелью."));
}

void CMarkupCommands::ApplyChanges(const CRequisiteRecord& shown, const CRequisiteRecord& next,
                                   const QString& sameText) {
    const std::vector<RequisiteChange> changes = DetectedChanges(shown, next);
    if (changes.empty()) {
        m_frame.Operator().Message(QStringToBytes(sameText), MessageIcon::Information);
        return;
    }
    CDetectedChangesDlg dialog(changes, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_frame.SetRequisites(next);
    m_frame.Doc().SetModified(true);
}

void CMarkupCommands::OnRetitle() {
    const CRequisiteRecord shown = m_frame.GetRequisites();
    const std::optional<std::string> title = RecomposedTitle(
        shown, m_frame.Doc().Dictionaries(), m_frame.Doc().Settings(), m_frame.Operator());
    if (!title) {
        m_frame.Operator().Message(
            QStringToBytes(QStringLiteral("Название документа не составлено из реквизитов и "
                                          "остаётся как есть.")),
            MessageIcon::Information);
        return;
    }
    CRequisiteRecord composed = shown;
    composed.m_title = *title;
    ApplyChanges(shown, composed, QStringLiteral("Название уже составлено из реквизитов панели."));
}

} // namespace norvak
