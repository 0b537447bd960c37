// Runs one test class of the editor (named by the first argument) or, without an argument, all
// of them; an unknown class name fails.
#include "guitests.h"

#include "core/codepage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

std::map<std::string, std::function<int(int, char**)>>& Registry() {
    static std::map<std::string, std::function<int(int, char**)>> registry;
    return registry;
}

} // namespace

void RegisterGuiTest(const char* name, std::function<int(int, char**)> run) {
    Registry()[name] = std::move(run);
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void OnNextModal(std::function<void(QWidget*)> act) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, before, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == before || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

std::string Cp(const char* utf8) {
    return norvak::Utf8ToCp1251(utf8);
}

int main(int argc, char** argv) {
    // Recovery copies of the windows under test go to a folder of their own, never to the
    // user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QuorvelTest"));
    QApplication::setApplicationName(QStringLiteral("NorvakGuiTests"));
    if (argc > 1 && Registry().count(argv[1]) == 0) {
        // A misspelt class in the build files must fail, not run everything else.
        std::fprintf(stderr, "no test class %s; the classes are:\n", argv[1]);
        for (const auto& entry : Registry())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    if (argc > 1) {
        // Qt Test sees the program name and the options after the class name.
        char* rest[64];
        int n = 0;
        rest[n++] = argv[0];
        for (int i = 2; i < argc && n < 63; ++i)
            rest[n++] = argv[i];
        return Registry()[argv[1]](n, rest);
    }
    int failures = 0;
    for (auto& [name, run] : Registry())
        failures += run(1, argv);
    return failures == 0 ? 0 : 1;
}
