#pragma once
// One recording on the server and what the administrator does with it:
// upload a local file, download into one, play it here or in the sound
// player, record or edit it in the sound programs. Each kind of recording
// (VoiceItems.h) binds the item to its own family of five procedures; every
// call goes through the retry proxy. An item lives for one use.

#include "server/Records.h"
#include "voice/VoiceTypes.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class QComboBox;

namespace core {
struct ClientSettings;
}
namespace zax {
class RetryProxy;
}

namespace prompts {

inline constexpr int32_t kOpenForReading = 4;
inline constexpr int32_t kOpenForWriting = 5;
inline constexpr int32_t kChunkBytes = 10240;

// What the item needs from around it; the defaults are the process-wide ones.
struct VoiceContext {
    zax::RetryProxy* proxy = nullptr;               // null: zax::TheRetryProxy()
    const core::ClientSettings* settings = nullptr; // null: core::GetClientSettings()
};

class VoiceItem {
public:
    // `parameters` may be null for an item that is only asked IsRecorded;
    // every transfer needs them for the server's format.
    VoiceItem(const zax::VoiceParameters* parameters, VoiceContext context);
    virtual ~VoiceItem();
    VoiceItem(const VoiceItem&) = delete;
    VoiceItem& operator=(const VoiceItem&) = delete;

    // The family of five, per kind of recording. Statuses are the server's,
    // or the RPC status of a call that failed in transport.
    virtual std::uint32_t Open(std::int32_t mode) = 0;
    virtual std::uint32_t ReadChunk(std::int32_t max, std::int32_t& length,
                                    std::span<std::uint8_t> bytes) = 0;
    virtual std::uint32_t WriteChunk(std::span<const std::uint8_t> bytes) = 0;
    virtual std::uint32_t Close(std::int32_t commit) = 0;
    // Non-zero when the server holds a recording; a failed query is shown
    // with ShowUnexpectedError and answers 0.
    virtual std::int32_t IsRecorded() = 0;

    virtual std::int32_t MinimumSeconds() const { return 0; }
    virtual std::int32_t MaximumSeconds() const { return 0; }
    virtual bool IsTooShort(std::uint64_t) const { return false; }
    virtual bool IsTooLong(std::uint64_t) const { return false; }

    // Each returns 0 or the status of the first failure; none shows a message.
    std::uint32_t Upload(const QString& path, voice::VoiceFileFormat format);
    std::uint32_t Download(const QString& path, voice::VoiceFileFormat format);
    std::uint32_t PlayInternally();
    std::uint32_t PlayExternally();
    // Record and Edit ask whether to upload after each run of the program and
    // report a failed upload themselves before running it again.
    std::uint32_t Record();
    std::uint32_t Edit();

    QString FileFilter() const;
    static void FillFormatList(QComboBox* list);
    // By the file's extension (wav, oki, sbc, any case); any other clears the selection.
    static void SelectFormatByExtension(QComboBox* list, const QString& extension);
    static std::optional<voice::VoiceFileFormat> FormatFromList(const QComboBox* list);

    // Shows the message for a status in the platform's standard box.
    void ReportError(std::uint32_t status) const;

protected:
    zax::RetryProxy& Proxy() const { return *proxy_; }
    const zax::VoiceParameters* Parameters() const { return parameters_; }
    // Shows a failed query's status and turns it into "not recorded".
    static std::int32_t RecordedAnswer(std::uint32_t status, std::int32_t recorded);

private:
    std::uint32_t Receive(const std::string& path);
    std::uint32_t Send(const std::string& path);
    std::uint32_t RunProgram(const std::string& program, const std::string& file,
                             std::uint32_t notStarted);
    // Runs `program` on the wave until the administrator has uploaded it or
    // said No.
    std::uint32_t ProgramLoop(const std::string& wave, const std::string& program,
                              std::uint32_t notStarted, int question);

    zax::RetryProxy* proxy_;
    const core::ClientSettings* settings_;
    const zax::VoiceParameters* parameters_;
};

} // namespace prompts
