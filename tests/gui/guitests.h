#pragma once
// The test classes of the editor and what they share.

#include "core/textcore.h"

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>

// Registers a test class under its name for guitestmain.cpp.
void RegisterGuiTest(const char* name, std::function<int(int, char**)> run);

template <class T> struct GuiTestRegistrar {
    explicit GuiTestRegistrar(const char* name) {
        RegisterGuiTest(name, [](int argc, char** argv) {
            T test;
            return QTest::qExec(&test, argc, argv);
        });
    }
};

#define NORVAK_GUI_TEST(Class) static GuiTestRegistrar<Class> g_registrar##Class(#Class)

// A file under tests/data.
inline QString TestData(const char* relative) {
    return QString::fromUtf8(NORVAK_TEST_DATA) + QLatin1Char('/') + QString::fromUtf8(relative);
}

// Types text into a widget character by character, as the keyboard would (any letters).
void TypeText(QWidget* widget, const QString& text);

// Runs act on the next modal dialog once it is shown (from inside its event loop); the
// dialog must be ended by act or later.
void OnNextModal(std::function<void(QWidget*)> act);

// UTF-8 literal to the CP1251 bytes the core holds.
std::string Cp(const char* utf8);
