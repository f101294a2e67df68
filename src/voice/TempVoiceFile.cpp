#include "voice/TempVoiceFile.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace voice {

TempVoiceFile::TempVoiceFile() {
    const char* dir = std::getenv("TMPDIR");
    std::string name = (dir != nullptr && *dir != '\0') ? dir : "/tmp";
    if (name.back() != '/')
        name += '/';
    name += "AMWXXXXXX";
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = mkstemp(buf.data());
    if (fd < 0)
        return;
    close(fd);
    path_ = buf.data();
}

TempVoiceFile::~TempVoiceFile() {
    if (Created())
        unlink(path_.c_str());
}

} // namespace voice
