#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one application object that lives through every test and ends
// before the program's static objects do. Without a display they draw offscreen; listing
// the tests needs no display either.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
