#pragma once
// The entry points other features use: the greeting tables' prompt buttons
// (EditVoicePrompt) and the speech-recognition directory's recorded names
// (PlayDirectoryName, IsDirectoryNameRecorded).

#include "prompts/VoiceItem.h"
#include "server/Records.h"

#include <cstdint>
#include <optional>
#include <string>

class QWidget;

namespace prompts {

// One greeting table's prompt: an auto-attendant prompt (kind 0 primary,
// 1 alternate) or a speech-recognition prompt (0 main, 1 repeat, 2 decline,
// 3 confirm).
struct VoicePrompt {
    enum class Family { AutoAttendant, SpeechRecognition };
    Family family = Family::AutoAttendant;
    std::uint8_t table = 1;
    std::int16_t kind = 0;
};
VoicePrompt AaPrompt(std::uint8_t table, zax::AaPromptKind kind);
VoicePrompt SrPrompt(std::uint8_t table, zax::SrPromptKind kind);

// The Voice dialog's caption for the prompt ("Primary AA prompt", "Main prompt", ...).
int CaptionOf(const VoicePrompt& prompt);

// Reads the server's voice parameters; a failure is shown with
// ShowUnexpectedError and gives nothing.
std::optional<zax::VoiceParameters> FetchVoiceParameters(VoiceContext context = {});

// Runs the Voice dialog on the prompt with its caption and answers whether the
// prompt is recorded afterwards (the page then shows "RECORDED"). When the
// voice parameters cannot be read the dialog does not open and the answer is
// false.
bool EditVoicePrompt(const VoicePrompt& prompt, QWidget* parent = nullptr,
                     VoiceContext context = {});

// Plays the directory entry's recorded name here; a failure is shown with
// ShowUnexpectedError. Returns the status.
std::uint32_t PlayDirectoryName(const std::string& number, VoiceContext context = {});

// Whether the directory entry's name is recorded (a failed query is shown and
// counts as not recorded).
bool IsDirectoryNameRecorded(const std::string& number, VoiceContext context = {});

} // namespace prompts
