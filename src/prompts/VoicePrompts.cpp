#include "prompts/VoicePrompts.h"

#include "prompts/VoiceDialog.h"
#include "prompts/VoiceItems.h"

#include "server/RetryProxy.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"

#include <array>
#include <memory>

namespace prompts {
namespace {

struct Caption {
    VoicePrompt::Family family;
    std::int16_t kind;
    int stringId;
};
constexpr std::array<Caption, 6> kCaptions = {{
    {VoicePrompt::Family::AutoAttendant, 0, ui::StringId::PrimaryAaPrompt},
    {VoicePrompt::Family::AutoAttendant, 1, ui::StringId::AlternateAaPrompt},
    {VoicePrompt::Family::SpeechRecognition, 0, ui::StringId::MainPrompt},
    {VoicePrompt::Family::SpeechRecognition, 1, ui::StringId::RepeatPrompt},
    {VoicePrompt::Family::SpeechRecognition, 2, ui::StringId::DeclinePrompt},
    {VoicePrompt::Family::SpeechRecognition, 3, ui::StringId::ConfirmPrompt},
}};

std::unique_ptr<VoiceItem> MakeItem(const VoicePrompt& p, const zax::VoiceParameters* parameters,
                                    VoiceContext context) {
    if (p.family == VoicePrompt::Family::AutoAttendant)
        return std::make_unique<AaPromptItem>(parameters, p.table,
                                              static_cast<zax::AaPromptKind>(p.kind), context);
    return std::make_unique<SrPromptItem>(parameters, p.table,
                                          static_cast<zax::SrPromptKind>(p.kind), context);
}

} // namespace

VoicePrompt AaPrompt(std::uint8_t table, zax::AaPromptKind kind) {
    return {VoicePrompt::Family::AutoAttendant, table, static_cast<std::int16_t>(kind)};
}

VoicePrompt SrPrompt(std::uint8_t table, zax::SrPromptKind kind) {
    return {VoicePrompt::Family::SpeechRecognition, table, static_cast<std::int16_t>(kind)};
}

int CaptionOf(const VoicePrompt& prompt) {
    for (const Caption& c : kCaptions)
        if (c.family == prompt.family && c.kind == prompt.kind)
            return c.stringId;
    return ui::StringId::PrimaryAaPrompt;
}

namespace {
// The voice parameters, or the status that kept them away (shown already).
std::uint32_t ReadVoiceParameters(VoiceContext context, zax::VoiceParameters& parameters) {
    zax::RetryProxy& proxy = context.proxy != nullptr ? *context.proxy : zax::TheRetryProxy();
    const std::uint32_t status = proxy.GetVoiceParameters(parameters);
    if (status != 0)
        ui::ShowUnexpectedError(static_cast<std::int32_t>(status));
    return status;
}
} // namespace

std::optional<zax::VoiceParameters> FetchVoiceParameters(VoiceContext context) {
    zax::VoiceParameters parameters{};
    if (ReadVoiceParameters(context, parameters) != 0)
        return std::nullopt;
    return parameters;
}

bool EditVoicePrompt(const VoicePrompt& prompt, QWidget* parent, VoiceContext context) {
    const std::optional<zax::VoiceParameters> parameters = FetchVoiceParameters(context);
    if (!parameters)
        return false;
    const std::unique_ptr<VoiceItem> item = MakeItem(prompt, &*parameters, context);
    {
        VoiceDialog dialog(*item, CaptionOf(prompt), parent);
        dialog.DoModal();
    }
    return item->IsRecorded() != 0;
}

std::uint32_t PlayDirectoryName(const std::string& number, VoiceContext context) {
    zax::VoiceParameters parameters{};
    if (const std::uint32_t status = ReadVoiceParameters(context, parameters); status != 0)
        return status;
    NameVoiceItem item(&parameters, number, std::nullopt, context);
    const std::uint32_t status = item.PlayInternally();
    if (status != 0)
        ui::ShowUnexpectedError(static_cast<std::int32_t>(status));
    return status;
}

bool IsDirectoryNameRecorded(const std::string& number, VoiceContext context) {
    NameVoiceItem item(nullptr, number, std::nullopt, context);
    return item.IsRecorded() != 0;
}

} // namespace prompts
