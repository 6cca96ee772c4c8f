#pragma once

#include <QApplication>
#include <QTest>

#include "core/platform/translation.h"

// Runs a QtTest class in an application that has bound the program's message catalogues.
#define VANTELL_CORE_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        QApplication app(argc, argv);                                                                        \
        initTranslation();                                                                                   \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

// Runs a QtTest class that drives the program's windows and browser (include
// "toolkit/application.h" first).
#define VANTELL_UI_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        VantellApplication::prepareProcess();                                                                \
        VantellApplication app(argc, argv);                                                                  \
        initTranslation();                                                                                   \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
