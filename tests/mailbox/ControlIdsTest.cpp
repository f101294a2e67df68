// The control ids of the mailbox windows have one source of truth, the
// forms: every id a language module gives a text for is a control of the
// form, and every control that shows a text has one in every module. (The
// code asking for an id the form lacks fails the test that meets it.)

#include "MailboxTestSupport.h"

#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"
#include "mailbox/MailboxPage.h"
#include "ui/ControlAccess.h"
#include "ui/LanguageModule.h"
#include "ui/LanguageTables.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <memory>
#include <set>

using namespace mailbox;
using namespace mailboxtest;

namespace {

bool ShowsText(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) != nullptr ||
           qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QGroupBox*>(w) != nullptr;
}

struct Window {
    int templateId;
    std::unique_ptr<QWidget> widget;
};

class ControlIdsTest : public MailboxTest {
protected:
    ~ControlIdsTest() override { ui::LanguageModule::Release(); }

    std::vector<Window> Windows() {
        std::vector<Window> all;
        const auto add = [&](QWidget* w, int templateId) {
            all.push_back({templateId, std::unique_ptr<QWidget>(w)});
        };
        add(new MailboxListDialog(session), ui::DialogId::MailboxAdministration);
        add(new ClassOfServiceDialog(session), ui::DialogId::ClassOfService);
        for (auto make : {MakeGeneralPage, MakeOptionsPage, MakeOutdialPage, MakeFaxPage,
                          MakeDeliveryPage, MakeAddressPage, MakeSpeechRecPage}) {
            MailboxPage* page = make({record, session.systemInfo, cosNames, true});
            add(page, page->TemplateId());
        }
        return all;
    }

    zax::MailboxRecord record{};
    zax::CosNameTable cosNames{};
};

TEST_F(ControlIdsTest, FormsAndEveryModuleAgreeOnTheControls) {
    for (const char* module : {"", "frenchca.dll", "spanish.dll", "englishuk.dll"}) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        for (const Window& w : Windows()) {
            SCOPED_TRACE(w.templateId);
            std::set<int> formIds;
            for (const QWidget* c : w.widget->findChildren<QWidget*>()) {
                const QVariant id = c->property(ui::kCtrlIdProperty);
                if (!id.isValid())
                    continue;
                formIds.insert(id.toInt());
                if (ShowsText(c)) {
                    EXPECT_TRUE(ui::LanguageModule::HasDialogText(w.templateId, id.toInt()))
                        << "no text for control " << id.toInt();
                }
            }
            EXPECT_FALSE(formIds.empty());
            for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
                if (key.first == w.templateId && key.second != ui::ControlId::Caption) {
                    EXPECT_TRUE(formIds.count(key.second))
                        << "the module names control " << key.second << ", which the form lacks";
                }
            }
        }
    }
}

} // namespace
