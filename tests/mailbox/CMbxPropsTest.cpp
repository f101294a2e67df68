// The mailbox property sheet against the in-process simulated server: the
// pages of each type, every page's checks, and what the save step sends.

#include "MailboxTestSupport.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/CPageMbxGeneral.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListRow.h"
#include "mailbox/MailboxPage.h"

#include "ui/ResourceIds.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace mailbox;
using namespace mailboxtest;

namespace {

using SheetAction = std::function<void(CMbxProps&)>;

class SheetTest : public MailboxTest {
protected:
    // Runs the sheet as the program does; `act` works on it once it is open.
    int Run(CMbxProps& sheet, SheetAction act) {
        WhenModal<CMbxProps>(std::move(act));
        return sheet.Run();
    }
    int RunChange(const char* number, SheetAction act) {
        CMbxProps sheet(session, number, nullptr, nullptr);
        return Run(sheet, std::move(act));
    }
    zax::MailboxRecord LastChange() const {
        const auto calls = sim->recorder().CallsOf(zax::Opnum::ChangeMailbox);
        return calls.empty() ? zax::MailboxRecord{} : calls.back().Arg<zax::MailboxRecord>(0);
    }
};

QWidget* Ctl(CMbxProps& sheet, int slot, int id) {
    MailboxPage* page = sheet.PageInSlot(slot);
    return page != nullptr ? page->Control(id) : nullptr;
}

// Brings a slot's page to the front as a click on its tab does.
void ShowSlot(CMbxProps& sheet, int slot) {
    sheet.findChild<QTabWidget*>()->setCurrentIndex(sheet.IndexOfSlot(slot));
}

void Type(CMbxProps& sheet, int slot, int id, const QString& text) {
    ShowSlot(sheet, slot);
    TypeInto(Ctl(sheet, slot, id), text);
}

void Click(CMbxProps& sheet, int slot, int id) {
    ShowSlot(sheet, slot);
    qobject_cast<QAbstractButton*>(Ctl(sheet, slot, id))->click();
}

QStringList Tabs(CMbxProps& sheet) {
    QStringList tabs;
    auto* tabWidget = sheet.findChild<QTabWidget*>();
    for (int i = 0; i < tabWidget->count(); ++i)
        tabs << tabWidget->tabText(i);
    return tabs;
}

TEST_F(SheetTest, EachTypeGetsItsPagesInSlotOrder) {
    const struct {
        const char* number;
        int type;
        QStringList tabs;
    } cases[] = {
        {"2001", 0, {"General", "Options", "Outdial", "Fax", "Speech Rec"}},
        {"1000", 1, {"General", "Options", "Outdial", "Fax", "Speech Rec"}},
        {"3000", 2, {"General", "Speech Rec"}},
        {"1001", 3, {"General", "Options", "Outdial", "Fax"}},
        {"2030", 4, {"General", "Options", "Outdial"}},
        {"3100", 5, {"General", "Outdial", "Delivery", "Speech Rec"}},
        {"3200", 6, {"General", "Delivery"}},
        {"4000", 9, {"General", "Outdial", "Address"}},
        {"5000", 10, {"General", "Address"}},
        {"2031", 11, {"General", "Options", "Outdial", "Fax", "Speech Rec"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        ASSERT_EQ(sim->state().FindMailbox(c.number)->Type, c.type);
        QStringList tabs;
        RunChange(c.number, [&](CMbxProps& sheet) { tabs = Tabs(sheet); });
        EXPECT_EQ(tabs, c.tabs);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(SheetTest, GeneralDeliveryLoadsSplitAndAppliesWithoutAMessage) {
    QString last, first;
    const int result = RunChange("1001", [&](CMbxProps& sheet) {
        last = Ctl(sheet, SlotGeneral, GeneralCtl::LastName)->property("text").toString();
        first = Ctl(sheet, SlotGeneral, GeneralCtl::FirstName)->property("text").toString();
        ClickButton(sheet, ui::ControlId::Ok);
    });
    EXPECT_EQ(last, "GENERAL_DELIVERY");
    EXPECT_EQ(first, "MB");
    EXPECT_EQ(result, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    // Nothing changed, so nothing is written.
    EXPECT_EQ(Calls(), (std::vector<uint16_t>{zax::Opnum::GetCosNames, zax::Opnum::GetMailbox}));
}

TEST_F(SheetTest, NameRules) {
    const struct {
        const char* last;
        const char* first;
        const char* message; // "" when accepted
        int focus;
        const char* stored;
    } cases[] = {
        {"ABCDEFGHIJKLMNOP", "", "", 0, "ABCDEFGHIJKLMNOP"},
        {"ABCDEFGHIJ", "KLMNOP", "Name can not exceed 15 characters", GeneralCtl::LastName, ""},
        {"", "", "Cannot leave name field blank", GeneralCtl::LastName, ""},
        {"SMITH JOHN", "", "Invalid last name", GeneralCtl::LastName, ""},
        {"ABCDEFGHIJKLMNOPQ", "", "Invalid last name", GeneralCtl::LastName, ""},
        {"SMITH", "J.R.", "Invalid first name", GeneralCtl::FirstName, ""},
        {"", "CHER", "", 0, "CHER"},
        {"O'BRIEN-SMITH", "al", "", 0, "O'BRIEN-SMITH,al"},
        {"SYSTEM_MANAGER", "MB", "", 0, "SYSTEM_MANAGER,MB"},
        {"SYSTEM_MANAGER", "XY", "Name can not exceed 15 characters", GeneralCtl::LastName, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.last) + "," + c.first);
        messages.clear();
        bool open = false;
        QWidget* focus = nullptr;
        QWidget* expectedFocus = nullptr;
        RunChange("2002", [&](CMbxProps& sheet) {
            Type(sheet, SlotGeneral, GeneralCtl::LastName, c.last);
            Type(sheet, SlotGeneral, GeneralCtl::FirstName, c.first);
            ShowSlot(sheet, SlotOptions); // the message must bring General back
            ClickButton(sheet, ui::ControlId::Ok);
            open = sheet.isVisible();
            focus = sheet.focusWidget();
            expectedFocus = c.focus ? Ctl(sheet, SlotGeneral, c.focus) : nullptr;
            if (open) {
                EXPECT_EQ(sheet.ActiveIndex(), 0);
            }
        });
        if (*c.message) {
            EXPECT_EQ(messages, QStringList{c.message});
            EXPECT_TRUE(open);
            EXPECT_EQ(focus, expectedFocus);
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
            EXPECT_EQ(zax::GetText(sim->state().FindMailbox("2002")->Name), c.stored);
        }
    }
}

TEST_F(SheetTest, ClearedExtensionEmptiesAndDisablesTheOptionsThatNeedIt) {
    RunChange("2001", [&](CMbxProps& sheet) {
        auto enabled = [&](int id) { return Ctl(sheet, SlotOptions, id)->isEnabled(); };
        auto text = [&](int id) {
            return Ctl(sheet, SlotOptions, id)->property("text").toString();
        };
        auto* waiting =
            qobject_cast<QCheckBox*>(Ctl(sheet, SlotOptions, OptionsCtl::MessageWaiting));
        ShowSlot(sheet, SlotOptions);
        EXPECT_EQ(text(OptionsCtl::Alternate1), "2101");
        EXPECT_TRUE(waiting->isChecked());

        Type(sheet, SlotGeneral, GeneralCtl::Extension, "");
        ShowSlot(sheet, SlotOptions);
        EXPECT_EQ(text(OptionsCtl::Alternate1), "");
        EXPECT_EQ(text(OptionsCtl::Alternate2), "");
        EXPECT_FALSE(enabled(OptionsCtl::Alternate1));
        EXPECT_FALSE(enabled(OptionsCtl::Alternate2));
        EXPECT_FALSE(waiting->isChecked());
        EXPECT_FALSE(waiting->isEnabled());

        Type(sheet, SlotGeneral, GeneralCtl::Extension, "2001");
        ShowSlot(sheet, SlotOptions);
        EXPECT_TRUE(enabled(OptionsCtl::Alternate1));
        EXPECT_TRUE(waiting->isEnabled());
        EXPECT_FALSE(enabled(OptionsCtl::Alternate2)); // the first alternate is still empty
        Type(sheet, SlotGeneral, GeneralCtl::Extension, "");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    const zax::MailboxRecord sent = LastChange();
    EXPECT_EQ(zax::GetText(sent.Extension), "");
    EXPECT_EQ(zax::GetText(sent.AlternateExtension1), "");
    EXPECT_EQ(sent.MessageWaiting, 0);
}

TEST_F(SheetTest, EmptyingTheFirstAlternateEmptiesAndDisablesTheSecondAtOnce) {
    zax::SetText(sim->state().mailboxes.at("2001").record.AlternateExtension2, "2102");
    RunChange("2001", [&](CMbxProps& sheet) {
        QWidget* second = Ctl(sheet, SlotOptions, OptionsCtl::Alternate2);
        ShowSlot(sheet, SlotOptions);
        EXPECT_EQ(second->property("text").toString(), "2102");
        EXPECT_TRUE(second->isEnabled());
        Type(sheet, SlotOptions, OptionsCtl::Alternate1, "");
        EXPECT_EQ(second->property("text").toString(), "");
        EXPECT_FALSE(second->isEnabled());
    });
}

TEST_F(SheetTest, AddedWithApplyThenChangedWithOkSendsAddOnceThenChange) {
    CMbxProps sheet(session, "2050", zax::MailboxType::Subscriber, nullptr);
    bool applyEnabled = false;
    bool addModeAfterApply = true;
    const int result = Run(sheet, [&](CMbxProps& s) {
        applyEnabled = s.IsModified(); // a new mailbox can be saved untouched
        Type(s, SlotGeneral, GeneralCtl::LastName, "NEWMAN");
        ClickButton(s, ui::ControlId::Apply);
        addModeAfterApply = s.InAddMode();
        Type(s, SlotGeneral, GeneralCtl::FirstName, "ANN");
        ClickButton(s, ui::ControlId::Ok);
    });
    EXPECT_TRUE(applyEnabled);
    EXPECT_FALSE(addModeAfterApply);
    EXPECT_EQ(result, ui::ControlId::Ok);
    EXPECT_EQ(Calls(), (std::vector<uint16_t>{zax::Opnum::GetCosNames, zax::Opnum::AddMailbox,
                                              zax::Opnum::ChangeMailbox}));
    EXPECT_TRUE(sheet.WasChanged());
    EXPECT_EQ(zax::GetText(sim->state().FindMailbox("2050")->Name), "NEWMAN,ANN");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(SheetTest, UnchangedOkSendsNothingAndCancelOfANewMailboxCreatesNothing) {
    EXPECT_EQ(RunChange("2001", [](CMbxProps& s) { ClickButton(s, ui::ControlId::Ok); }),
              ui::ControlId::Ok);
    EXPECT_EQ(Calls(), (std::vector<uint16_t>{zax::Opnum::GetCosNames, zax::Opnum::GetMailbox}));

    CMbxProps add(session, "2050", zax::MailboxType::Subscriber, nullptr);
    EXPECT_EQ(Run(add, [](CMbxProps&) {}), ui::ControlId::Cancel);
    EXPECT_EQ(CallsOf(zax::Opnum::AddMailbox), 0u);
}

TEST_F(SheetTest, FailedChangeClearsTheModifiedFlagAndKeepsTheListRow) {
    sim->FailStatus(zax::Opnum::ChangeMailbox, 31029, 1);
    MailboxListRow row{"BAKER,THOMAS", "2002", "Subscriber"};
    CMbxProps sheet(session, "2002", &row, nullptr);
    bool modifiedAfterApply = true;
    Run(sheet, [&](CMbxProps& s) {
        Type(s, SlotGeneral, GeneralCtl::FirstName, "TOM");
        ClickButton(s, ui::ControlId::Apply);
        modifiedAfterApply = s.IsModified();
        ClickButton(s, ui::ControlId::Ok);
    });
    EXPECT_EQ(messages, QStringList{"Extension already used by another mailbox"});
    EXPECT_FALSE(modifiedAfterApply);
    EXPECT_EQ(CallsOf(zax::Opnum::ChangeMailbox), 1u); // OK had nothing left to send
    EXPECT_FALSE(sheet.WasChanged());
    // The server kept the old name, and so does the list.
    EXPECT_EQ(row.name, "BAKER,THOMAS");
}

TEST_F(SheetTest, SavedNameGoesToTheListRow) {
    MailboxListRow row{"BAKER,THOMAS", "2002", "Subscriber"};
    CMbxProps sheet(session, "2002", &row, nullptr);
    Run(sheet, [&](CMbxProps& s) {
        Type(s, SlotGeneral, GeneralCtl::FirstName, "TOM");
        ClickButton(s, ui::ControlId::Apply);
        EXPECT_EQ(row.name, "BAKER,TOM");
    });
    EXPECT_TRUE(sheet.WasChanged());
}

TEST_F(SheetTest, EveryPageRefusesItsBadFieldsWithItsMessageAndFocus) {
    const struct {
        const char* number;
        int slot;
        int control;
        SheetAction edit;
        const char* message;
    } cases[] = {
        {"2001", SlotGeneral, GeneralCtl::Extension,
         [](auto& s) { Type(s, SlotGeneral, GeneralCtl::Extension, "123"); }, "Invalid extension"},
        {"3200", SlotGeneral, GeneralCtl::Extension,
         [](auto& s) { Type(s, SlotGeneral, GeneralCtl::Extension, ""); }, "Invalid extension"},
        {"2001", SlotOptions, OptionsCtl::Alternate1,
         [](auto& s) { Type(s, SlotOptions, OptionsCtl::Alternate1, "12"); },
         "Invalid alternate extension 1"},
        {"2001", SlotOptions, OptionsCtl::Alternate2,
         [](auto& s) { Type(s, SlotOptions, OptionsCtl::Alternate2, "abcd"); },
         "Invalid alternate extension 2"},
        {"2001", SlotOutdial, OutdialCtl::LineNumber,
         [](auto& s) { Type(s, SlotOutdial, OutdialCtl::LineNumber, "9"); }, "Invalid line number"},
        {"2002", SlotOutdial, OutdialCtl::LineNumber,
         [](auto& s) { Click(s, SlotOutdial, OutdialCtl::Line); }, "Invalid line number"},
        {"2003", SlotOutdial, OutdialCtl::PoolNumber,
         [](auto& s) { Type(s, SlotOutdial, OutdialCtl::PoolNumber, "5"); }, "Invalid pool number"},
        {"2001", SlotFax, FaxCtl::FaxLine, [](auto& s) { Type(s, SlotFax, FaxCtl::FaxLine, "0"); },
         "Invalid fax line"},
        {"3200", SlotDelivery, DeliveryCtl::Interval,
         [](auto& s) {
             Type(s, SlotDelivery, DeliveryCtl::Retries, "100");
             Type(s, SlotDelivery, DeliveryCtl::Interval, "61");
         },
         "Invalid interval value"},
        {"3200", SlotDelivery, DeliveryCtl::Retries,
         [](auto& s) { Type(s, SlotDelivery, DeliveryCtl::Retries, "0"); },
         "Invalid retries value"},
        {"5000", SlotAddress, AddressCtl::SitePrefix,
         [](auto& s) { Type(s, SlotAddress, AddressCtl::SitePrefix, ""); }, "Invalid site prefix"},
        {"4000", SlotAddress, AddressCtl::RemotePhone,
         [](auto& s) { Type(s, SlotAddress, AddressCtl::RemotePhone, "555,1234"); },
         "Invalid remote phone number"},
        {"4000", SlotAddress, AddressCtl::RemoteMailbox,
         [](auto& s) { Type(s, SlotAddress, AddressCtl::RemoteMailbox, "12345678901234567"); },
         "Invalid remote mailbox number"},
        {"2001", SlotSpeechRec, SpeechCtl::ExtendedName,
         [](auto& s) { Type(s, SlotSpeechRec, SpeechCtl::ExtendedName, "Mary.Anderson"); },
         "Invalid extended name"},
        {"2001", SlotSpeechRec, SpeechCtl::Alias,
         [](auto& s) { Type(s, SlotSpeechRec, SpeechCtl::Alias, QString(41, 'a')); },
         "Invalid Speech Recognition alias"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + std::string(" on ") + c.number);
        messages.clear();
        RunChange(c.number, [&](CMbxProps& sheet) {
            c.edit(sheet);
            ShowSlot(sheet, SlotGeneral);
            ClickButton(sheet, ui::ControlId::Ok);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(sheet.ActiveIndex(), sheet.IndexOfSlot(c.slot));
            EXPECT_EQ(sheet.focusWidget(), Ctl(sheet, c.slot, c.control));
            EXPECT_FALSE(sheet.PageInSlot(c.slot)->IsPageValid());
        });
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(CallsOf(zax::Opnum::ChangeMailbox), 0u);
    }
}

TEST_F(SheetTest, NewMailboxDefaultsDependOnTheType) {
    const struct {
        zax::MailboxType type;
        int16_t messageWaiting, outdialKind, retries, interval;
    } cases[] = {
        {zax::MailboxType::Subscriber, 1, 3, 3, 10},  {zax::MailboxType::Information, 0, 3, 3, 10},
        {zax::MailboxType::FaxOverflow, 0, 3, 99, 1}, {zax::MailboxType::Amis, 0, 1, 3, 10},
        {zax::MailboxType::Network, 0, 3, 3, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        CMbxProps sheet(session, "2050", c.type, nullptr);
        zax::MailboxRecord r{};
        Run(sheet, [&r](CMbxProps& s) { r = s.Record(); });
        EXPECT_EQ(zax::GetText(r.Number), "2050");
        EXPECT_EQ(r.Type, static_cast<int16_t>(c.type));
        EXPECT_EQ(r.ClassOfService, 1);
        EXPECT_EQ(r.Directory, 1);
        EXPECT_EQ(r.MessageWaiting, c.messageWaiting);
        EXPECT_EQ(r.OutdialKind, c.outdialKind);
        EXPECT_EQ(r.FaxRetries, c.retries);
        EXPECT_EQ(r.FaxInterval, c.interval);
    }
}

TEST_F(SheetTest, AmisWithoutOutdialLoadsLineAndIsModifiedFromTheStart) {
    sim->state().mailboxes.at("4001").record.OutdialKind = 3;
    RunChange("4001", [&](CMbxProps& sheet) {
        ShowSlot(sheet, SlotOutdial);
        EXPECT_TRUE(
            qobject_cast<QAbstractButton*>(Ctl(sheet, SlotOutdial, OutdialCtl::Line))->isChecked());
        EXPECT_EQ(Ctl(sheet, SlotOutdial, OutdialCtl::LineNumber)->property("text").toString(), "");
        EXPECT_FALSE(Ctl(sheet, SlotOutdial, OutdialCtl::None)->isVisible());
        EXPECT_TRUE(sheet.IsModified());
    });
}

TEST_F(SheetTest, ResetPasswordIsSentWithTheChangeAndHiddenWhenAdding) {
    ASSERT_TRUE(sim->state().mailboxes.at("2001").passwordChanged);
    RunChange("2001", [&](CMbxProps& sheet) {
        Click(sheet, SlotGeneral, GeneralCtl::ResetPassword);
        ClickButton(sheet, ui::ControlId::Ok);
    });
    const auto changes = sim->recorder().CallsOf(zax::Opnum::ChangeMailbox);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Arg<uint8_t>(1), 1);
    EXPECT_FALSE(sim->state().mailboxes.at("2001").passwordChanged);

    CMbxProps add(session, "2050", zax::MailboxType::Subscriber, nullptr);
    Run(add, [](CMbxProps& s) {
        EXPECT_FALSE(Ctl(s, SlotGeneral, GeneralCtl::ResetPassword)->isVisible());
        EXPECT_FALSE(Ctl(s, SlotGeneral, GeneralCtl::ResetPassword)->isEnabled());
    });
}

TEST_F(SheetTest, OpensOnTheInitialSlotWhenTheTypeHasIt) {
    const struct {
        const char* number;
        int expectedSlot;
    } cases[] = {{"2001", SlotSpeechRec}, {"4000", SlotAddress}}; // AMIS: the last page stays
    for (const auto& c : cases) {
        CMbxProps sheet(session, c.number, nullptr, nullptr, SlotSpeechRec);
        int active = -1, expected = -2;
        Run(sheet, [&](CMbxProps& s) {
            active = s.ActiveIndex();
            expected = s.IndexOfSlot(c.expectedSlot);
        });
        EXPECT_EQ(active, expected) << c.number;
    }
}

TEST_F(SheetTest, EditsOnSeveralPagesGoOutInOneChange) {
    RunChange("2001", [&](CMbxProps& sheet) {
        Type(sheet, SlotGeneral, GeneralCtl::LastName, "SMITH");
        Click(sheet, SlotOutdial, OutdialCtl::Pool);
        Type(sheet, SlotOutdial, OutdialCtl::PoolNumber, "2");
        Type(sheet, SlotFax, FaxCtl::FaxLine, "7");
        Click(sheet, SlotSpeechRec, SpeechCtl::Enable);
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(CallsOf(zax::Opnum::ChangeMailbox), 1u);
    const zax::MailboxRecord r = LastChange();
    EXPECT_EQ(zax::GetText(r.Name), "SMITH,MARY");
    EXPECT_EQ(r.OutdialKind, 2);
    EXPECT_EQ(r.OutdialNumber, 2);
    EXPECT_EQ(r.FaxLine, 7);
    EXPECT_EQ(r.SpeechDisabled, 1);
    EXPECT_EQ(zax::GetText(r.AlternateExtension1), "2101"); // untouched pages send what they read
}

TEST_F(SheetTest, SeveralKeystrokesInEveryEditOfEveryPageAllArrive) {
    // State updates run on every keystroke; one that moved the focus (and so
    // selected the text) turned "12" into "2". Every choice of every page is
    // tried, since choices enable other edits.
    for (const int type : {0, 2, 4, 5, 6, 9, 10}) {
        SCOPED_TRACE(type);
        CMbxProps sheet(session, "2999", static_cast<zax::MailboxType>(type), nullptr);
        Run(sheet, [&](CMbxProps& open) {
            for (int slot = 0; slot < SlotCount; ++slot) {
                MailboxPage* page = open.PageInSlot(slot);
                if (page == nullptr)
                    continue;
                ShowSlot(open, slot);
                const auto radios = page->findChildren<QRadioButton*>();
                for (int choice = -1; choice < static_cast<int>(radios.size()); ++choice) {
                    if (choice >= 0 && radios[choice]->isEnabled())
                        radios[choice]->click();
                    for (auto* edit : page->findChildren<QLineEdit*>()) {
                        if (!edit->isEnabled() || edit->isHidden())
                            continue;
                        TypeInto(edit, "12");
                        EXPECT_EQ(edit->text(), "12")
                            << "page " << slot << ", control " << edit->property("ctrlId").toInt();
                    }
                }
            }
        });
    }
}

TEST_F(SheetTest, CallScreeningAndMessageWaitingGoOutBothWays) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        Use(zaxsim::MakeDemoState());
        zax::MailboxRecord& box = sim->state().mailboxes.at("2001").record;
        box.CallScreening = on ? 0 : 1;
        box.MessageWaiting = on ? 0 : 1;
        RunChange("2001", [&](CMbxProps& sheet) {
            Click(sheet, SlotOptions, OptionsCtl::CallScreening);
            Click(sheet, SlotOptions, OptionsCtl::MessageWaiting);
            ClickButton(sheet, ui::ControlId::Ok);
        });
        ASSERT_EQ(CallsOf(zax::Opnum::ChangeMailbox), 1u);
        EXPECT_EQ(LastChange().CallScreening, on ? 1 : 0);
        EXPECT_EQ(LastChange().MessageWaiting, on ? 1 : 0);
    }
}

} // namespace
