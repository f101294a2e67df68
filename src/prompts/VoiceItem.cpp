#include "prompts/VoiceItem.h"

#include "prompts/PromptHooks.h"
#include "prompts/PromptsIds.h"

#include "core/ClientSettings.h"
#include "dcerpc/RpcError.h"
#include "server/RetryProxy.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"
#include "ui/WaitCursor.h"
#include "voice/TempVoiceFile.h"
#include "voice/VoiceConversion.h"
#include "voice/WaveFile.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace prompts {
namespace {

using voice::VoiceFileFormat;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::uint32_t Code(voice::VoiceStatus s) {
    return voice::StatusCode(s);
}

// The formats in the lists: their names are the string-table ids.
constexpr std::array<VoiceFileFormat, 3> kFormats = {VoiceFileFormat::Wave, VoiceFileFormat::RawOki,
                                                     VoiceFileFormat::RawSbc};

struct Extension {
    const char* name;
    VoiceFileFormat format;
};
constexpr std::array<Extension, 3> kExtensions = {{
    {"WAV", VoiceFileFormat::Wave},
    {"OKI", VoiceFileFormat::RawOki},
    {"SBC", VoiceFileFormat::RawSbc},
}};

} // namespace

VoiceItem::VoiceItem(const zax::VoiceParameters* parameters, VoiceContext context)
    : proxy_(context.proxy != nullptr ? context.proxy : &zax::TheRetryProxy()),
      settings_(context.settings != nullptr ? context.settings : &core::GetClientSettings()),
      parameters_(parameters) {}

VoiceItem::~VoiceItem() = default;

std::int32_t VoiceItem::RecordedAnswer(std::uint32_t status, std::int32_t recorded) {
    if (status != 0) {
        ui::ShowUnexpectedError(static_cast<std::int32_t>(status));
        return 0;
    }
    return recorded;
}

// ---- moving a file to and from the server ---------------------------------------------

std::uint32_t VoiceItem::Receive(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return VoiceError::TempNotWritable;
    std::uint32_t status = Open(kOpenForReading);
    if (status != 0)
        return status;
    std::vector<std::uint8_t> chunk(kChunkBytes);
    for (;;) {
        std::int32_t length = 0;
        status = ReadChunk(kChunkBytes, length, chunk);
        if (status != 0)
            break;
        // The reply's length must fit what was asked for.
        if (length < 0 || length > kChunkBytes) {
            status = dcerpc::RpcStatus::ProtocolError;
            break;
        }
        const auto n = static_cast<std::size_t>(length);
        if (n != 0 && std::fwrite(chunk.data(), 1, n, file.get()) != n) {
            status = VoiceError::TempWriteFailed;
            break;
        }
        if (length < kChunkBytes)
            break;
    }
    Close(0); // reading changes nothing on the server
    if (std::fclose(file.release()) != 0 && status == 0)
        status = VoiceError::TempWriteFailed;
    return status;
}

std::uint32_t VoiceItem::Send(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return VoiceError::TempNotReadable;
    std::uint32_t status = Open(kOpenForWriting);
    if (status != 0)
        return status;
    std::vector<std::uint8_t> chunk(kChunkBytes);
    for (;;) {
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (n < chunk.size() && std::ferror(file.get())) {
            status = VoiceError::TempNotReadable;
            break;
        }
        // The last chunk may be empty: a file of whole chunks ends with one.
        status = WriteChunk(std::span<const std::uint8_t>(chunk.data(), n));
        if (status != 0 || n < chunk.size())
            break;
    }
    if (status != 0) {
        Close(0); // the server keeps the recording it had
        return status;
    }
    // Only the committing close makes the recording the server's; its
    // refusal is a failure like any other.
    return Close(1);
}

std::uint32_t VoiceItem::Upload(const QString& path, VoiceFileFormat format) {
    if (parameters_ == nullptr)
        return VoiceError::UnsupportedFormat;
    const voice::TempVoiceFile serverFile;
    if (!serverFile.Created())
        return VoiceError::TempFileFailed;
    const auto serverFormat = static_cast<voice::ServerVoiceFormat>(parameters_->ServerVoiceFormat);
    const voice::VoiceStatus converted = voice::ConvertToServerFormat(
        LocalPath(path).c_str(), format, serverFormat, serverFile.Path());
    if (converted != voice::VoiceStatus::Success)
        return Code(converted);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(serverFile.Path(), ec);
    if (ec)
        return VoiceError::FileStatusFailed;
    if (IsTooShort(size))
        return VoiceError::TooShort;
    if (IsTooLong(size))
        return VoiceError::TooLong;
    return Send(serverFile.Path());
}

std::uint32_t VoiceItem::Download(const QString& path, VoiceFileFormat format) {
    if (parameters_ == nullptr)
        return VoiceError::UnsupportedFormat;
    const voice::TempVoiceFile serverFile;
    if (!serverFile.Created())
        return VoiceError::TempFileFailed;
    if (const std::uint32_t s = Receive(serverFile.Path()); s != 0)
        return s;
    const auto serverFormat = static_cast<voice::ServerVoiceFormat>(parameters_->ServerVoiceFormat);
    return Code(voice::ConvertFromServerFormat(serverFile.Path(), serverFormat, format,
                                               LocalPath(path).c_str()));
}

// ---- playing, recording, editing -------------------------------------------------------

std::uint32_t VoiceItem::PlayInternally() {
    const voice::TempVoiceFile wave;
    if (!wave.Created())
        return VoiceError::TempFileFailed;
    const ui::WaitCursor busy;
    if (const std::uint32_t s = Download(QFile::decodeName(wave.Path()), VoiceFileFormat::Wave);
        s != 0)
        return s;
    return ui::Hooks().playSound(QFile::decodeName(wave.Path())) ? 0 : VoiceError::SoundNotPlayed;
}

std::uint32_t VoiceItem::RunProgram(const std::string& program, const std::string& file,
                                    std::uint32_t notStarted) {
    // The configured program may carry its own arguments; the file is one
    // more word whatever characters its name holds. No shell is involved.
    QStringList command = QProcess::splitCommand(QString::fromStdString(program));
    if (command.isEmpty())
        return notStarted;
    command << QFile::decodeName(QByteArray::fromStdString(file));
    return ui::Hooks().startProcess(command, true) < 0 ? notStarted : 0;
}

std::uint32_t VoiceItem::PlayExternally() {
    const voice::TempVoiceFile wave;
    if (!wave.Created())
        return VoiceError::TempFileFailed;
    if (const std::uint32_t s = Download(QFile::decodeName(wave.Path()), VoiceFileFormat::Wave);
        s != 0)
        return s;
    return RunProgram(settings_->soundPlayer, wave.Path(), VoiceError::PlayerNotStarted);
}

std::uint32_t VoiceItem::ProgramLoop(const std::string& wave, const std::string& program,
                                     std::uint32_t notStarted, int question) {
    for (;;) {
        if (const std::uint32_t s = RunProgram(program, wave, notStarted); s != 0)
            return s;
        switch (Hooks().askUpload(ui::LanguageModule::String(question))) {
        case UploadAnswer::Yes:
            if (const std::uint32_t s =
                    Upload(QFile::decodeName(wave.c_str()), VoiceFileFormat::Wave);
                s != 0) {
                ReportError(s);
                break; // the program runs again on the same file
            }
            return 0;
        case UploadAnswer::No:
            return 0;
        case UploadAnswer::Cancel:
            break;
        }
    }
}

std::uint32_t VoiceItem::Record() {
    const voice::TempVoiceFile wave;
    if (!wave.Created())
        return VoiceError::TempFileFailed;
    if (const auto s = voice::CreateEmptyWave(wave.Path()); s != voice::VoiceStatus::Success)
        return Code(s);
    return ProgramLoop(wave.Path(), settings_->soundRecorder, VoiceError::RecorderNotStarted,
                       ui::StringId::UploadRecordedQuestion);
}

std::uint32_t VoiceItem::Edit() {
    const voice::TempVoiceFile wave;
    if (!wave.Created())
        return VoiceError::TempFileFailed;
    if (const std::uint32_t s = Download(QFile::decodeName(wave.Path()), VoiceFileFormat::Wave);
        s != 0)
        return s;
    return ProgramLoop(wave.Path(), settings_->soundEditor, VoiceError::EditorNotStarted,
                       PromptString::UploadEditedQuestion);
}

// ---- the format lists ------------------------------------------------------------------

QString VoiceItem::FileFilter() const {
    return ui::LanguageModule::String(ui::StringId::VoiceFileFilter);
}

void VoiceItem::FillFormatList(QComboBox* list) {
    list->clear();
    // A sorted list: the entries show in the order of their texts.
    std::vector<std::pair<QString, VoiceFileFormat>> entries;
    for (const VoiceFileFormat f : kFormats)
        entries.emplace_back(ui::LanguageModule::String(static_cast<int>(f)), f);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.first, b.first) < 0;
    });
    for (const auto& [text, format] : entries)
        list->addItem(text, static_cast<int>(format));
    list->setCurrentIndex(-1);
}

void VoiceItem::SelectFormatByExtension(QComboBox* list, const QString& extension) {
    int index = -1;
    for (const Extension& e : kExtensions)
        if (extension.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            index = list->findData(static_cast<int>(e.format));
    list->setCurrentIndex(index);
}

std::optional<VoiceFileFormat> VoiceItem::FormatFromList(const QComboBox* list) {
    if (list->currentIndex() < 0)
        return std::nullopt;
    return static_cast<VoiceFileFormat>(list->currentData().toInt());
}

} // namespace prompts
