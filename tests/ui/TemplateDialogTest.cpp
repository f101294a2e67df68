#include "SampleDialog.h"

#include "dcerpc/RpcError.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/SortedListBox.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"
#include "ui/WaitCursor.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ui;

namespace {

class TemplateDialogTest : public ::testing::Test {
protected:
    TemplateDialogTest() {
        Hooks().messageBox = [this](const QString& text, int) {
            messages << text;
            return kAnswerOk;
        };
        Hooks().showHelp = [this](int context) { help = context; };
    }
    ~TemplateDialogTest() override { LanguageModule::Release(); }

    ScopedHooks hooks;
    QStringList messages;
    int help = 0;
};

TEST_F(TemplateDialogTest, TextsComeFromTheActiveModule) {
    struct Case {
        const char* module;
        const char* caption;
        const char* group;
        const char* cancel;
    };
    const Case cases[] = {{nullptr, "Language", "ZAX Manager Language", "Cancel"},
                          {"frenchca.dll", "Langue", "Langue du Gestionnaire ZAX", "Annuler"}};
    for (const auto& c : cases) {
        if (c.module != nullptr) {
            ASSERT_TRUE(LanguageModule::Load(c.module));
        }
        SampleDialog dialog;
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), c.caption);
        EXPECT_EQ(dialog.ControlAs<QGroupBox>(LanguageCtl::Group)->title(), c.group);
        EXPECT_EQ(dialog.ControlText(ControlId::Cancel), c.cancel);
        EXPECT_EQ(dialog.ControlText(LanguageCtl::French), "&Français");
    }
}

TEST_F(TemplateDialogTest, ExchangeLoadsOnOpeningAndSavesOnOk) {
    SampleDialog dialog;
    dialog.selection = 3;
    dialog.seconds = 9 * 3600 + 5 * 60;
    dialog.show();
    EXPECT_TRUE(dialog.IsChecked(LanguageCtl::EnglishUk));
    // Time edits use the active module's AM/PM texts.
    EXPECT_EQ(dialog.ControlText(SampleDialog::kTimeCtl), "09:05 AM");

    dialog.SetChecked(LanguageCtl::Spanish, true);
    dialog.SetControlText(SampleDialog::kTimeCtl, "11:59 PM");
    dialog.ControlAs<QPushButton>(ControlId::Ok)->click();
    EXPECT_EQ(dialog.result(), ControlId::Ok);
    EXPECT_EQ(dialog.selection, 2);
    EXPECT_EQ(dialog.seconds, 86340);
}

TEST_F(TemplateDialogTest, NoSelectionAndUnreadableTime) {
    SampleDialog dialog;
    dialog.selection = -1; // an unknown language code selects no radio
    dialog.show();
    for (int id : {LanguageCtl::EnglishUs, LanguageCtl::French, LanguageCtl::EnglishAus}) {
        EXPECT_FALSE(dialog.IsChecked(id));
    }
    dialog.SetControlText(SampleDialog::kTimeCtl, "9h30");
    dialog.activateWindow();
    EXPECT_TRUE(dialog.UpdateData(true)); // the exchange itself does not fail
    EXPECT_EQ(dialog.seconds, -1);
    EXPECT_EQ(dialog.selection, -1);
    EXPECT_EQ(messages, QStringList{"Invalid time"});
}

// Ends itself while it opens, as a dialog does that finds nothing to show.
class EndsWhileOpening : public SampleDialog {
protected:
    bool OnInitDialog() override {
        EndDialog(ControlId::Cancel);
        return false;
    }
};

// Reads nothing it can show: the load fails.
class CannotLoad : public SampleDialog {
public:
    bool shown = false;

protected:
    bool Load() override { return false; }
    void showEvent(QShowEvent* event) override {
        shown = true;
        SampleDialog::showEvent(event);
    }
};

TEST_F(TemplateDialogTest, ADialogThatEndsWhileOpeningReturnsAtOnce) {
    EndsWhileOpening dialog;
    bool hung = false;
    // Were the modal loop still waiting, this would be the only way out.
    QTimer::singleShot(3000, &dialog, [&] {
        hung = true;
        dialog.EndDialog(ControlId::Ok);
    });
    EXPECT_EQ(dialog.DoModal(), ControlId::Cancel);
    EXPECT_FALSE(hung);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TemplateDialogTest, RunShowsNothingWhenTheLoadFails) {
    CannotLoad dialog;
    EXPECT_EQ(dialog.Run(), ControlId::Cancel);
    EXPECT_FALSE(dialog.shown);
}

// Its reading loses the connection.
class LosesTheConnection : public SampleDialog {
public:
    using SampleDialog::SampleDialog;

protected:
    bool Load() override {
        return CallServer([]() -> std::uint16_t {
                   throw dcerpc::RpcError(dcerpc::RpcStatus::CallFailed, "connection lost");
               })
            .Succeeded();
    }
};

TEST_F(TemplateDialogTest, AWindowOpenedFromAnotherEndsItsOwnerWhenTheProgramIsEnding) {
    Hooks().endProgram = [](int) {};
    SampleDialog owner;
    int nested = 0;
    QTimer::singleShot(0, &owner, [&] {
        SampleDialog cancelled(&owner);
        QTimer::singleShot(0, &cancelled, [&] { cancelled.EndDialog(ControlId::Cancel); });
        cancelled.Run();
        EXPECT_TRUE(owner.isVisible()); // a plain Cancel leaves the owner open
        nested = LosesTheConnection(&owner).Run();
    });
    bool hung = false;
    QTimer::singleShot(3000, &owner, [&] {
        hung = true;
        owner.EndDialog(ControlId::Ok);
    });
    EXPECT_EQ(owner.Run(), ControlId::Cancel);
    EXPECT_EQ(nested, ControlId::Cancel);
    EXPECT_FALSE(hung);
    EXPECT_EQ(messages, QStringList{"Network Error - terminating ZAX Manager"});
}

TEST_F(TemplateDialogTest, CancelCloseBoxAndHelp) {
    SampleDialog dialog;
    dialog.show();
    dialog.ControlAs<QPushButton>(ControlId::Help)->click();
    EXPECT_EQ(help, 131072 + 110);
    help = 0;
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(help, 131072 + 110);
    dialog.close(); // the close box counts as Cancel
    EXPECT_EQ(dialog.result(), ControlId::Cancel);
}

TEST_F(TemplateDialogTest, DisableAndHide) {
    SampleDialog dialog;
    dialog.show();
    DisableAndHide(dialog, LanguageCtl::EnglishAus);
    EXPECT_FALSE(dialog.Control(LanguageCtl::EnglishAus)->isEnabled());
    EXPECT_FALSE(dialog.Control(LanguageCtl::EnglishAus)->isVisible());
}

TEST(SortedListBox, SortsWithoutRegardToCaseAndKeepsTabStops) {
    SortedListBox box;
    for (const char* line :
         {"20\tzeta\tVoice", "3\tAlpha\tFax", "100\tbeta\tVoice", "3\talpha\tX"}) {
        box.AddString(line);
    }
    const QStringList expected = {"100\tbeta\tVoice", "20\tzeta\tVoice", "3\tAlpha\tFax",
                                  "3\talpha\tX"};
    for (int i = 0; i < box.GetCount(); ++i) {
        EXPECT_EQ(box.GetText(i), expected[i]);
    }
    EXPECT_EQ(box.FindStringExact("3\tALPHA\tFAX"), 2);
    EXPECT_EQ(box.GetCurSel(), -1);
    box.SetCurSel(1);
    EXPECT_EQ(box.GetCurSel(), 1);
    box.DeleteString(1);
    EXPECT_EQ(box.GetCount(), 3);
    box.SetTabStops({60, 120});
    ASSERT_EQ(box.TabStopPixels().size(), 2u);
    EXPECT_LT(box.TabStopPixels()[0], box.TabStopPixels()[1]);
}

TEST(WaitCursor, RestoresThePreviousCursorEvenOnException) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        WaitCursor wait;
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
