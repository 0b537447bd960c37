#include "guitests.h"

#include "charlistctrl.h"
#include "core/operatorio.h"
#include "dictionaries/servicedata.h"
#include "dicttestdata.h"
#include "docdictdlg.h"
#include "frametestbed.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "organdictdlg.h"
#include "qtsettingsstore.h"
#include "sourcedictdlg.h"
#include "temathicsdlg.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <memory>

using namespace norvak;

namespace {} // namespace

// The dictionary dialogs: working copies, committing, adding with all forms, type-ahead.
class TestDictDialogs : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    CNorvakDoc& Doc() { return m_frame->Doc(); }
    std::string DictBytes() const {
        QFile f(DictPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

private slots:
    void init() {
        QVERIFY(MakeFiles("dictionaries/small_dict.dat"));
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
    }
    void cleanup() { DropFiles(); }

    void cancelLeavesTheDictionaryUntouched_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("nominal: kinds") << int(ID_DICT_KINDS);
        QTest::newRow("nominal: bodies") << int(ID_DICT_ORGANS);
        QTest::newRow("nominal: sources") << int(ID_DICT_SOURCES);
        QTest::newRow("nominal: themes") << int(ID_DICT_THEMES);
    }
    void cancelLeavesTheDictionaryUntouched() {
        QFETCH(int, command);
        const std::string before = DictBytes();
        CScriptedOperator quiet;
        std::string memoryBefore;
        QVERIFY(Doc().Dictionaries().StoreToBytes(memoryBefore, quiet));
        QSignalSpy saved(&Doc(), &CNorvakDoc::DictionariesSaved);
        m_op.SetAnswer(Answer::Yes); // "Очистить" is answered Yes inside the dialog
        OnNextModal([this](QWidget* w) {
            if (auto* d = qobject_cast<CPhraseDictDlg*>(w))
                d->OnClear();
            else if (auto* s = qobject_cast<CSourceDictDlg*>(w))
                s->OnClear();
            else if (auto* t = qobject_cast<CTemathicsDlg*>(w))
                t->OnClear();
            m_op.SetAnswer(Answer::No); // "Сохранить изменения словаря?": No drops them
            qobject_cast<QDialog*>(w)->reject();
        });
        m_frame->Action(command)->trigger();
        QCOMPARE(saved.count(), 0);
        std::string memoryAfter;
        QVERIFY(Doc().Dictionaries().StoreToBytes(memoryAfter, quiet));
        QCOMPARE(memoryAfter, memoryBefore);
        QCOMPARE(DictBytes(), before);
        QCOMPARE(m_op.Questions().size(), size_t(2));
    }

    void okWithoutChangesDoesNotReassign() {
        QSignalSpy saved(&Doc(), &CNorvakDoc::DictionariesSaved);
        const std::string before = DictBytes();
        for (int command : {ID_DICT_KINDS, ID_DICT_ORGANS, ID_DICT_SOURCES, ID_DICT_THEMES}) {
            OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
            m_frame->Action(command)->trigger();
        }
        QCOMPARE(saved.count(), 0);
        QCOMPARE(DictBytes(), before);
    }

    void addingAKindWithAllItsFormsCommitsAndSaves() {
        QSignalSpy saved(&Doc(), &CNorvakDoc::DictionariesSaved);
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CDocDictDlg*>(w);
            QVERIFY(dlg != nullptr);
            dlg->NewNameEdit()->setText(QStringLiteral("  указ  президента"));
            OnNextModal([](QWidget* f) {
                auto* form = qobject_cast<CEntryFormDlg*>(f);
                QVERIFY(form != nullptr);
                QCOMPARE(form->NominativeEdit()->text(), QStringLiteral("указ  президента"));
                form->InstrumentalEdit()->setText(QStringLiteral("указом президента"));
                form->GenderBox()->setCurrentIndex(0);
                form->accept();
            });
            dlg->OnEnter();
            QCOMPARE(SelectedName(dlg->List()), QStringLiteral("УКАЗ ПРЕЗИДЕНТА"));
            QCOMPARE(dlg->CountLabel()->text(), QStringLiteral("3"));
            dlg->accept();
        });
        QVERIFY(Doc().OnDictKinds());
        QCOMPARE(saved.count(), 1);
        CServiceData reloaded;
        CScriptedOperator quiet;
        QVERIFY(reloaded.Load(DictPath().toStdString(), quiet));
        const CDocDict& kinds = reloaded.DocDict();
        QCOMPARE(kinds.GetCount(), 3);
        bool found = false;
        for (const CDocKindEntry& e : kinds.Entries())
            if (e.Name() == Cp("УКАЗ ПРЕЗИДЕНТА")) {
                found = true;
                QCOMPARE(e.GetCases().Form(CaseInstrumental), Cp("УКАЗОМ ПРЕЗИДЕНТА"));
            }
        QVERIFY(found);
    }

    void addingABodyAsksAboutEmptyForms_data() {
        QTest::addColumn<bool>("genitive");
        QTest::addColumn<bool>("instrumental");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("questions");
        QTest::newRow("nominal: all forms, no question")
            << true << true << int(Answer::No) << true << 0;
        QTest::newRow("nominal: no genitive, No keeps the form open")
            << false << true << int(Answer::No) << false << 1;
        QTest::newRow("nominal: no instrumental, Yes takes it")
            << true << false << int(Answer::Yes) << true << 1;
        QTest::newRow("edge: neither, one question")
            << false << false << int(Answer::No) << false << 1;
    }
    void addingABodyAsksAboutEmptyForms() {
        QFETCH(bool, genitive);
        QFETCH(bool, instrumental);
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        QFETCH(int, questions);
        m_op.SetAnswer(static_cast<Answer>(answer));
        CEntryFormDlg form(OrganFormSpec(), QStringLiteral("Министерство юстиции"), m_op, nullptr);
        form.show();
        if (genitive)
            form.GenitiveEdit()->setText(QStringLiteral("министерства юстиции"));
        if (instrumental)
            form.InstrumentalEdit()->setText(QStringLiteral("министерством юстиции"));
        form.LetterCaseEdit()->setText(QStringLiteral("Министерство юстиции"));
        form.accept();
        QCOMPARE(form.result() == QDialog::Accepted, accepted);
        QCOMPARE(static_cast<int>(m_op.Questions().size()), questions);
        QCOMPARE(form.Nominative(), Cp("МИНИСТЕРСТВО ЮСТИЦИИ"));
        QCOMPARE(form.LetterCase(), Cp("Министерство юстиции"));
    }

    void emptyNominativeIsRefused() {
        CEntryFormDlg form(KindFormSpec(), QString(), m_op, nullptr);
        form.show();
        form.InstrumentalEdit()->setText(QStringLiteral("указом"));
        form.accept();
        QVERIFY(form.result() != QDialog::Accepted);
        QCOMPARE(m_op.Messages().size(), size_t(1));
    }

    void aBodysSpellingIsLearnedOnlyWhenTheDialogIsTakenOver_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("nominal: OK takes the body and its spelling over") << true;
        QTest::newRow("robustness: Cancel leaves the letter case as it was") << false;
    }
    void aBodysSpellingIsLearnedOnlyWhenTheDialogIsTakenOver() {
        QFETCH(bool, accept);
        const CUpperCaseDict before = Doc().Dictionaries().UpperCaseDict();
        QVERIFY(before.Find(Cp("ЛЕСНОГО")) == nullptr);
        OnNextModal([this, accept](QWidget* w) {
            auto* dlg = qobject_cast<COrganDictDlg*>(w);
            QVERIFY(dlg != nullptr);
            dlg->NewNameEdit()->setText(QStringLiteral("управление лесного хозяйства"));
            OnNextModal([](QWidget* f) {
                auto* form = qobject_cast<CEntryFormDlg*>(f);
                QVERIFY(form != nullptr);
                form->GenitiveEdit()->setText(QStringLiteral("управления лесного хозяйства"));
                form->InstrumentalEdit()->setText(QStringLiteral("управлением лесного хозяйства"));
                form->LetterCaseEdit()->setText(QStringLiteral("Управление Лесного хозяйства"));
                form->accept();
            });
            dlg->OnEnter();
            QCOMPARE(dlg->CountLabel()->text(), QStringLiteral("2"));
            if (accept) {
                dlg->accept();
                return;
            }
            m_op.SetAnswer(Answer::No); // "Сохранить изменения словаря?": No drops them
            dlg->reject();
        });
        QCOMPARE(Doc().OnDictOrgans(), accept);
        const CServiceData& data = Doc().Dictionaries();
        QCOMPARE(data.OrganDict().GetCount(), accept ? 2 : 1);
        const std::string* learned = data.UpperCaseDict().Find(Cp("ЛЕСНОГО"));
        if (!accept) {
            QVERIFY(data.UpperCaseDict() == before);
            return;
        }
        QVERIFY(learned != nullptr);
        QCOMPARE(*learned, Cp("Лесного"));
        // The bodies taken over teach the live dictionary from now on.
        for (const COrganEntry& e : data.OrganDict().Entries())
            QCOMPARE(e.GetUpperCaseDict(), &Doc().Dictionaries().UpperCaseDict());
        QCOMPARE(data.OrganDict().GetUpperCaseDict(), &Doc().Dictionaries().UpperCaseDict());
    }

    void bodyDetailsKeepAliasesAndTeachTheLetterCase() {
        COrganDict& organs = Doc().Dictionaries().OrganDict();
        COrganDlg dialog(organs.GetAt(0), m_op, nullptr);
        QCOMPARE(dialog.AliasList()->topLevelItemCount(), 1);
        dialog.NewAliasEdit()->setText(QStringLiteral("минфин россии"));
        OnNextModal([](QWidget* f) {
            auto* form = qobject_cast<CEntryFormDlg*>(f);
            form->GenitiveEdit()->setText(QStringLiteral("минфина россии"));
            form->InstrumentalEdit()->setText(QStringLiteral("минфином россии"));
            form->accept();
        });
        dialog.OnAddAlias();
        QCOMPARE(dialog.AliasList()->topLevelItemCount(), 2);
        dialog.LetterCaseEdit()->setText(QStringLiteral("Министерство Финансов"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const COrganEntry& e = dialog.Entry();
        QCOMPARE(e.GetAliasCount(), 2);
        QCOMPARE(e.Aliases()[1].Form(CaseGenitive), Cp("МИНФИНА РОССИИ"));
        QCOMPARE(e.LetterCaseName(), Cp("Министерство Финансов"));
        const std::string* learned = Doc().Dictionaries().UpperCaseDict().Find(Cp("ФИНАНСОВ"));
        QVERIFY(learned != nullptr);
        QCOMPARE(*learned, Cp("Финансов"));
        // The dictionary itself changes only when the list dialog assigns the copy.
        QCOMPARE(organs.GetAt(0).GetAliasCount(), 1);
    }

    void kindDetailsRemoveAliases() {
        CDocDict& kinds = Doc().Dictionaries().DocDict();
        int withAlias = -1;
        for (int i = 0; i < kinds.GetCount(); ++i)
            if (kinds.GetAt(i).GetAliasCount() == 2)
                withAlias = i;
        QVERIFY(withAlias >= 0);
        CDocKindDlg dialog(kinds.GetAt(withAlias), m_op, nullptr);
        dialog.AliasList()->topLevelItem(0)->setSelected(true);
        dialog.OnDeleteAliases();
        QCOMPARE(dialog.AliasList()->topLevelItemCount(), 1);
        dialog.QuoteCheck()->setChecked(true);
        dialog.accept();
        QCOMPARE(dialog.Entry().GetAliasCount(), 1);
        QCOMPARE(dialog.Entry().QuoteTitle(), 1);
        m_op.SetAnswer(Answer::Yes);
        CDocKindDlg second(kinds.GetAt(withAlias), m_op, nullptr);
        second.OnDeleteAllAliases();
        QCOMPARE(second.AliasList()->topLevelItemCount(), 0);
        QCOMPARE(BytesToQString(m_op.Questions().back()),
                 QStringLiteral("Удалить все псевдонимы?"));
    }

    void typeAheadSelectsTheFirstRowStartingWithTheLetter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("nominal: lower case letter") << "п"
                                                    << "ПОЛОЖЕНИЕ";
        QTest::newRow("nominal: upper case letter") << "Р"
                                                    << "РАСПОРЯЖЕНИЕ";
        QTest::newRow("nominal: only the first character counts") << "ук"
                                                                  << "УКАЗ";
        QTest::newRow("edge: no match keeps the selection") << "я"
                                                            << "ПРИКАЗ";
    }
    void typeAheadSelectsTheFirstRowStartingWithTheLetter() {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        CDocDict kinds = Kinds({"УКАЗ", "ПРИКАЗ", "РАСПОРЯЖЕНИЕ", "ПОЛОЖЕНИЕ", "РЕШЕНИЕ"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.List()));
        dialog.List()->SelectOnly(1); // ПРИКАЗ
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("ПРИКАЗ"));
        TypeText(dialog.List(), typed);
        QCOMPARE(SelectedName(dialog.List()), selected);
    }

    void refreshKeepsTheSelectionAfterDeleting() {
        CDocDict kinds = Kinds({"А", "Б", "В", "Г"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        dialog.List()->SelectOnly(1);
        dialog.OnDelete();
        QCOMPARE(kinds.GetCount(), 3);
        QCOMPARE(kinds.GetAt(1).Name(), Cp("В"));
        QCOMPARE(dialog.List()->SelectedRows(), QList<int>{1}); // the row now at that index
        QVERIFY(dialog.DeleteButton()->isEnabled());
        dialog.List()->SelectOnly(2);
        QTest::keyClick(dialog.List(), Qt::Key_Delete);
        QCOMPARE(kinds.GetCount(), 2);
        QVERIFY(dialog.IsModified());
    }

    void sourcesAreAddedSortedAndSelected() {
        CSourceDict sources;
        sources.Add(Cp("Российская газета"));
        sources.Add(Cp("Бюллетень"));
        CSourceDictDlg dialog(sources, m_op, nullptr);
        QCOMPARE(sources.GetAt(0), Cp("Бюллетень")); // sorted by the first refresh
        QVERIFY(!dialog.IsModified());
        dialog.NewSourceEdit()->setText(QStringLiteral("Ведомости"));
        dialog.OnEnter();
        QVERIFY(dialog.IsModified());
        QCOMPARE(sources.GetCount(), 3);
        QCOMPARE(sources.GetAt(1), Cp("Ведомости"));
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("Ведомости"));
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("3"));
    }

    void sourceSelectionReturnsTheChosenText() {
        CSourceDict sources;
        sources.Add(Cp("Бюллетень"));
        sources.Add(Cp("Ведомости"));
        CSourceSelectDlg dialog(sources, nullptr);
        dialog.List()->setCurrentRow(1);
        dialog.accept();
        QCOMPARE(dialog.Selected(), Cp("Ведомости"));
        CSourceDict none;
        CSourceSelectDlg empty(none, nullptr);
        empty.accept();
        QCOMPARE(empty.Selected(), std::string());
    }

    void themesDialogAddsUnderTheSelectedThemeAndDeletesSubtrees() {
        CTemathicsDict themes = Doc().Dictionaries().TemathicsDict();
        CTemathicsDlg dialog(themes, m_op, nullptr);
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("3"));
        QVERIFY(!dialog.AddButton()->isEnabled());
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it; ++it)
            if (ThemeCode(*it) == 2)
                dialog.Tree()->setCurrentItem(*it);
        dialog.CodeEdit()->setText(QStringLiteral("21"));
        dialog.NameEdit()->setText(QStringLiteral("местные налоги"));
        QVERIFY(dialog.AddButton()->isEnabled());
        dialog.OnAdd();
        QVERIFY(dialog.IsModified());
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("4"));
        QCOMPARE(themes.GetAt(3).ParentCode(), 2);
        QCOMPARE(themes.GetAt(3).Name(), Cp("МЕСТНЫЕ НАЛОГИ"));
        // The parent stays selected, so that the next theme goes beside the new one.
        QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("2, НАЛОГИ"));
        // The root is no theme: deleting on it removes nothing.
        dialog.Tree()->setCurrentItem(dialog.Tree()->topLevelItem(0));
        dialog.OnDelete();
        QCOMPARE(themes.GetCount(), 4);
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it; ++it)
            if (ThemeCode(*it) == 1)
                dialog.Tree()->setCurrentItem(*it);
        dialog.OnDelete();
        QCOMPARE(themes.GetCount(), 0);
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("0"));
    }

    void rubricatorLoadsThroughTheDialog() {
        const QString path = m_dir->filePath("rubr.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("10 \x8D\x80\x8B\x8E\x83\x88\r\n{\r\n11 first\r\n}\r\n");
        f.close();
        CTemathicsDict themes;
        CTemathicsDlg dialog(themes, m_op, nullptr);
        dialog.SetRubricatorProvider([path](bool& dos) {
            dos = true;
            return path;
        });
        dialog.OnLoad();
        QVERIFY(dialog.IsModified());
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("2"));
        QCOMPARE(themes.GetAt(0).Name(), Cp("НАЛОГИ"));
        CTemathicsDlg cancelled(themes, m_op, nullptr);
        cancelled.SetRubricatorProvider([](bool&) { return QString(); });
        cancelled.OnLoad();
        QVERIFY(!cancelled.IsModified());
    }

    void themeSelectionReturnsTheCode() {
        CTemathicsSelectDlg dialog(Doc().Dictionaries().TemathicsDict(), nullptr);
        for (QTreeWidgetItemIterator it(dialog.Tree()); *it; ++it)
            if (ThemeCode(*it) == 3)
                dialog.Tree()->setCurrentItem(*it);
        dialog.accept();
        QCOMPARE(dialog.Code(), 3);
        CTemathicsSelectDlg root(Doc().Dictionaries().TemathicsDict(), nullptr);
        root.accept();
        QCOMPARE(root.Code(), 0);
    }

    void clippedCellShowsItsTextAsATip() {
        CDocDict kinds = Kinds({"ОЧЕНЬ ДЛИННОЕ НАЗВАНИЕ ВИДА ДОКУМЕНТА, КОТОРОЕ НЕ ПОМЕЩАЕТСЯ "
                                "В СВОЮ КОЛОНКУ СПИСКА НИКАК",
                                "КОРОТКОЕ"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        dialog.resize(600, 400);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CCharListCtrl* list = dialog.List();
        auto tipAt = [list](int row) {
            const QRect cell = list->visualRect(list->model()->index(row, 1));
            QHelpEvent help(QEvent::ToolTip, cell.center(),
                            list->viewport()->mapToGlobal(cell.center()));
            QApplication::sendEvent(list->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QVERIFY(tipAt(1).startsWith(QStringLiteral("ОЧЕНЬ ДЛИННОЕ")));
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QCOMPARE(tipAt(0), QString());
    }

    void tenThousandBodiesOpenSortAndScrollAtOnce() {
        COrganDict organs;
        organs.SetUniDict(&Doc().Dictionaries().UniDict());
        // Names in a scrambled order, so the first refresh has to sort them.
        for (int i = 0; i < 10000; ++i) {
            COrganEntry e = organs.CreateEntry();
            const int k = (i * 7919) % 10000;
            e.GetCases().SetForm(CaseNominative,
                                 Cp("МИНИСТЕРСТВО") + " " + std::to_string(100000 + k));
            e.GetCases().SetForm(CaseGenitive, Cp("МИНИСТЕРСТВА") + " " + std::to_string(k));
            organs.Add(e);
        }
        QElapsedTimer timer;
        timer.start();
        COrganDictDlg dialog(organs, m_op, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const qint64 open = timer.restart();
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("10000"));
        QCOMPARE(organs.GetAt(0).Name(), Cp("МИНИСТЕРСТВО 100000"));
        QScrollBar* bar = dialog.List()->verticalScrollBar();
        for (int step = 0; step < 50; ++step) {
            bar->setValue(bar->maximum() * step / 49);
            dialog.List()->viewport()->repaint();
        }
        const qint64 scroll = timer.restart();
        dialog.List()->SelectOnly(5000);
        dialog.OnDelete(); // a refresh over an order that is already sorted
        const qint64 refresh = timer.restart();
        TypeText(dialog.List(), QStringLiteral("м"));
        const qint64 typeAhead = timer.elapsed();
        qInfo("10000 bodies: open with sort %lld ms, 50 scrolled pages %lld ms, delete and "
              "refresh %lld ms, type-ahead %lld ms",
              open, scroll, refresh, typeAhead);
        // The figures are reported, not asserted: timings belong to benchmarks.
    }

    void screenshots() {
        const QByteArray env = qgetenv("NORVAK_SCREENSHOT_DIR");
        if (env.isEmpty())
            QSKIP("NORVAK_SCREENSHOT_DIR not set");
        const QString dir = QString::fromLocal8Bit(env);
        auto shoot = [&dir](QWidget* w, const char* name) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::qWait(100);
            QVERIFY(w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + ".png"));
        };
        CServiceData& data = Doc().Dictionaries();
        CDocDict kinds = data.DocDict();
        CDocDictDlg kindsDlg(kinds, m_op, nullptr);
        kindsDlg.List()->SelectOnly(0);
        shoot(&kindsDlg, "dlg_kinds");
        CDocKindDlg kindDlg(kinds.GetAt(1), m_op, nullptr);
        shoot(&kindDlg, "dlg_kind_details");
        CEntryFormDlg kindForm(KindFormSpec(), QStringLiteral("указ"), m_op, nullptr);
        shoot(&kindForm, "dlg_kind_add");
        COrganDict organs = data.OrganDict();
        COrganDictDlg organsDlg(organs, m_op, nullptr);
        shoot(&organsDlg, "dlg_organs");
        COrganDlg organDlg(organs.GetAt(0), m_op, nullptr);
        shoot(&organDlg, "dlg_organ_details");
        CEntryFormDlg organForm(OrganFormSpec(), QStringLiteral("министерство юстиции"), m_op,
                                nullptr);
        shoot(&organForm, "dlg_organ_add");
        CSourceDict sources = data.SourceDict();
        CSourceDictDlg sourcesDlg(sources, m_op, nullptr);
        shoot(&sourcesDlg, "dlg_sources");
        CSourceSelectDlg sourceSelect(sources, nullptr);
        shoot(&sourceSelect, "dlg_source_select");
        CTemathicsDict themes = data.TemathicsDict();
        CTemathicsDlg themesDlg(themes, m_op, nullptr);
        shoot(&themesDlg, "dlg_themes");
        CTemathicsSelectDlg themeSelect(themes, nullptr);
        shoot(&themeSelect, "dlg_theme_select");
    }
};

NORVAK_GUI_TEST(TestDictDialogs);
#include "dictdialogs_test.moc"
