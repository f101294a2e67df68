#pragma once
// What the speech recognition directory asks of the voice prompt layer:
// whether a directory entry's name is recorded, and playing it. The program
// hands the real one to RegisterSpeechCommands; tests hand a fake.

#include <functional>
#include <string>

class QWidget;

namespace zax {
struct Session;
}

namespace mailbox {

struct DirectoryVoice {
    // Whether the name of the entry (mailbox) `number` is recorded.
    std::function<bool(zax::Session& session, const std::string& number)> isRecorded;
    // Plays it; shows its own failures.
    std::function<void(zax::Session& session, QWidget* owner, const std::string& number)> play;
};

} // namespace mailbox
