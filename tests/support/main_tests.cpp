// Test entry: widgets run on Qt's offscreen platform, and dates read in a fixed French locale.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString runtime = QDir::tempPath() + QStringLiteral("/quentor-tests-runtime");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && QDir().mkpath(runtime) && QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
