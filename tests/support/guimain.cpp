// Test main for the windows: a headless application and GoogleTest.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    // Headless; KESTRIX_TEST_SCREEN names a screen description of the offscreen platform.
    const QByteArray screen = qgetenv("KESTRIX_TEST_SCREEN");
    qputenv("QT_QPA_PLATFORM",
            screen.isEmpty() ? QByteArray("offscreen") : "offscreen:configfile=" + screen);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
