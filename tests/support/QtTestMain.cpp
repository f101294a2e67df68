// Test main for the Qt tests: an offscreen QApplication with a private runtime
// directory, Qt warnings turned into test failures, and a watchdog that closes
// any modal box a failing test left open so that the run cannot hang.

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void FailOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    // The offscreen platform says so whenever a window is raised or resized
    // to its hints; that is the platform, not a fault of the code under test.
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    ADD_FAILURE() << "Qt message: " << message.toStdString();
}

} // namespace

int main(int argc, char** argv) {
    const char* tmp = std::getenv("TMPDIR");
    std::string runtime =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zax-ui-test-XXXXXX";
    if (mkdtemp(runtime.data()) != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1); // mkdtemp creates it 0700
    }
    if (std::getenv("ZAX_TEST_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The modules and help files are built here; the module search looks in
    // the current directory after the program's own.
    QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR));
    qInstallMessageHandler(FailOnWarning);

    // A window counts as left open when the same one is still the active
    // modal window a whole period later: a test that merely has one open
    // at the moment of a check (one running for longer than a period) is
    // left alone.
    QTimer watchdog;
    QPointer<QWidget> seen;
    QObject::connect(&watchdog, &QTimer::timeout, [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal == seen) {
            ADD_FAILURE() << "a modal window was left open: " << modal->windowTitle().toStdString();
            modal->close();
            modal = nullptr;
        }
        seen = modal;
    });
    watchdog.start(5000);
    const int rc = RUN_ALL_TESTS();
    QDir(QString::fromStdString(runtime)).removeRecursively();
    return rc;
}
