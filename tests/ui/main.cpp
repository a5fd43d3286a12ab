#include <QApplication>
#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Listing the tests at build time must work without a display.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The window remembers paths and pages between runs: the tests keep theirs in a folder of
    // their own, never in the user's settings, one per process as ctest runs several at once.
    QApplication::setOrganizationName(QStringLiteral("AethrianTests"));
    QApplication::setApplicationName(QStringLiteral("ui_tests"));
    const QString settingsDir = QDir::temp().filePath(
        QStringLiteral("aeth-ui-settings-%1").arg(QCoreApplication::applicationPid()));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(settingsDir).removeRecursively();
    return result;
}
