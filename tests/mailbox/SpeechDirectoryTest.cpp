// The Speech Recognition Directory and the Speech Recognition Properties
// against the in-process simulated server: which names are listed and how,
// the batches, sorting, the mailbox sheet opened from a row, recorded names
// and the voice-dialing switch.

#include "ControlIdCheck.h"
#include "MailboxTestSupport.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/DirectoryRow.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "mailbox/MailboxTypes.h"
#include "mailbox/SpeechDirectoryDialog.h"
#include "mailbox/SpeechIds.h"
#include "mailbox/SpeechRecPropertiesDialog.h"

#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <QPushButton>

#include <set>

using namespace mailbox;
using namespace mailboxtest;

namespace {

enum Column { Name, Type, Number, Enable, Homonym };

class SpeechDirectoryTest : public MailboxTest {
protected:
    SpeechDirectoryTest() {
        // The unexpected-error text comes in the platform's standard box.
        ui::Hooks().standardBox = [this](const QString&, const QString& text, auto) {
            messages << text;
        };
    }

    // A directory loaded and shown, as Run shows it, without running it modally.
    std::unique_ptr<SpeechDirectoryDialog> Open() {
        auto dialog = std::make_unique<SpeechDirectoryDialog>(session, voice);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    static QPushButton* Button(SpeechDirectoryDialog& d, int id) {
        return d.ControlAs<QPushButton>(id);
    }
    static QStringList Row(SpeechDirectoryDialog& d, int row) {
        QStringList cells;
        for (int c = 0; c < d.List()->ColumnCount(); ++c)
            cells << d.List()->CellText(row, c);
        return cells;
    }
    static QStringList Column(SpeechDirectoryDialog& d, int column) {
        QStringList cells;
        for (int r = 0; r < d.RowCount(); ++r)
            cells << d.List()->CellText(r, column);
        return cells;
    }

    // Names recorded, as the voice layer would say; and what was played.
    std::set<std::string> recorded{"2002"};
    std::vector<std::string> played;
    DirectoryVoice voice{
        [this](zax::Session&, const std::string& number) { return recorded.contains(number); },
        [this](zax::Session&, QWidget*, const std::string& number) { played.push_back(number); }};
};

// A box of each listed type with every combination of names, and the types
// callers cannot reach by name.
zaxsim::SimState Directory() {
    zaxsim::SimState s = WithMailboxes({{"2001", "ANDERSON,MARY", 0},
                                        {"2002", "BAKER,TOM", 1},
                                        {"3000", "HOURS", 2},
                                        {"3100", "PRICES", 5},
                                        {"2031", "LOBBY", 11},
                                        {"3200", "OVERFLOW", 6},
                                        {"4000", "HARPER,ELLEN", 9},
                                        {"5000", "MOREAU,LUC", 10}});
    auto names = [&s](const char* number, const char* extended, const char* alias) {
        zax::MailboxRecord& r = s.mailboxes.at(number).record;
        zax::SetText(r.ExtendedName, extended);
        zax::SetText(r.Alias, alias);
    };
    names("2001", "Mary Anderson", "Mary");
    names("2002", "", "Tom");
    names("3000", "Office hours", "");
    names("4000", "Ellen Harper", "Ellen");
    names("5000", "Luc Moreau", "");
    s.mailboxes.at("3100").record.SpeechDisabled = 1;
    s.mailboxes.at("2002").record.Homonym = 1;
    return s;
}

TEST_F(SpeechDirectoryTest, EveryNameOfEveryListedTypeIsARow) {
    Use(Directory());
    auto dialog = Open();
    ASSERT_EQ(dialog->RowCount(), 7);
    // Sorted by name; AMIS (9), network (10) and overflow (6) boxes are left out.
    const QList<QStringList> expected = {
        {"BAKER,TOM", "Default", "2002", "Y", "Y"},
        {"LOBBY", "Default", "2031", "Y", ""},
        {"Mary", "Alias", "2001", "Y", ""},
        {"Mary Anderson", "Extended", "2001", "Y", ""},
        {"Office hours", "Extended", "3000", "Y", ""},
        {"PRICES", "Default", "3100", "", ""},
        {"Tom", "Alias", "2002", "Y", "Y"},
    };
    for (int r = 0; r < dialog->RowCount(); ++r)
        EXPECT_EQ(Row(*dialog, r), expected[r]) << r;
    EXPECT_EQ(dialog->List()->SelectedRow(), 0);
    EXPECT_TRUE(Button(*dialog, DirectoryCtl::Properties)->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SpeechDirectoryTest, ColumnsSortAscendingTheFlagsWithoutYFirst) {
    Use(Directory());
    auto dialog = Open();
    dialog->List()->SortByColumn(Enable);
    EXPECT_EQ(Column(*dialog, Enable).first(), "");
    EXPECT_EQ(Column(*dialog, Number).first(), "3100");
    EXPECT_EQ(Column(*dialog, Enable).last(), "Y");
    dialog->List()->SortByColumn(Homonym);
    EXPECT_EQ(Column(*dialog, Homonym).mid(5), (QStringList{"Y", "Y"}));
    dialog->List()->SortByColumn(Type);
    EXPECT_EQ(Column(*dialog, Type),
              (QStringList{"Alias", "Alias", "Default", "Default", "Default", "Extended",
                           "Extended"}));
    dialog->List()->SortByColumn(Number);
    EXPECT_EQ(Column(*dialog, Number).first(), "2001");
}

// 26 subscribers: the first entry, then a full batch of 25, then a call
// whose end status closes the list without a message.
TEST_F(SpeechDirectoryTest, BatchesOfTwentyFiveEndQuietly) {
    const struct {
        int mailboxes;
        size_t batchCalls;
    } cases[] = {{1, 1}, {25, 1}, {26, 2}, {51, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mailboxes);
        Use(Subscribers(c.mailboxes));
        messages.clear();
        auto dialog = Open();
        EXPECT_EQ(dialog->RowCount(), c.mailboxes);
        EXPECT_EQ(CallsOf(zax::Opnum::FindNextEntries), c.batchCalls);
        EXPECT_TRUE(messages.isEmpty());
    }
    Use(Subscribers(0));
    auto empty = Open();
    EXPECT_EQ(empty->RowCount(), 0);
    EXPECT_FALSE(Button(*empty, DirectoryCtl::PlayName)->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SpeechDirectoryTest, AFailureShowsItsCodeAndKeepsTheRowsRead) {
    Use(Subscribers(60));
    sim->FailStatus(zax::Opnum::FindNextEntries, 31033, 2);
    auto dialog = Open();
    EXPECT_EQ(dialog->RowCount(), 26);
    EXPECT_EQ(messages, QStringList{"An unexpected server or network error has occurred.\n\n"
                                    "The errorcode is 31033."});

    // A broken connection is tried three times, then shown the same way.
    Use(Subscribers(3));
    sim->FailTransport(zax::Opnum::FindFirstEntry, 1726);
    messages.clear();
    auto broken = Open();
    EXPECT_EQ(broken->RowCount(), 0);
    EXPECT_EQ(CallsOf(zax::Opnum::FindFirstEntry), 3u);
    EXPECT_EQ(messages, QStringList{"An unexpected server or network error has occurred.\n\n"
                                    "The errorcode is 1726."});
}

TEST_F(SpeechDirectoryTest, PlayNameIsEnabledOnlyForRecordedNames) {
    Use(Directory());
    auto dialog = Open();
    QPushButton* play = Button(*dialog, DirectoryCtl::PlayName);
    EXPECT_TRUE(play->isEnabled()); // BAKER,TOM: 2002 is recorded
    ASSERT_TRUE(dialog->List()->SelectKey("2001/E"));
    EXPECT_FALSE(play->isEnabled());
    ASSERT_TRUE(dialog->List()->SelectKey("2002/A"));
    EXPECT_TRUE(play->isEnabled());
    play->click();
    EXPECT_EQ(played, std::vector<std::string>{"2002"});
    EXPECT_TRUE(play->isEnabled());

    // Without the voice layer nothing claims a recording.
    voice = {};
    auto plain = Open();
    EXPECT_FALSE(Button(*plain, DirectoryCtl::PlayName)->isEnabled());
}

TEST_F(SpeechDirectoryTest, PropertiesOpenTheSpeechRecPageAndAChangeReloads) {
    auto dialog = Open(); // the demo office
    const int before = dialog->RowCount();
    ASSERT_TRUE(dialog->List()->SelectKey("2007/E"));
    bool onSpeechRec = false;
    WhenModal<CMbxProps>([&onSpeechRec](CMbxProps& sheet) {
        onSpeechRec = sheet.IndexOfSlot(SlotSpeechRec) == sheet.ActiveIndex();
        TypeInto(sheet.PageInSlot(SlotSpeechRec)->Control(SpeechCtl::Alias), "Lucho");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    Button(*dialog, DirectoryCtl::Properties)->click();
    EXPECT_TRUE(onSpeechRec);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(dialog->RowCount(), before + 1);
    EXPECT_TRUE(Column(*dialog, Name).contains("Lucho"));
    EXPECT_EQ(CallsOf(zax::Opnum::FindFirstEntry), 2u);

    // Cancelled, the list is not read again; a mailbox gone meanwhile opens nothing.
    WhenModal<CMbxProps>([](CMbxProps& sheet) { sheet.reject(); });
    emit dialog->List()->doubleClicked(dialog->List()->currentIndex());
    EXPECT_EQ(CallsOf(zax::Opnum::FindFirstEntry), 2u);
    sim->state().mailboxes.erase("3000");
    ASSERT_TRUE(dialog->List()->SelectKey("3000/E"));
    Button(*dialog, DirectoryCtl::Properties)->click(); // would hang if a sheet were run
    EXPECT_EQ(messages, QStringList{"An unexpected server or network error has occurred.\n\n"
                                    "The errorcode is 31012."});
}

using SpeechRecPropertiesTest = MailboxTest;

TEST_F(SpeechRecPropertiesTest, TheBoxShowsAndSetsVoiceDialing) {
    for (const bool tick : {false, true}) {
        SCOPED_TRACE(tick);
        SpeechRecPropertiesDialog dialog(session);
        WhenModal<SpeechRecPropertiesDialog>([tick](SpeechRecPropertiesDialog& d) {
            EXPECT_TRUE(d.IsChecked(VoiceDialingCtl::Enabled)); // the demo has it on
            if (!tick)
                qobject_cast<QAbstractButton*>(d.Control(VoiceDialingCtl::Enabled))->click();
            ClickButton(d, ui::ControlId::Ok);
        });
        EXPECT_EQ(dialog.Run(), ui::ControlId::Ok);
        EXPECT_EQ(sim->state().voiceDialing.Enabled, tick ? 1 : 0);
        sim->state().voiceDialing.Enabled = 1;
    }
}

// A switch that could not be read is not shown (and so never written back
// wrong); a write the server refuses is said, and the dialog stays.
TEST_F(SpeechRecPropertiesTest, RefusedCallsAreSaidNotHidden) {
    sim->FailStatus(zax::Opnum::GetVoiceDialing, 31033, 1);
    SpeechRecPropertiesDialog unread(session);
    EXPECT_EQ(unread.Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(CallsOf(zax::Opnum::SetVoiceDialing), 0u);

    messages.clear();
    sim->FailStatus(zax::Opnum::SetVoiceDialing, 31033, 1);
    SpeechRecPropertiesDialog dialog(session);
    WhenModal<SpeechRecPropertiesDialog>([this](SpeechRecPropertiesDialog& d) {
        qobject_cast<QAbstractButton*>(d.Control(VoiceDialingCtl::Enabled))->click();
        ClickButton(d, ui::ControlId::Ok);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
        ClickButton(d, ui::ControlId::Ok);
    });
    EXPECT_EQ(dialog.Run(), ui::ControlId::Ok);
    EXPECT_EQ(sim->state().voiceDialing.Enabled, 0);
}

TEST_F(SpeechRecPropertiesTest, ATransportFailureEndsTheProgram) {
    ExpectTransportFailureEndsTheProgram(zax::Opnum::GetVoiceDialing, [](zax::Session& s) {
        return SpeechRecPropertiesDialog(s).Run();
    });
    ExpectTransportFailureEndsTheProgram(zax::Opnum::SetVoiceDialing, [](zax::Session& s) {
        SpeechRecPropertiesDialog dialog(s);
        WhenModal<SpeechRecPropertiesDialog>(
            [](SpeechRecPropertiesDialog& d) { ClickButton(d, ui::ControlId::Ok); });
        return dialog.Run();
    });
}

} // namespace

namespace {

TEST_F(MailboxTest, SpeechFormsAndEveryModuleAgreeOnTheControls) {
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> all;
        all.push_back(
            {ui::DialogId::SpeechRecDirectory, std::make_unique<SpeechDirectoryDialog>(session)});
        all.push_back({ui::DialogId::SpeechRecProperties,
                       std::make_unique<SpeechRecPropertiesDialog>(session)});
        return all;
    });
}

} // namespace
