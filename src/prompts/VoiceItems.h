#pragma once
// The three kinds of recording: a greeting table's auto-attendant prompt, its
// speech-recognition prompt, and a directory entry's recorded name.

#include "prompts/VoiceItem.h"
#include "server/Procedure.h"

namespace prompts {

class AaPromptItem : public VoiceItem {
public:
    AaPromptItem(const zax::VoiceParameters* parameters, std::uint8_t table, zax::AaPromptKind kind,
                 VoiceContext context = {});
    std::uint32_t Open(std::int32_t mode) override;
    std::uint32_t ReadChunk(std::int32_t max, std::int32_t& length,
                            std::span<std::uint8_t> bytes) override;
    std::uint32_t WriteChunk(std::span<const std::uint8_t> bytes) override;
    std::uint32_t Close(std::int32_t commit) override;
    std::int32_t IsRecorded() override;

private:
    std::uint8_t table_;
    std::int32_t kind_;
    zax::TransferHandle handle_{};
};

class SrPromptItem : public VoiceItem {
public:
    SrPromptItem(const zax::VoiceParameters* parameters, std::uint8_t table, zax::SrPromptKind kind,
                 VoiceContext context = {});
    std::uint32_t Open(std::int32_t mode) override;
    std::uint32_t ReadChunk(std::int32_t max, std::int32_t& length,
                            std::span<std::uint8_t> bytes) override;
    std::uint32_t WriteChunk(std::span<const std::uint8_t> bytes) override;
    std::uint32_t Close(std::int32_t commit) override;
    std::int32_t IsRecorded() override;

private:
    std::uint8_t table_;
    std::int16_t kind_;
    zax::TransferHandle handle_{};
};

// A class of service's limits on a recorded name, in seconds.
struct NameVoiceLimits {
    std::int32_t minimumSeconds = 0;
    std::int32_t maximumSeconds = 0;
};

class NameVoiceItem : public VoiceItem {
public:
    // Without limits every length is accepted.
    NameVoiceItem(const zax::VoiceParameters* parameters, const std::string& number,
                  std::optional<NameVoiceLimits> limits = std::nullopt, VoiceContext context = {});
    std::uint32_t Open(std::int32_t mode) override;
    std::uint32_t ReadChunk(std::int32_t max, std::int32_t& length,
                            std::span<std::uint8_t> bytes) override;
    std::uint32_t WriteChunk(std::span<const std::uint8_t> bytes) override;
    std::uint32_t Close(std::int32_t commit) override;
    std::int32_t IsRecorded() override;

    std::int32_t MinimumSeconds() const override;
    std::int32_t MaximumSeconds() const override;
    bool IsTooShort(std::uint64_t fileBytes) const override;
    bool IsTooLong(std::uint64_t fileBytes) const override;

private:
    zax::Chars<8> key_{};
    std::optional<NameVoiceLimits> limits_;
    zax::TransferHandle handle_{};
};

} // namespace prompts
