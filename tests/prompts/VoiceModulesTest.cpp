// The Voice dialog's form and the four language modules agree on its
// controls, no two of its texts claim one access key, and every module has
// the voice operations' messages.

#include "PromptTestSupport.h"

#include "ControlIdCheck.h"
#include "prompts/PromptsIds.h"
#include "prompts/VoiceDialog.h"
#include "prompts/VoiceItems.h"
#include "ui/LanguageModule.h"
#include "ui/LanguageTables.h"
#include "ui/StringIds.h"

#include <map>

using namespace prompttest;

namespace {

constexpr const char* kModules[] = {"", "frenchca.dll", "spanish.dll", "englishuk.dll"};

class VoiceModulesTest : public PromptTest {
protected:
    ~VoiceModulesTest() override { ui::LanguageModule::Release(); }
    zax::VoiceParameters parameters = sim->state().voice;
};

TEST_F(VoiceModulesTest, FormAndEveryModuleAgreeOnTheControls) {
    prompts::AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> windows;
        windows.push_back({ui::DialogId::Voice, std::make_unique<prompts::VoiceDialog>(
                                                    item, ui::StringId::PrimaryAaPrompt)});
        return windows;
    });
}

TEST_F(VoiceModulesTest, EveryModuleHasTheMessagesAndNoSharedAccessKeys) {
    for (const char* module : kModules) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        for (const int id : prompts::PromptString::kAll)
            EXPECT_TRUE(ui::LanguageModule::HasString(id)) << id;
        // The two texts with a number to fill in keep their place for it.
        for (const int id : {prompts::PromptString::TooShort, prompts::PromptString::TooLong,
                             prompts::PromptString::UnexpectedVoiceError})
            EXPECT_TRUE(ui::LanguageModule::String(id).contains("%1")) << id;
        std::map<QChar, int> owner;
        for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
            if (key.first != ui::DialogId::Voice || key.second == ui::ControlId::Caption)
                continue;
            for (qsizetype i = 0; i + 1 < text.size(); ++i) {
                if (text[i] != '&' || text[i + 1] == '&')
                    continue;
                const auto [it, fresh] = owner.emplace(text[i + 1].toLower(), key.second);
                EXPECT_TRUE(fresh) << "controls " << it->second << " and " << key.second;
                break;
            }
        }
    }
}

} // namespace
