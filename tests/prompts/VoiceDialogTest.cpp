// The Voice dialog and the entry points the greeting tables and the
// directory call: what is enabled when, the checks before a transfer, the
// file dialogs, failures that keep the dialog open with its fields, and the
// voice parameters read first.

#include "PromptTestSupport.h"

#include "prompts/PromptsIds.h"
#include "prompts/VoiceDialog.h"
#include "prompts/VoiceItems.h"
#include "prompts/VoicePrompts.h"
#include "server/Catalogue.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QComboBox>
#include <QLineEdit>

using namespace prompttest;
using namespace prompts::VoiceCtl;
using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using prompts::AaPromptItem;
using prompts::UploadAnswer;
using prompts::VoiceDialog;
namespace Op = zax::Opnum;

namespace {

constexpr int kNeedRecording[] = {DownloadTo,     DownloadPath, DownloadFormat,
                                  DownloadBrowse, Play,         Edit};

class VoiceDialogTest : public PromptTest {
protected:
    // Runs the dialog on table `table`'s primary prompt and acts in it.
    void RunOn(std::uint8_t table, const std::function<void(VoiceDialog&)>& act) {
        AaPromptItem item(&parameters, table, zax::AaPromptKind::Primary, Context());
        VoiceDialog dialog(item, ui::StringId::PrimaryAaPrompt);
        WhenModal<VoiceDialog>([&](VoiceDialog& d) {
            act(d);
            ClickButton(d, ui::ControlId::Ok); // "Close"
        });
        EXPECT_EQ(dialog.DoModal(), ui::ControlId::Ok);
    }
    static QComboBox* List(VoiceDialog& d, int id) { return d.ControlAs<QComboBox>(id); }
    static bool Enabled(VoiceDialog& d, int id) { return d.Control(id)->isEnabled(); }
    QString Q(const std::filesystem::path& p) const { return QString::fromStdString(p.string()); }

    zax::VoiceParameters parameters = sim->state().voice;
};

TEST_F(VoiceDialogTest, OpensWithItsCaptionEmptyFieldsAndSortedUnselectedLists) {
    RunOn(1, [](VoiceDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Primary AA prompt");
        for (const int id : {UploadFormat, DownloadFormat}) {
            QComboBox* list = List(d, id);
            ASSERT_EQ(list->count(), 3);
            EXPECT_EQ(list->itemText(0), "Raw OKI");
            EXPECT_EQ(list->itemText(1), "Raw SBC");
            EXPECT_EQ(list->itemText(2), "Wave Sound File");
            EXPECT_EQ(list->currentIndex(), -1);
        }
        EXPECT_TRUE(d.ControlText(UploadPath).isEmpty());
        EXPECT_TRUE(d.ControlText(DownloadPath).isEmpty());
        for (const int id : kNeedRecording)
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
}

// Not recorded: only upload and record; recording it enables the rest.
TEST_F(VoiceDialogTest, RecordingAPromptEnablesDownloadPlayAndEdit) {
    program = [](const QStringList& command) {
        WriteWave(command.back().toStdString(), Glide(1.0));
        return 0;
    };
    answers = {UploadAnswer::Yes};
    RunOn(2, [](VoiceDialog& d) {
        for (const int id : kNeedRecording)
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (const int id : {UploadFrom, UploadPath, UploadFormat, UploadBrowse, Record})
            EXPECT_TRUE(Enabled(d, id)) << id;
        ClickButton(d, Record);
        for (const int id : kNeedRecording)
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
    EXPECT_EQ(sim->state().aaPrompts.at({2, 0}).size(), 4000u);
    EXPECT_EQ(sim->state().greetingTables[1].PrimaryAaPromptRecorded, 1);
}

TEST_F(VoiceDialogTest, UploadAsksForTheFileThenForItsType) {
    WriteFile(File("prompt.txt"), Blob(100, 1));
    std::vector<ui::FileDialogRequest> requests;
    ui::Hooks().fileDialog = [&](QWidget*, const ui::FileDialogRequest& r) {
        requests.push_back(r);
        return Q(File("prompt.txt"));
    };
    RunOn(2, [&](VoiceDialog& d) {
        ClickButton(d, UploadFrom);
        EXPECT_EQ(messages.back(), "The voice file must be specified.");
        EXPECT_EQ(d.focusWidget(), d.Control(UploadPath));

        // An extension that is not wav, oki or sbc leaves the type to choose.
        ClickButton(d, UploadBrowse);
        EXPECT_EQ(d.ControlText(UploadPath), Q(File("prompt.txt")));
        EXPECT_EQ(List(d, UploadFormat)->currentIndex(), -1);
        ClickButton(d, UploadFrom);
        EXPECT_EQ(messages.back(), "The voice file type must be specified.");
        EXPECT_EQ(d.focusWidget(), d.Control(UploadFormat));
        EXPECT_EQ(messages.size(), 2);
    });
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].filter.toStdString(),
              "Sounds (*.wav)|*.wav|Raw OKI (*.oki)|*.oki|Raw SBC (*.sbc)|*.sbc|All Files "
              "(*.*)|*.*||");
    EXPECT_EQ(sim->recorder().Count(Op::OpenAaPrompt), 0u);
}

TEST_F(VoiceDialogTest, BrowsingChoosesTheTypeAndTypingANameForgetsIt) {
    const Blob oki(5000, 0x33);
    WriteFile(File("New Prompt.OKI"), oki);
    ui::Hooks().fileDialog = [&](QWidget*, const ui::FileDialogRequest& r) {
        return r.save ? Q(File("copy.sbc")) : Q(File("New Prompt.OKI"));
    };
    RunOn(2, [&](VoiceDialog& d) {
        ClickButton(d, UploadBrowse);
        EXPECT_EQ(List(d, UploadFormat)->currentText(), "Raw OKI");
        ClickButton(d, UploadFrom);
        EXPECT_TRUE(Enabled(d, DownloadTo));

        ClickButton(d, DownloadBrowse);
        EXPECT_EQ(List(d, DownloadFormat)->currentText(), "Raw SBC");
        TypeInto(d.Control(DownloadPath), Q(File("copy.wav")));
        EXPECT_EQ(List(d, DownloadFormat)->currentIndex(), -1);
        ClickButton(d, DownloadTo);
        EXPECT_EQ(messages.back(), "The voice file type must be specified.");
        List(d, DownloadFormat)->setCurrentIndex(List(d, DownloadFormat)->findText("Raw OKI"));
        ClickButton(d, DownloadTo);
    });
    EXPECT_EQ(sim->state().aaPrompts.at({2, 0}), oki);
    EXPECT_EQ(ReadFile(File("copy.wav")), oki); // the server's own format, copied as it is
    EXPECT_TRUE(boxes.isEmpty());
}

// A failure shows its message; the dialog stays open and keeps what was typed.
TEST_F(VoiceDialogTest, AFailedTransferIsReportedAndTheFieldsStay) {
    sim->FailTransport(Op::OpenAaPrompt, 1726);
    RunOn(1, [&](VoiceDialog& d) {
        TypeInto(d.Control(DownloadPath), Q(File("out.wav")));
        List(d, DownloadFormat)->setCurrentIndex(2);
        ClickButton(d, DownloadTo);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0], "An unexpected voice conversion error has occurred.\n\nThe errorcode "
                            "is 1726.");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ControlText(DownloadPath), Q(File("out.wav")));
        EXPECT_EQ(List(d, DownloadFormat)->currentIndex(), 2);

        ClickButton(d, Play);
        EXPECT_EQ(boxes.size(), 2);
        EXPECT_TRUE(started.empty());
    });
    // The proxy tried three times, as for a call that did not run; the program goes on.
    EXPECT_EQ(sim->recorder().Count(Op::OpenAaPrompt), 6u);
    EXPECT_FALSE(endedWith);
    EXPECT_FALSE(std::filesystem::exists(File("out.wav")));
    EXPECT_TRUE(LeftOver().isEmpty());
}

// ---- entry points -----------------------------------------------------------------------

TEST_F(VoiceDialogTest, EditVoicePromptAnswersWhetherThePromptIsRecordedAfterwards) {
    program = [](const QStringList& command) {
        WriteWave(command.back().toStdString(), Glide(0.5));
        return 0;
    };
    answers = {UploadAnswer::Yes};
    WhenModal<VoiceDialog>([](VoiceDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Decline prompt");
        ClickButton(d, Record);
    });
    EXPECT_TRUE(prompts::EditVoicePrompt(prompts::SrPrompt(3, zax::SrPromptKind::Decline), nullptr,
                                         Context()));
    EXPECT_EQ(sim->state().greetingTables[2].DeclinePromptRecorded, 1);
    const auto opens = sim->recorder().CallsOf(Op::OpenSrPrompt);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Arg<std::uint8_t>(1), 3);
    EXPECT_EQ(opens[0].Arg<std::int16_t>(2), 2);

    WhenModal<VoiceDialog>([](VoiceDialog& d) { EXPECT_EQ(d.windowTitle(), "Repeat prompt"); });
    EXPECT_FALSE(prompts::EditVoicePrompt(prompts::SrPrompt(3, zax::SrPromptKind::Repeat), nullptr,
                                          Context()));
    EXPECT_EQ(prompts::CaptionOf(prompts::AaPrompt(1, zax::AaPromptKind::Alternate)),
              ui::StringId::AlternateAaPrompt);
    EXPECT_EQ(prompts::CaptionOf(prompts::SrPrompt(1, zax::SrPromptKind::Confirm)),
              ui::StringId::ConfirmPrompt);
}

TEST_F(VoiceDialogTest, WithoutVoiceParametersTheDialogDoesNotOpen) {
    sim->FailStatus(Op::GetVoiceParameters, 31033);
    EXPECT_FALSE(prompts::EditVoicePrompt(prompts::AaPrompt(1, zax::AaPromptKind::Primary), nullptr,
                                          Context()));
    EXPECT_EQ(boxes, QStringList{"An unexpected server or network error has occurred.\n\nThe "
                                 "errorcode is 31033."});
    EXPECT_EQ(sim->recorder().Sequence(), std::vector<std::uint16_t>{Op::GetVoiceParameters});
    // Nor does a name play.
    EXPECT_EQ(prompts::PlayDirectoryName("2001", Context()), 31033u);
    EXPECT_TRUE(played.empty());
}

TEST_F(VoiceDialogTest, TheDirectoryPlaysRecordedNames) {
    EXPECT_TRUE(prompts::IsDirectoryNameRecorded("2001", Context()));
    EXPECT_FALSE(prompts::IsDirectoryNameRecorded("2003", Context()));
    EXPECT_EQ(prompts::PlayDirectoryName("2001", Context()), 0u);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(prompts::PlayDirectoryName("2003", Context()), 31012u);
    EXPECT_EQ(boxes, QStringList{"An unexpected server or network error has occurred.\n\nThe "
                                 "errorcode is 31012."});
    EXPECT_EQ(played.size(), 1u);
    const auto keys = sim->recorder().CallsOf(Op::QueryNameVoice);
    ASSERT_EQ(keys.size(), 2u);
    // The number in its fixed field, zero-filled after it.
    const auto key = keys[0].Arg<zax::Chars<8>>(0);
    EXPECT_EQ(std::string(key.data()), "2001");
    EXPECT_EQ(key[7], '\0');
}

} // namespace
