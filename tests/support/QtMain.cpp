// Test main for tests that need a QApplication: offscreen unless told
// otherwise, classic numeric locale, GoogleTest without gtest_main.

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
