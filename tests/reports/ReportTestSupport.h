#pragma once
// Report tests run in a directory of their own (report files go to the
// current directory) and record the programs the code starts instead of
// starting them.

#include "DialogTestSupport.h"

#include "ui/UiHooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace reporttest {

class ReportTest : public dialogtest::DialogTest {
protected:
    ReportTest() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        ui::Hooks().startProcess = [this](const QStringList& command, bool wait) {
            started << command.join('|');
            waited = waited || wait;
            return startResult;
        };
        session.systemInfo.PrintDestination = zax::PrintDisplayLocally;
        zax::SetText(session.systemInfo.DefaultEditor, "my-editor --new-window");
    }
    ~ReportTest() override { QDir::setCurrent(previous_); }

    static std::string FileText(const QString& name) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return "(missing)";
        return file.readAll().toStdString();
    }
    // The text the server holds prepared for this session, read raw.
    std::string PreparedText() {
        int32_t size = 0;
        EXPECT_EQ(sim->server().GetReportSize(size), 0);
        std::string text(static_cast<size_t>(size), '\0');
        int32_t length = 0;
        EXPECT_EQ(sim->server().GetReportText(size, length, std::span<char>(text)), 0);
        text.resize(static_cast<size_t>(length));
        return text;
    }

    QTemporaryDir dir_;
    QString previous_;
    QStringList started;
    bool waited = false;
    int startResult = 0;
};

} // namespace reporttest
