#pragma once
// The question the voice items ask after the sound recorder or editor has
// ended, behind a hook that tests replace (the other seams, process starts,
// sound output and file dialogs, are ui::Hooks()).

#include <QString>

#include <functional>

namespace prompts {

enum class UploadAnswer { Yes, No, Cancel };

struct PromptHooks {
    // Asks in the platform's standard box with Yes, No and Cancel and the
    // question icon; closing the box counts as Cancel.
    std::function<UploadAnswer(const QString& question)> askUpload;
};

PromptHooks& Hooks();
PromptHooks DefaultPromptHooks();

} // namespace prompts
