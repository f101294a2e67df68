#include "ui/Messages.h"
#include "ui/LanguageModule.h"
#include "ui/MessageDialog.h"
#include "ui/ResourceIds.h"
#include "ui/ServerCallGuard.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include "dcerpc/RpcError.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using namespace ui;

namespace {

// Records every box instead of showing it.
struct Recorder {
    struct Box {
        QString text;
        int style;
    };
    ScopedHooks restore;
    std::vector<Box> boxes;
    std::vector<QString> standardBoxes;
    std::vector<int> exits;
    int answer = kAnswerOk;

    Recorder() {
        Hooks().messageBox = [this](const QString& text, int style) {
            boxes.push_back({text, style});
            return answer;
        };
        Hooks().standardBox = [this](const QString& caption, const QString& text,
                                     StandardBoxIcon icon) {
            standardBoxes.push_back(caption + '|' + text +
                                    (icon == StandardBoxIcon::None ? "|none" : "|warning"));
        };
        Hooks().endProgram = [this](int code) { exits.push_back(code); };
    }
};

TEST(MessageDialog, WarningAndQuestionStyles) {
    struct Case {
        int style;
        bool cancelShown;
        QStyle::StandardPixmap icon;
    };
    const Case cases[] = {{kStyleWarning, false, QStyle::SP_MessageBoxWarning},
                          {kStyleQuestion, true, QStyle::SP_MessageBoxQuestion},
                          {0, true, QStyle::SP_MessageBoxQuestion}};
    for (const auto& c : cases) {
        MessageDialog box("Reset Statistics?", c.style);
        box.show();
        EXPECT_EQ(box.windowTitle(), LanguageModule::String(StringId::ProgramTitle));
        EXPECT_EQ(box.ControlText(MessageCtl::Text), "Reset Statistics?");
        EXPECT_TRUE(box.Control(ControlId::Ok)->isVisible());
        EXPECT_EQ(box.Control(ControlId::Cancel)->isVisible(), c.cancelShown) << c.style;
        EXPECT_EQ(box.ControlText(ControlId::Ok), "OK");
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        const QImage expected =
            box.style()->standardIcon(c.icon, nullptr, &box).pixmap(size, size).toImage();
        const QImage shown = box.ControlAs<QLabel>(MessageCtl::Icon)->pixmap().toImage();
        EXPECT_FALSE(shown.isNull());
        EXPECT_EQ(shown, expected) << c.style;
    }
}

// Runs ShowMessage for real and acts on the box once it is up.
int RunRealBox(int style, const std::function<void(MessageDialog&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
    return ShowMessage("Reset Statistics?", style);
}

TEST(MessageDialog, ShowMessageReturnsTheButtonPressed) {
    EXPECT_EQ(RunRealBox(kStyleQuestion, [](MessageDialog& b) { b.close(); }), kAnswerCancel);
    EXPECT_EQ(
        RunRealBox(kStyleQuestion,
                   [](MessageDialog& b) { b.ControlAs<QPushButton>(ControlId::Cancel)->click(); }),
        kAnswerCancel);
    EXPECT_EQ(
        RunRealBox(kStyleWarning,
                   [](MessageDialog& b) { b.ControlAs<QPushButton>(ControlId::Ok)->click(); }),
        kAnswerOk);
}

TEST(Messages, StatusMessagesAndUnexpectedError) {
    Recorder r;
    ShowStatusMessage(StringId::ServerError, 31033);
    ShowStatusMessage(StringId::ServerError, -526); // a 16-bit status shown unsigned
    ShowStatusMessage(StringId::ErrorCommunicating, 1722);
    ASSERT_EQ(r.boxes.size(), 3u);
    EXPECT_EQ(r.boxes[0].text, "Server Error, rc = 31033");
    EXPECT_EQ(r.boxes[0].style, kStyleWarning);
    EXPECT_EQ(r.boxes[1].text, "Server Error, rc = 65010");
    EXPECT_EQ(r.boxes[2].text, "Error communicating with server");

    ShowUnexpectedError(-1);
    ASSERT_EQ(r.standardBoxes.size(), 1u);
    EXPECT_EQ(r.standardBoxes[0], "ZAX Manager|An unexpected server or network error has "
                                  "occurred.\n\nThe errorcode is -1.|none");
}

TEST(ServerCallGuard, FourOutcomes) {
    const StatusMessage known[] = {{31029, StringId::ExtensionInUse}, {31012, 0}};
    struct Case {
        std::function<std::uint16_t()> call;
        CallOutcome outcome;
        std::uint16_t status;
        const char* shown; // nullptr: no box
        bool exits;
    };
    const Case cases[] = {
        {[] { return std::uint16_t{0}; }, CallOutcome::Success, 0, nullptr, false},
        {[] { return std::uint16_t{31029}; }, CallOutcome::Recognised, 31029,
         "Extension already used by another mailbox", false},
        {[] { return std::uint16_t{31012}; }, CallOutcome::Recognised, 31012, nullptr, false},
        {[] { return std::uint16_t{31033}; }, CallOutcome::ServerError, 31033,
         "Server Error, rc = 31033", false},
        {[]() -> std::uint16_t { throw dcerpc::RpcError(1726, "call failed"); },
         CallOutcome::TransportFailure, 0, "Network Error - terminating ZAX Manager", true},
    };
    for (const auto& c : cases) {
        Recorder r;
        const CallResult result = GuardServerCall(c.call, known);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.status, c.status);
        if (c.shown == nullptr) {
            EXPECT_TRUE(r.boxes.empty());
        } else {
            ASSERT_EQ(r.boxes.size(), 1u);
            EXPECT_EQ(r.boxes[0].text, c.shown);
            EXPECT_EQ(r.boxes[0].style, kStyleWarning);
        }
        EXPECT_EQ(r.exits, c.exits ? std::vector<int>{1} : std::vector<int>{});
    }
}

TEST(ServerCallGuard, ThirtyTwoBitStatusesAreNeitherCutNorShownAsServerErrors) {
    Recorder r;
    const StatusMessage known[] = {{70000, 0}};
    // A 32-bit status whose low half is a recognised 16-bit one stays itself.
    EXPECT_EQ(GuardServerCall([] { return std::uint32_t{31029 + 65536}; }, known).status,
              31029u + 65536u);
    EXPECT_EQ(GuardServerCall([] { return std::uint32_t{70000}; }, known).outcome,
              CallOutcome::Recognised);
    const CallResult minusOne = GuardServerCall([] { return std::int32_t{-1}; });
    EXPECT_EQ(minusOne.outcome, CallOutcome::ServerError);
    EXPECT_EQ(minusOne.status, 0xFFFFFFFFu);
    EXPECT_TRUE(r.boxes.empty());
    ASSERT_EQ(r.standardBoxes.size(), 2u);
    EXPECT_TRUE(r.standardBoxes[1].contains("The errorcode is -1."));
}

TEST(ServerCallGuard, AfterATransportFailureLaterCallsFailAtOnceAndQuietly) {
    Recorder r;
    int made = 0;
    const auto broken = [&]() -> std::uint16_t {
        ++made;
        throw dcerpc::RpcError(1726, "connection lost");
    };
    EXPECT_TRUE(GuardServerCall(broken).Ending());
    EXPECT_TRUE(ProgramIsEnding());
    // The rest of the same handler: nothing reaches the network, nothing more is shown.
    EXPECT_TRUE(GuardServerCall([&] { return std::uint16_t(++made * 0); }).Ending());
    EXPECT_TRUE(GuardServerCall([&] { return std::uint32_t(++made * 0); }).Ending());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.exits, std::vector<int>{1});
}

TEST(ServerCallGuard, MessagesFollowTheActiveLanguage) {
    Recorder r;
    ASSERT_TRUE(LanguageModule::Load("frenchca.dll"));
    GuardServerCall([] { return std::uint16_t{7}; });
    LanguageModule::Release();
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_NE(r.boxes[0].text, "Server Error, rc = 7");
    EXPECT_TRUE(r.boxes[0].text.endsWith(", rc = 7"));
}

TEST(UiHooks, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter(LanguageModule::String(StringId::VoiceFileFilter)),
              "Sounds (*.wav);;Raw OKI (*.oki);;Raw SBC (*.sbc);;All Files (*)");
    EXPECT_EQ(QtFileFilter("Text|*.txt;*.log||"), "Text (*.txt *.log)");
    EXPECT_EQ(QtFileFilter(""), "");
}

} // namespace
