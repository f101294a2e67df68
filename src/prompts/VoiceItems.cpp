#include "prompts/VoiceItems.h"

#include "server/RetryProxy.h"

#include <algorithm>
#include <cstring>

namespace prompts {

// ---- auto-attendant prompts ------------------------------------------------------------

AaPromptItem::AaPromptItem(const zax::VoiceParameters* parameters, std::uint8_t table,
                           zax::AaPromptKind kind, VoiceContext context)
    : VoiceItem(parameters, context), table_(table), kind_(static_cast<std::int32_t>(kind)) {}

std::uint32_t AaPromptItem::Open(std::int32_t mode) {
    return Proxy().OpenAaPrompt(handle_, table_, kind_, mode);
}
std::uint32_t AaPromptItem::ReadChunk(std::int32_t max, std::int32_t& length,
                                      std::span<std::uint8_t> bytes) {
    return Proxy().ReadAaPrompt(handle_, max, length, bytes);
}
std::uint32_t AaPromptItem::WriteChunk(std::span<const std::uint8_t> bytes) {
    return Proxy().WriteAaPrompt(handle_, static_cast<std::int32_t>(bytes.size()), bytes);
}
std::uint32_t AaPromptItem::Close(std::int32_t commit) {
    return Proxy().CloseAaPrompt(handle_, commit);
}
std::int32_t AaPromptItem::IsRecorded() {
    std::int32_t recorded = 0;
    const std::uint32_t status = Proxy().QueryAaPrompt(table_, kind_, recorded);
    return RecordedAnswer(status, recorded);
}

// ---- speech-recognition prompts --------------------------------------------------------
// The 32-bit value sent with each of these is always 0.

SrPromptItem::SrPromptItem(const zax::VoiceParameters* parameters, std::uint8_t table,
                           zax::SrPromptKind kind, VoiceContext context)
    : VoiceItem(parameters, context), table_(table), kind_(static_cast<std::int16_t>(kind)) {}

std::uint32_t SrPromptItem::Open(std::int32_t mode) {
    return Proxy().OpenSrPrompt(handle_, table_, kind_, 0, mode);
}
std::uint32_t SrPromptItem::ReadChunk(std::int32_t max, std::int32_t& length,
                                      std::span<std::uint8_t> bytes) {
    return Proxy().ReadSrPrompt(handle_, max, length, bytes);
}
std::uint32_t SrPromptItem::WriteChunk(std::span<const std::uint8_t> bytes) {
    return Proxy().WriteSrPrompt(handle_, static_cast<std::int32_t>(bytes.size()), bytes);
}
std::uint32_t SrPromptItem::Close(std::int32_t commit) {
    return Proxy().CloseSrPrompt(handle_, commit);
}
std::int32_t SrPromptItem::IsRecorded() {
    std::int32_t recorded = 0;
    const std::uint32_t status = Proxy().QuerySrPrompt(table_, kind_, 0, recorded);
    return RecordedAnswer(status, recorded);
}

// ---- recorded names --------------------------------------------------------------------

NameVoiceItem::NameVoiceItem(const zax::VoiceParameters* parameters, const std::string& number,
                             std::optional<NameVoiceLimits> limits, VoiceContext context)
    : VoiceItem(parameters, context), limits_(limits) {
    // The entry's number, NUL-terminated in its fixed field; a longer one is cut to fit.
    std::memcpy(key_.data(), number.data(), std::min(number.size(), key_.size() - 1));
}

std::uint32_t NameVoiceItem::Open(std::int32_t mode) {
    return Proxy().OpenNameVoice(handle_, key_, mode);
}
std::uint32_t NameVoiceItem::ReadChunk(std::int32_t max, std::int32_t& length,
                                       std::span<std::uint8_t> bytes) {
    return Proxy().ReadNameVoice(handle_, max, length, bytes);
}
std::uint32_t NameVoiceItem::WriteChunk(std::span<const std::uint8_t> bytes) {
    return Proxy().WriteNameVoice(handle_, static_cast<std::int32_t>(bytes.size()), bytes);
}
std::uint32_t NameVoiceItem::Close(std::int32_t commit) {
    return Proxy().CloseNameVoice(handle_, commit);
}
std::int32_t NameVoiceItem::IsRecorded() {
    std::int32_t recorded = 0;
    const std::uint32_t status = Proxy().QueryNameVoice(key_, recorded);
    return RecordedAnswer(status, recorded);
}

std::int32_t NameVoiceItem::MinimumSeconds() const {
    return limits_ ? limits_->minimumSeconds : 0;
}
std::int32_t NameVoiceItem::MaximumSeconds() const {
    return limits_ ? limits_->maximumSeconds : 0;
}

// The limits count the server format's bytes per second.
bool NameVoiceItem::IsTooShort(std::uint64_t fileBytes) const {
    if (!limits_ || Parameters() == nullptr)
        return false;
    const auto rate = static_cast<std::int64_t>(Parameters()->BytesPerSecond);
    return static_cast<std::int64_t>(fileBytes) < rate * limits_->minimumSeconds;
}
bool NameVoiceItem::IsTooLong(std::uint64_t fileBytes) const {
    if (!limits_ || Parameters() == nullptr)
        return false;
    const auto rate = static_cast<std::int64_t>(Parameters()->BytesPerSecond);
    return static_cast<std::int64_t>(fileBytes) > rate * limits_->maximumSeconds;
}

} // namespace prompts
