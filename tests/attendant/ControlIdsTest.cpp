// The control ids of the operator, fax and system parameter dialogs have one
// source of truth, the forms: every id a language module gives a text for is
// a control of the form, and every control that shows a text has one in
// every module. Within one dialog, no two texts of a module claim the same
// access key.

#include "DialogTestSupport.h"

#include "attendant/FaxParametersDialog.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"
#include "ui/ControlAccess.h"
#include "ui/LanguageModule.h"
#include "ui/LanguageTables.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <map>
#include <memory>
#include <optional>
#include <set>

using namespace attendant;
using namespace dialogtest;

namespace {

bool ShowsText(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) != nullptr ||
           qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QGroupBox*>(w) != nullptr;
}

// The access key a text marks with "&", lower-cased; none for "&&" or none.
std::optional<QChar> AccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1].toLower();
        ++i;
    }
    return std::nullopt;
}

class ControlIdsTest : public DialogTest {
protected:
    ~ControlIdsTest() override { ui::LanguageModule::Release(); }

    static constexpr const char* kModules[] = {"", "frenchca.dll", "spanish.dll", "englishuk.dll"};
    static constexpr int kTemplates[] = {ui::DialogId::OperatorSettings,
                                         ui::DialogId::FaxParameters,
                                         ui::DialogId::SystemParameters};
};

TEST_F(ControlIdsTest, FormsAndEveryModuleAgreeOnTheControls) {
    for (const char* module : kModules) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        const std::unique_ptr<ui::TemplateDialog> windows[] = {
            std::make_unique<OperatorSettingsDialog>(session),
            std::make_unique<FaxParametersDialog>(session),
            std::make_unique<SystemParametersDialog>(session),
        };
        for (const auto& w : windows) {
            SCOPED_TRACE(w->TemplateId());
            std::set<int> formIds;
            for (const QWidget* c : w->findChildren<QWidget*>()) {
                const QVariant id = c->property(ui::kCtrlIdProperty);
                if (!id.isValid())
                    continue;
                formIds.insert(id.toInt());
                if (ShowsText(c)) {
                    EXPECT_TRUE(ui::LanguageModule::HasDialogText(w->TemplateId(), id.toInt()))
                        << "no text for control " << id.toInt();
                }
            }
            EXPECT_FALSE(formIds.empty());
            for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
                if (key.first == w->TemplateId() && key.second != ui::ControlId::Caption) {
                    EXPECT_TRUE(formIds.count(key.second))
                        << "the module names control " << key.second << ", which the form lacks";
                }
            }
        }
    }
}

TEST_F(ControlIdsTest, NoTwoTextsOfADialogShareAnAccessKey) {
    for (const char* module : kModules) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        for (int templateId : kTemplates) {
            SCOPED_TRACE(templateId);
            std::map<QChar, int> owner;
            for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
                if (key.first != templateId || key.second == ui::ControlId::Caption)
                    continue;
                if (const auto letter = AccessKey(text)) {
                    const auto [it, fresh] = owner.emplace(*letter, key.second);
                    EXPECT_TRUE(fresh) << "controls " << it->second << " and " << key.second
                                       << " both use " << QString(*letter).toStdString();
                }
            }
        }
    }
}

} // namespace
