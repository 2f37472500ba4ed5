// Test entry: widgets run on Qt's offscreen platform, and dates read in a fixed French locale.
// Debian's builders run the tests in the C locale, where Qt 6.8 warns on the console (which the
// death tests watch) and switches to UTF-8 by itself: the tests run in C.UTF-8 from the start.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    const QString runtime = QDir::tempPath() + QStringLiteral("/quentor-tests-runtime");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && QDir().mkpath(runtime) &&
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
