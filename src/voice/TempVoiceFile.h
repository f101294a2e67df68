#pragma once
// A uniquely named temporary file with the "AMW" prefix in $TMPDIR (default /tmp), created on
// construction and deleted when the object goes.

#include <string>

namespace voice {

class TempVoiceFile {
public:
    TempVoiceFile();
    ~TempVoiceFile();
    TempVoiceFile(const TempVoiceFile&) = delete;
    TempVoiceFile& operator=(const TempVoiceFile&) = delete;

    bool Created() const { return !path_.empty(); }
    const char* Path() const { return path_.c_str(); }

private:
    std::string path_;
};

} // namespace voice
