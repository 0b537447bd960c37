#include "guitests.h"

#include "charlistctrl.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "dicttestdata.h"
#include "docdictdlg.h"
#include "editcommands.h"
#include "frametestbed.h"
#include "gotolinedlg.h"
#include "messageboxoperator.h"
#include "norvakapp.h"
#include "opendialogex.h"
#include "requisitesbar.h"
#include "requisiteseditors.h"
#include "requisiteslist.h"
#include "sourcedictdlg.h"
#include "temathicsdlg.h"
#include "textcodec.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace norvak;

namespace {

// Shows a dialog without running its own loop, so the test can press keys in it.
void ShowNow(QWidget* w) {
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

// Pixels of image inside rect that differ from its colour at (rect.left() + 1, centre).
int InkIn(const QImage& image, const QRect& rect) {
    const QRgb background = image.pixel(rect.left() + 1, rect.center().y());
    int ink = 0;
    for (int y = rect.top() + 1; y < rect.bottom() - 1; ++y)
        for (int x = rect.left() + 1; x < rect.right() - 1; ++x)
            if (image.pixel(x, y) != background)
                ++ink;
    return ink;
}

bool IsBeingEdited(CRequisitesList& list) {
    return list.Editor() != nullptr;
}

} // namespace

// The keys of the editor as the operator presses them: the drop-down lists of the panel, the
// dictionary dialogs, the main window's menus and small dialogs.
class TestEditorKeys : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    CRequisitesList& List() { return *m_frame->Bar().List(); }
    int Caption(const char* caption) {
        const QString text = QString::fromUtf8(caption);
        for (int i = 0; i < List().Model().rowCount(); ++i)
            if (List().Model().Rows().IsCaption(i) && List().RowText(i) == text)
                return i;
        return -1;
    }
    CImplementComboBox* EditKinds() {
        List().setFocus();
        List().SelectRow(Caption("Вид документа"));
        QTest::keyClick(&List(), Qt::Key_Insert);
        return qobject_cast<CImplementComboBox*>(List().Editor());
    }

private slots:
    void init() {
        QVERIFY(MakeFiles("dictionaries/small_dict.dat"));
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        CDocDict& kinds = m_frame->Doc().Dictionaries().DocDict();
        for (const char* n : {"ПЕРЕЧЕНЬ", "ПОСТАНОВЛЕНИЕ", "ПОЛОЖЕНИЕ", "ПИСЬМО"}) {
            CDocKindEntry e = kinds.CreateEntry();
            e.GetCases().SetForm(CaseNominative, Cp(n));
            kinds.Add(e);
        }
        kinds.SortByName();
        m_frame->resize(1000, 700);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() {
        if (m_frame)
            m_frame->View().MarkClean();
        DropFiles();
    }

    // ------------------------------------------------------------ requisites panel

    void dropDownMovesWithoutCommitting_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("nominal: typed beginning") << QList<int>{} << QStringLiteral("ПОС");
        QTest::newRow("boundary: End") << QList<int>{Qt::Key_End} << QString();
        QTest::newRow("boundary: Home") << QList<int>{Qt::Key_End, Qt::Key_Home} << QString();
        QTest::newRow("nominal: PgDn, PgUp")
            << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp} << QString();
        QTest::newRow("nominal: Down") << QList<int>{Qt::Key_Down} << QString();
    }
    void dropDownMovesWithoutCommitting() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, chosen);
        const int rows = List().Model().rowCount();
        CImplementComboBox* combo = EditKinds();
        QVERIFY(combo != nullptr);
        if (!chosen.isEmpty())
            TypeText(combo, chosen);
        for (int k : keys)
            QTest::keyClick(combo, static_cast<Qt::Key>(k));
        QVERIFY(IsBeingEdited(List()));
        QCOMPARE(List().Model().rowCount(), rows + 1); // the new row, still empty
        if (!chosen.isEmpty())
            QCOMPARE(combo->currentText(), QStringLiteral("ПОСТАНОВЛЕНИЕ"));
        if (keys == QList<int>{Qt::Key_End})
            QCOMPARE(combo->currentIndex(), combo->count() - 1);
        if (keys == QList<int>{Qt::Key_End, Qt::Key_Home})
            QCOMPARE(combo->currentIndex(), 0);
    }

    void dropDownCommitsOnTabEnterInsert_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("nominal: Tab") << int(Qt::Key_Tab);
        QTest::newRow("nominal: Enter") << int(Qt::Key_Return);
        QTest::newRow("nominal: Insert") << int(Qt::Key_Insert);
    }
    void dropDownCommitsOnTabEnterInsert() {
        QFETCH(int, key);
        CImplementComboBox* combo = EditKinds();
        QVERIFY(combo != nullptr);
        TypeText(combo, QStringLiteral("пол"));
        QCOMPARE(combo->currentText(), QStringLiteral("ПОЛОЖЕНИЕ"));
        QTest::keyClick(combo, static_cast<Qt::Key>(key));
        QVERIFY(!IsBeingEdited(List()));
        QCOMPARE(List().RowText(Caption("Вид документа") + 1), QStringLiteral("ПОЛОЖЕНИЕ"));
    }

    void dropDownSearchWithNoMatchKeepsTheChoice() {
        CImplementComboBox* combo = EditKinds();
        QVERIFY(combo != nullptr);
        TypeText(combo, QStringLiteral("ПИ"));
        QCOMPARE(combo->currentText(), QStringLiteral("ПИСЬМО"));
        TypeText(combo, QStringLiteral("Щ")); // no name begins with ПИЩ or Щ
        QCOMPARE(combo->currentText(), QStringLiteral("ПИСЬМО"));
        QVERIFY(IsBeingEdited(List()));
        QTest::keyClick(combo, Qt::Key_Escape);
        QVERIFY(!IsBeingEdited(List()));
    }

    // ------------------------------------------------------------ dictionary dialogs

    void deleteSelectsTheNextRowAndEnterDoesNotEndTheDialog() {
        CDocDict kinds = Kinds({"А", "Б", "В", "Г"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        ShowNow(&dialog);
        dialog.List()->SelectOnly(1);
        dialog.DeleteButton()->setFocus();
        QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
        QCOMPARE(kinds.GetCount(), 3);
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("В"));
        QVERIFY(dialog.DeleteButton()->isEnabled());
        QVERIFY(dialog.DetailsButton()->isEnabled());
        // Enter that no control takes reaches the dialog, whose OK button is the default.
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(kinds.GetCount(), 3);
    }

    void deleteKeyWorksFromWhicheverControlHasTheFocus_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("nominal: list") << QStringLiteral("DictList");
        QTest::newRow("nominal: new name box") << QStringLiteral("NewNameEdit");
        QTest::newRow("nominal: details button") << QStringLiteral("DetailsButton");
        QTest::newRow("nominal: clear button") << QStringLiteral("ClearButton");
        QTest::newRow("nominal: save button") << QStringLiteral("SaveButton");
    }
    void deleteKeyWorksFromWhicheverControlHasTheFocus() {
        QFETCH(QString, control);
        CDocDict kinds = Kinds({"А", "Б", "В"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        ShowNow(&dialog);
        dialog.List()->SelectOnly(0);
        auto* target = dialog.findChild<QWidget*>(control);
        QVERIFY(target != nullptr);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Delete);
        QCOMPARE(kinds.GetCount(), 2); // exactly one row, however the key travelled
        QCOMPARE(kinds.GetAt(0).Name(), Cp("Б"));
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("Б"));
    }

    void enterInNewAliasAddsTheAliasOnly() {
        CDocKindEntry entry = Kinds({"ПИСЬМО"}).GetAt(0);
        CDocKindDlg dialog(entry, m_op, nullptr);
        ShowNow(&dialog);
        dialog.NewAliasEdit()->setFocus();
        TypeText(dialog.NewAliasEdit(), QStringLiteral("инфописьмо"));
        bool formShown = false;
        OnNextModal([&formShown](QWidget* w) {
            auto* form = qobject_cast<CEntryFormDlg*>(w);
            QVERIFY(form != nullptr);
            formShown = true;
            form->InstrumentalEdit()->setText(QStringLiteral("инфописьмом"));
            QTest::keyClick(form->InstrumentalEdit(), Qt::Key_Return); // Enter: the form's OK
        });
        QTest::keyClick(dialog.NewAliasEdit(), Qt::Key_Return);
        QVERIFY(formShown);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.AliasList()->topLevelItemCount(), 1);
        QCOMPARE(dialog.AliasList()->topLevelItem(0)->text(0), QStringLiteral("ИНФОПИСЬМО"));
    }

    void duplicateKindIsRefusedNamingTheEntry() {
        CDocDict kinds = Kinds({"ПИСЬМО", "ПРИКАЗ", "УКАЗ"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        ShowNow(&dialog);
        dialog.List()->SelectOnly(2);
        dialog.NewNameEdit()->setFocus();
        TypeText(dialog.NewNameEdit(), QStringLiteral("  письмо "));
        m_op.Clear();
        QTest::keyClick(dialog.NewNameEdit(), Qt::Key_Return);
        QCOMPARE(kinds.GetCount(), 3);
        QVERIFY(!dialog.IsModified());
        QCOMPARE(m_op.Messages().size(), size_t(1));
        QCOMPARE(m_op.Messages().front(), DuplicateMessage(Cp("ПИСЬМО"), 0));
        QVERIFY(m_op.Messages().front().find(Cp("«ПИСЬМО»")) != std::string::npos);
        // The existing entry is the one selected, so a following Delete removes the right row.
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("ПИСЬМО"));

        // The full form refuses it too and stays open; the operator corrects it and it goes in,
        // selected.
        m_op.Clear();
        OnNextModal([this](QWidget* w) {
            auto* form = qobject_cast<CEntryFormDlg*>(w);
            QVERIFY(form != nullptr);
            form->NominativeEdit()->setText(QStringLiteral("Письмо"));
            form->InstrumentalEdit()->setText(QStringLiteral("письмом"));
            form->accept();
            QVERIFY(form->isVisible());
            QCOMPARE(m_op.Messages().size(), size_t(1));
            form->NominativeEdit()->setText(QStringLiteral("поручение"));
            form->InstrumentalEdit()->setText(QStringLiteral("поручением"));
            form->accept();
        });
        dialog.OnAdd();
        QCOMPARE(kinds.GetCount(), 4);
        QCOMPARE(SelectedName(dialog.List()), QStringLiteral("ПОРУЧЕНИЕ"));
        QVERIFY(dialog.IsModified());
    }

    void cancelWithChangesAsks_data() {
        QTest::addColumn<int>("dialogKind");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result"); // -1: the dialog stays open
        for (int kind = 0; kind < 3; ++kind) {
            const char* name = kind == 0 ? "kinds" : kind == 1 ? "sources" : "themes";
            QTest::newRow(qPrintable(QStringLiteral("nominal: %1, Yes keeps").arg(name)))
                << kind << int(Answer::Yes) << int(QDialog::Accepted);
            QTest::newRow(qPrintable(QStringLiteral("nominal: %1, No drops").arg(name)))
                << kind << int(Answer::No) << int(QDialog::Rejected);
            QTest::newRow(qPrintable(QStringLiteral("boundary: %1, Cancel stays").arg(name)))
                << kind << int(Answer::Cancel) << -1;
        }
    }
    void cancelWithChangesAsks() {
        QFETCH(int, dialogKind);
        QFETCH(int, answer);
        QFETCH(int, result);
        CDocDict kinds = Kinds({"А", "Б"});
        CSourceDict sources;
        sources.Add(Cp("ВЕДОМОСТИ"));
        CTemathicsDict themes = m_frame->Doc().Dictionaries().TemathicsDict();
        std::unique_ptr<QDialog> dialog;
        if (dialogKind == 0) {
            auto* d = new CDocDictDlg(kinds, m_op, nullptr);
            d->List()->SelectOnly(0);
            d->OnDelete();
            dialog.reset(d);
        } else if (dialogKind == 1) {
            auto* d = new CSourceDictDlg(sources, m_op, nullptr);
            d->List()->SelectOnly(0);
            d->OnDelete();
            dialog.reset(d);
        } else {
            auto* d = new CTemathicsDlg(themes, m_op, nullptr);
            d->CodeEdit()->setText(QStringLiteral("77"));
            d->NameEdit()->setText(QStringLiteral("Новая"));
            d->OnAdd();
            dialog.reset(d);
        }
        ShowNow(dialog.get());
        QSignalSpy finished(dialog.get(), &QDialog::finished);
        m_op.Clear();
        m_op.SetAnswer(static_cast<Answer>(answer));
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QCOMPARE(m_op.Questions(), std::vector<std::string>{Cp("Сохранить изменения словаря?")});
        if (result < 0) {
            QVERIFY(dialog->isVisible());
            QCOMPARE(finished.count(), 0);
        } else {
            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished.front().front().toInt(), result);
        }
    }

    void cancelWithoutChangesAsksNothing() {
        CDocDict kinds = Kinds({"А"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        ShowNow(&dialog);
        m_op.Clear();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(m_op.Entries().empty());
        QVERIFY(!dialog.isVisible());
    }

    void addButtonsReadAsSpecified() {
        CDocDict kinds = Kinds({"А"});
        CDocDictDlg dialog(kinds, m_op, nullptr);
        auto* add = dialog.findChild<QPushButton*>(QStringLiteral("AddButton"));
        QVERIFY(add != nullptr);
        QCOMPARE(add->text(), QStringLiteral("Добавить"));
    }

    void sourceSelectionStartsWithNothingAndShowsTheSelectedText() {
        CSourceDict sources;
        for (const char* s : {"БЮЛЛЕТЕНЬ", "ВЕДОМОСТИ", "РОССИЙСКАЯ ГАЗЕТА"})
            sources.Add(Cp(s));
        CSourceSelectDlg dialog(sources, nullptr);
        ShowNow(&dialog);
        QVERIFY(dialog.List()->selectedItems().isEmpty());
        QTest::keyClick(&dialog, Qt::Key_Return); // an immediate OK inserts nothing
        QCOMPARE(dialog.Selected(), std::string());

        CSourceSelectDlg again(sources, nullptr);
        ShowNow(&again);
        again.List()->setCurrentRow(1);
        QTest::qWait(20);
        const QImage shot = again.List()->viewport()->grab().toImage();
        const QRect selected = again.List()->visualItemRect(again.List()->item(1));
        QVERIFY2(InkIn(shot, selected) > 30, "the selected row shows its text");
        again.accept();
        QCOMPARE(again.Selected(), Cp("ВЕДОМОСТИ"));
    }

    void themesEnterAddsAndTheNextThemeGoesBeside() {
        CTemathicsDict themes;
        CTemathicsDlg dialog(themes, m_op, nullptr);
        ShowNow(&dialog);
        dialog.Tree()->setCurrentItem(dialog.Tree()->topLevelItem(0)); // the root
        for (const auto& [code, name] : {std::pair{"10", "ПРАВО"}, std::pair{"20", "НАЛОГИ"}}) {
            dialog.CodeEdit()->setFocus();
            TypeText(dialog.CodeEdit(), QString::fromUtf8(code));
            dialog.NameEdit()->setFocus();
            TypeText(dialog.NameEdit(), QString::fromUtf8(name));
            QTest::keyClick(dialog.NameEdit(), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
        }
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(themes.GetCount(), 2);
        // Both under the root: the second did not nest under the first.
        QCOMPARE(themes.GetAt(0).ParentCode(), 0);
        QCOMPARE(themes.GetAt(1).ParentCode(), 0);
        QCOMPARE(dialog.CountLabel()->text(), QStringLiteral("2"));
        QVERIFY(dialog.CodeEdit()->text().isEmpty());
    }

    void themeTreesDrawTheirLines() {
        CTemathicsDict themes;
        CScriptedOperator quiet;
        themes.AddTheme(Cp("ПРАВО"), 1, 0, quiet);
        themes.AddTheme(Cp("ГРАЖДАНСКОЕ"), 2, 1, quiet);
        themes.AddTheme(Cp("УГОЛОВНОЕ"), 3, 1, quiet);
        CTemathicsSelectDlg dialog(themes, nullptr);
        ShowNow(&dialog);
        dialog.Tree()->expandAll();
        QTest::qWait(20);
        const QImage shot = dialog.Tree()->viewport()->grab().toImage();
        // The branch column left of the first sub-theme: a line passes down to its sibling.
        QTreeWidgetItem* child = dialog.Tree()->topLevelItem(0)->child(0)->child(0);
        QVERIFY(child != nullptr);
        const QRect row = dialog.Tree()->visualItemRect(child);
        const QRect branches(0, row.top(), row.left(), row.height());
        QVERIFY2(InkIn(shot, branches) > 3, "lines join the sub-theme to its parent");
    }

    // ------------------------------------------------------------ main window

    void openDialogShowsFilesWithoutADot() {
        const QString dir = m_dir->filePath("texts");
        QVERIFY(QDir().mkpath(dir));
        for (const char* name : {"DOC001", "post.txt"}) {
            QFile f(dir + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x\r\n");
        }
        COpenDialogEx dialog(nullptr, FileType::Text);
        dialog.setDirectory(dir);
        ShowNow(&dialog);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QCOMPARE(shown, COpenDialogEx::FileTypeNames());
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        QTRY_COMPARE(model->rowCount(model->index(dir)), 2);
        QVERIFY(model->index(dir + QStringLiteral("/DOC001")).isValid());
    }

    void viewMenuIsTheWindowsOwn() {
        CNorvakView& view = m_frame->View();
        view.SetText({"one", "two"}, false);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_X);
        const QPoint at = view.viewport()->rect().center();
        auto openMenu = [&view, at]() -> QMenu* {
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
            QApplication::sendEvent(view.viewport(), &event);
            return qobject_cast<QMenu*>(QApplication::activePopupWidget());
        };
        QMenu* menu = openMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->objectName(), QStringLiteral("ViewContextMenu"));
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->menu() == nullptr)
                QVERIFY2(a->objectName().startsWith(QLatin1String("cmd")), qPrintable(a->text()));
        QVERIFY(menu->actions().contains(m_frame->Action(ID_EDIT_UNDO)));
        m_frame->Action(ID_EDIT_UNDO)->trigger();
        menu->close();
        QCOMPARE(view.GetLines(), (LineList{"one", "two"}));
        menu = openMenu();
        QVERIFY(menu != nullptr);
        QVERIFY(m_frame->Action(ID_EDIT_REDO)->isEnabled()); // it can redo, and says so
        m_frame->Action(ID_EDIT_REDO)->trigger();
        menu->close();
        QCOMPARE(view.GetLines(), (LineList{"xone", "two"}));
    }

    void captionShowsTheOpenedFile() {
        QVERIFY(m_frame->Doc().OpenFile(TestData("gui/composed_postanovlenie_tablica.cp866.txt"), 1,
                                        true));
        const QString path =
            QFileInfo(TestData("gui/composed_postanovlenie_tablica.cp866.txt")).absoluteFilePath();
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Norvak - ") + path);
        m_frame->Doc().OnNewDocument();
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Norvak"));
    }

    void messageBoxesShowTheArrowOverAWaitCursor() {
        CMessageBoxOperator boxes(m_frame.get());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Qt::CursorShape during = Qt::WaitCursor;
        for (int question = 0; question < 2; ++question) {
            OnNextModal([&during](QWidget* w) {
                during = QApplication::overrideCursor()->shape();
                qobject_cast<QDialog*>(w)->reject();
            });
            if (question != 0)
                boxes.AskYesNo("Вопрос?"_cp);
            else
                boxes.Message("Ошибка чтения файла!"_cp, MessageIcon::Error);
            QCOMPARE(during, Qt::ArrowCursor);
            QVERIFY(QApplication::overrideCursor() != nullptr);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QApplication::restoreOverrideCursor();
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void gotoLineRefusesANumberBeyondTheLastLine() {
        CGotoLineDlg dialog(nullptr, 150);
        ShowNow(&dialog);
        QLineEdit* edit = dialog.Spin()->findChild<QLineEdit*>();
        QVERIFY(edit != nullptr);
        edit->selectAll();
        TypeText(dialog.Spin(), QStringLiteral("99999"));
        QCOMPARE(dialog.Spin()->text(), QStringLiteral("99999"));
        QTest::keyClick(dialog.Spin(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.Problem()->isVisible());
        QCOMPARE(dialog.Problem()->text(), QStringLiteral("Номер строки должен быть от 1 до 150."));
        edit->selectAll();
        TypeText(dialog.Spin(), QStringLiteral("120"));
        QTest::keyClick(dialog.Spin(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Line(), 120);
        // The whole title fits the window.
        QVERIFY(dialog.width() >= dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()));
    }

    void fontDialogOffersMonospacedFontsStartingFromTheShownOne() {
        CNorvakView& view = m_frame->View();
        const std::string stored = view.Font().fontName;
        const QString shown = QFontInfo(view.font()).family();
        QVERIFY(QFontInfo(view.font()).fixedPitch());
        bool seen = false;
        OnNextModal([&seen, shown](QWidget* w) {
            auto* dialog = qobject_cast<QFontDialog*>(w);
            QVERIFY(dialog != nullptr);
            seen = true;
            QVERIFY(dialog->testOption(QFontDialog::MonospacedFonts));
            QCOMPARE(dialog->currentFont().family(), shown);
            dialog->accept(); // OK with nothing touched
        });
        m_frame->Action(ID_FORMAT_FONT)->trigger();
        QVERIFY(seen);
        QCOMPARE(view.Font().fontName, stored);
        QCOMPARE(QFontInfo(view.font()).family(), shown);
        QVERIFY(QFontInfo(view.font()).fixedPitch());
    }

    void storedCourierNewIsShownInItsMetricTwin() {
        if (!QFontDatabase::families().contains(QStringLiteral("Liberation Mono")))
            QSKIP("Liberation Mono is not installed");
        ViewSettings settings;
        settings.fontName = "Courier New";
        QCOMPARE(QFontInfo(CNorvakView::MakeFont(settings)).family(),
                 QStringLiteral("Liberation Mono"));
    }

    void qtTextsAreRussian() {
        if (!CNorvakApp::LoadQtTranslations())
            QSKIP("Qt's Russian translations are not installed");
        QDialogButtonBox box(QDialogButtonBox::Close | QDialogButtonBox::Yes |
                             QDialogButtonBox::No | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Close)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Закрыть"));
        QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Да"));
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Отмена"));
    }
};

NORVAK_GUI_TEST(TestEditorKeys);
#include "editorkeys_test.moc"
