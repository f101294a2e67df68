// Edit Class of Service against the in-process simulated server: reading
// the 16 classes, checking one before leaving it, writing all of them.

#include "MailboxTestSupport.h"

#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxIds.h"

#include "ui/ResourceIds.h"

#include <QComboBox>

using namespace mailbox;
using namespace mailboxtest;

namespace {

class CosTest : public MailboxTest {
protected:
    std::unique_ptr<ClassOfServiceDialog> Open() {
        auto dialog = std::make_unique<ClassOfServiceDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    // Picks a class in the list as the administrator does.
    static void Choose(ClassOfServiceDialog& d, int index) {
        auto* list = d.ControlAs<QComboBox>(CosCtl::Class);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    static QString Text(ClassOfServiceDialog& d, int id) { return d.ControlText(id); }
    zax::CosLimit& Limit(zax::CosLimitIndex i) { return session.systemInfo.CosLimits[i]; }
};

TEST_F(CosTest, OpensOnClassOneWithEveryClassRead) {
    auto dialog = Open();
    EXPECT_EQ(CallsOf(zax::Opnum::GetClassOfService), 16u);
    const auto reads = sim->recorder().CallsOf(zax::Opnum::GetClassOfService);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(reads[static_cast<size_t>(i)].Arg<zax::CosRecord>(0).ClassNumber, i + 1);
    EXPECT_EQ(dialog->ControlText(CosCtl::Class), "01");
    EXPECT_EQ(Text(*dialog, CosCtl::Name), "STANDARD");
    EXPECT_EQ(Text(*dialog, CosCtl::MailboxTime), "30");
    EXPECT_EQ(Text(*dialog, CosCtl::Retention), "30");
    // Class 1 has no off-premise notification: its retry values are not shown.
    EXPECT_TRUE(dialog->IsChecked(CosCtl::OffPremiseNo));
    EXPECT_EQ(Text(*dialog, CosCtl::RetryInterval), "");
    EXPECT_FALSE(dialog->Control(CosCtl::RetryInterval)->isEnabled());
    Choose(*dialog, 1);
    EXPECT_EQ(Text(*dialog, CosCtl::Name), "EXECUTIVE");
    EXPECT_EQ(Text(*dialog, CosCtl::RetryInterval), "10");
    EXPECT_TRUE(dialog->Control(CosCtl::Attempts)->isEnabled());
    EXPECT_TRUE(dialog->IsChecked(CosCtl::NetworkingYes));
}

TEST_F(CosTest, EachValueIsCheckedInOrderAgainstTheServersLimits) {
    const struct {
        int control;
        const char* text;
        const char* message;
    } cases[] = {
        {CosCtl::Name, "ABCDEFGHIJKLMNOPQ", "Invalid COS name"},
        {CosCtl::MailboxTime, "181", "Invalid mailbox message time"},
        {CosCtl::MessageLength, "0", "Invalid message length"},
        {CosCtl::Retention, "366", "Invalid message retention value"},
        {CosCtl::GreetingLength, "", "Invalid greeting length"},
        {CosCtl::RetryInterval, "121", "Invalid interval value"},
        {CosCtl::Attempts, "x", "Invalid number of attempts"},
        {CosCtl::PasswordAttempts, "3", "Invalid incorrect password attempts value"},
        {CosCtl::Expiry, "-1", "Invalid password expiry value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        auto dialog = Open();
        Choose(*dialog, 1); // off-premise notification on
        dialog->SetControlText(c.control, c.text);
        ClickButton(*dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(CallsOf(zax::Opnum::SetClassOfService), 0u);
    }
}

TEST_F(CosTest, RetryValuesCountOnlyWhileNotificationIsOn) {
    auto dialog = Open();
    Choose(*dialog, 1); // EXECUTIVE: notification on, interval 10
    dialog->SetControlText(CosCtl::RetryInterval, "0");
    ClickButton(*dialog, CosCtl::OffPremiseNo); // texts stay, fields disabled
    EXPECT_FALSE(dialog->Control(CosCtl::RetryInterval)->isEnabled());
    EXPECT_EQ(Text(*dialog, CosCtl::RetryInterval), "0");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    const auto writes = sim->recorder().CallsOf(zax::Opnum::SetClassOfService);
    ASSERT_EQ(writes.size(), 16u);
    const auto& executive = writes[1].Arg<zax::CosRecord>(0);
    EXPECT_EQ(executive.OffPremiseMessageNotification, 0);
    EXPECT_EQ(executive.RetryInterval, 10); // neither checked nor stored

    Use(zaxsim::MakeDemoState());
    messages.clear();
    auto again = Open();
    Choose(*again, 1);
    again->SetControlText(CosCtl::RetryInterval, "0");
    ClickButton(*again, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Invalid interval value"});
}

TEST_F(CosTest, RetentionZeroFollowsTheServersMinimum) {
    for (int16_t minimum : {int16_t{0}, int16_t{1}}) {
        SCOPED_TRACE(minimum);
        messages.clear();
        Limit(zax::CosRetentionPeriod).Low = minimum;
        auto dialog = Open();
        dialog->SetControlText(CosCtl::Retention, "0");
        Choose(*dialog, 4);
        EXPECT_EQ(dialog->DisplayedIndex(), minimum == 0 ? 4 : 0);
        EXPECT_EQ(messages.isEmpty(), minimum == 0);
    }
}

TEST_F(CosTest, AnInvalidValueKeepsTheListOnItsClass) {
    auto dialog = Open();
    Choose(*dialog, 2);
    dialog->SetControlText(CosCtl::MessageLength, "99");
    Choose(*dialog, 6);
    EXPECT_EQ(messages, QStringList{"Invalid message length"});
    EXPECT_EQ(dialog->ControlText(CosCtl::Class), "03");
    EXPECT_EQ(dialog->DisplayedIndex(), 2);
    EXPECT_EQ(Text(*dialog, CosCtl::MessageLength), "99");
}

TEST_F(CosTest, FourDigitsAreRefusedEvenWhenTheServerWouldAllowThem) {
    Limit(zax::CosMailboxMessageTime).High = 5000;
    auto dialog = Open();
    dialog->SetControlText(CosCtl::MailboxTime, "999");
    Choose(*dialog, 1);
    EXPECT_TRUE(messages.isEmpty());
    dialog->SetControlText(CosCtl::MailboxTime, "1000");
    Choose(*dialog, 2);
    EXPECT_EQ(messages, QStringList{"Invalid mailbox message time"});
}

TEST_F(CosTest, OkWritesAllSixteenInOrderWithTheEdits) {
    auto dialog = Open();
    dialog->SetControlText(CosCtl::Name, "BASIC");
    ClickButton(*dialog, CosCtl::OutboundYes);
    ClickButton(*dialog, CosCtl::Alternate);
    Choose(*dialog, 15);
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), ui::ControlId::Ok);
    const auto writes = sim->recorder().CallsOf(zax::Opnum::SetClassOfService);
    ASSERT_EQ(writes.size(), 16u);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(writes[static_cast<size_t>(i)].Arg<zax::CosRecord>(0).ClassNumber, i + 1);
    const auto& first = sim->state().classesOfService[0];
    EXPECT_EQ(zax::GetText(first.Name), "BASIC");
    EXPECT_EQ(first.OutboundTransfer, 1);
    EXPECT_EQ(first.PromptLanguage, 1);
    EXPECT_EQ(zax::GetText(sim->state().CosNames().Names[0]), "BASIC");
}

TEST_F(CosTest, AWriteTheServerRefusesStopsTheRestAndKeepsTheDialogOpen) {
    sim->FailStatus(zax::Opnum::SetClassOfService, 31033, 5);
    auto dialog = Open();
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(CallsOf(zax::Opnum::SetClassOfService), 5u);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(CosTest, AClassThatCannotBeReadIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetClassOfService, 31033, 3);
    ClassOfServiceDialog dialog(session);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel); // would hang if it were shown
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(CallsOf(zax::Opnum::GetClassOfService), 16u); // the others are still read
}

} // namespace
