// The message each status of a voice operation shows.

#include "prompts/PromptsIds.h"
#include "prompts/VoiceItem.h"

#include "ui/LanguageModule.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include <array>

namespace prompts {
namespace {

struct StatusText {
    std::uint32_t status;
    int stringId;
};

// Statuses with a message of their own; the seconds of the two length
// messages are filled in by ReportError. Every other status, the server's
// and the transport's included, shows the unexpected-error text with its code.
constexpr std::array<StatusText, 19> kTexts = {{
    {VoiceError::TooShort, PromptString::TooShort},
    {VoiceError::TooLong, PromptString::TooLong},
    {VoiceError::TempFileFailed, PromptString::TempFileFailed},
    {5004, PromptString::TempFileFailed},
    {VoiceError::UnsupportedFormat, PromptString::NotConvertible},
    {VoiceError::FileStatusFailed, PromptString::FileStatusFailed},
    {5006, PromptString::FileStatusFailed},
    {VoiceError::CopyFailed, PromptString::CopyFailed},
    {VoiceError::PlayerNotStarted, PromptString::PlayerNotStarted},
    {VoiceError::RecorderNotStarted, PromptString::RecorderNotStarted},
    {VoiceError::EditorNotStarted, PromptString::EditorNotStarted},
    {VoiceError::SoundNotPlayed, PromptString::SoundNotPlayed},
    {VoiceError::TempNotWritable, PromptString::TempNotWritable},
    {VoiceError::TempWriteFailed, PromptString::TempWriteFailed},
    {VoiceError::TempNotReadable, PromptString::TempNotReadable},
    {5000, PromptString::InputNotOpened},
    {5001, PromptString::OutputNotOpened},
    {5002, PromptString::InputNotRead},
    {5003, PromptString::OutputNotWritten},
}};

QString MessageFor(std::uint32_t status, const VoiceItem& item) {
    using ui::LanguageModule;
    if (status == 5005)
        return LanguageModule::String(PromptString::NoMemory);
    for (const StatusText& t : kTexts) {
        if (t.status != status)
            continue;
        QString text = LanguageModule::String(t.stringId);
        if (status == VoiceError::TooShort)
            text.replace(QStringLiteral("%1"), QString::number(item.MinimumSeconds()));
        if (status == VoiceError::TooLong)
            text.replace(QStringLiteral("%1"), QString::number(item.MaximumSeconds()));
        return text;
    }
    return LanguageModule::String(PromptString::UnexpectedVoiceError)
        .replace(QStringLiteral("%1"), QString::number(status));
}

} // namespace

void VoiceItem::ReportError(std::uint32_t status) const {
    ui::Hooks().standardBox(ui::LanguageModule::String(ui::StringId::ProgramTitle),
                            MessageFor(status, *this), ui::StandardBoxIcon::None);
}

} // namespace prompts
