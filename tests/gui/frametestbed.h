#pragma once
// A main window over temporary settings with a scripted operator, for the tests of the
// commands that work through it; and FrameTestFiles, the same files for test classes that make
// their window themselves.

#include "core/operatorio.h"
#include "guitests.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "qtsettingsstore.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <memory>

// The temporary folder, settings and scripted operator a test class of the main window makes
// afresh for every test function (init) and drops after it (cleanup), the window first.
class FrameTestFiles {
protected:
    // A fresh folder with settings in it and the operator cleared to answer No; with the file
    // dictionary (under tests/data) copied in as dict.dat when given. False when the copy fails.
    bool MakeFiles(const char* dictionary = nullptr) {
        m_dir = std::make_unique<QTemporaryDir>();
        if (dictionary != nullptr) {
            if (!QFile::copy(TestData(dictionary), DictPath()))
                return false;
            QFile::setPermissions(DictPath(), QFile::ReadOwner | QFile::WriteOwner);
        }
        m_settings =
            std::make_unique<QSettings>(m_dir->filePath("norvak.ini"), QSettings::IniFormat);
        m_store = std::make_unique<norvak::CQtSettingsStore>(m_settings.get());
        m_op.Clear();
        m_op.SetAnswer(norvak::Answer::No);
        return true;
    }
    // Destroys the window, then the settings and the folder.
    void DropFiles() {
        m_frame.reset();
        m_store.reset();
        m_settings.reset();
        m_dir.reset();
    }
    QString DictPath() const { return m_dir->filePath("dict.dat"); }

    // Makes the window over the files with the scripted operator and the save dialog answered
    // from m_savePaths (counted in m_saveDialogs), both cleared.
    void MakeSavingFrame() {
        m_savePaths.clear();
        m_saveDialogs = 0;
        m_frame = std::make_unique<norvak::CMainFrame>(*m_store, DictPath());
        m_frame->SetOperator(&m_op);
        m_frame->SetSavePathProvider([this](const QString&) {
            ++m_saveDialogs;
            return m_savePaths.isEmpty() ? QString() : m_savePaths.takeFirst();
        });
    }
    // Shows the window at the given size; false when it was not exposed.
    bool ShowFrame(int width = 900, int height = 600) {
        m_frame->resize(width, height);
        m_frame->show();
        return QTest::qWaitForWindowExposed(m_frame.get());
    }
    // Lets the window go without asking the scripted operator anything more, then DropFiles.
    void DropFrameAndFiles() {
        if (m_frame)
            m_frame->SetOperator(nullptr);
        DropFiles();
    }

    QStringList m_savePaths; // answers of the save dialog, in order ("" cancels)
    int m_saveDialogs = 0;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<norvak::CQtSettingsStore> m_store;
    std::unique_ptr<norvak::CMainFrame> m_frame;
    norvak::CScriptedOperator m_op{norvak::Answer::No};
};

struct FrameTestbed {
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    std::unique_ptr<QSettings> settings =
        std::make_unique<QSettings>(dir->filePath("norvak.ini"), QSettings::IniFormat);
    std::unique_ptr<norvak::CQtSettingsStore> store =
        std::make_unique<norvak::CQtSettingsStore>(settings.get());
    norvak::CScriptedOperator op{norvak::Answer::No};
    std::unique_ptr<norvak::CMainFrame> frame;

    FrameTestbed() { Open(); }
    ~FrameTestbed() { Close(); }

    void Open() {
        frame = std::make_unique<norvak::CMainFrame>(*store, dir->filePath("dict.dat"));
        frame->SetOperator(&op);
        frame->resize(900, 600);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qWarning("the main window was not exposed");
    }
    // Destroys the window as the application does at exit (the view writes its settings).
    void Close() {
        if (!frame)
            return;
        frame->SetOperator(nullptr);
        frame->View().MarkClean();
        frame.reset();
    }

    norvak::CNorvakView& View() { return frame->View(); }
    void Trigger(int id) { frame->Action(id)->trigger(); }
    // Selects from (line, column) to (line, column) of the editor.
    void Select(int line1, int col1, int line2, int col2) {
        QTextDocument* doc = View().document();
        QTextCursor c(doc);
        c.setPosition(doc->findBlockByNumber(line1).position() + col1);
        c.setPosition(doc->findBlockByNumber(line2).position() + col2, QTextCursor::KeepAnchor);
        View().setTextCursor(c);
    }
    void Caret(int line, int col) { Select(line, col, line, col); }
    int CaretLine() const { return frame->View().textCursor().blockNumber(); }
    int CaretColumn() const { return frame->View().textCursor().positionInBlock(); }
};

// Runs action on the next modal dialog the code under test opens (type T), once it is up.
template <class T> void OnModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog != nullptr || ++*tries > 500) { // gives up after five seconds
            timer->stop();
            timer->deleteLater();
        }
        if (dialog != nullptr)
            action(dialog);
    });
    timer->start();
}
