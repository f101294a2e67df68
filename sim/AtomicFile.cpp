#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zaxsim {

namespace {

[[noreturn]] void Failed(const std::string& what, int error) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

// Closes and removes the temporary file unless it was renamed into place.
class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target) {
        const auto dir = target.has_parent_path() ? target.parent_path() : ".";
        // Appended piece by piece: GCC 12 at -O3 warns falsely about "." + string.
        std::string hidden = ".";
        hidden += target.filename().string();
        hidden += ".XXXXXX";
        name_ = (dir / hidden).string();
        fd_ = ::mkstemp(name_.data());
        if (fd_ < 0)
            Failed("cannot create a temporary file beside " + target.string(), errno);
    }
    ~TempFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(name_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                Failed("cannot write " + name_, n < 0 ? errno : EIO);
            bytes = bytes.subspan(static_cast<size_t>(n));
        }
    }
    void CommitAs(const std::filesystem::path& target) {
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0)
            ::fchmod(fd_, old.st_mode & 07777); // keep the permissions the file had
        if (::fsync(fd_) != 0)
            Failed("cannot flush " + name_, errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            Failed("cannot close " + name_, errno);
        if (::rename(name_.c_str(), target.c_str()) != 0)
            Failed("cannot replace " + target.string(), errno);
        committed_ = true;
    }

private:
    std::string name_;
    int fd_ = -1;
    bool committed_ = false;
};

// Makes the rename itself durable. The new file is already in place, so a
// failure here is not worth failing the save for.
void SyncDirectory(const std::filesystem::path& target) {
    const auto dir = target.has_parent_path() ? target.parent_path() : ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    TempFile temp(path);
    temp.Write(bytes);
    temp.CommitAs(path);
    SyncDirectory(path);
}

} // namespace zaxsim
