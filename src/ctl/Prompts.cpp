#include "ctl/Prompts.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace ctl {

namespace {

constexpr int32_t kChunk = zax::VoiceChunkSize;
// Far more than any recording (an hour of SBC is under 30 MB): a server that
// keeps sending full chunks past it is not sending a recording.
constexpr int64_t kMaxRecordingBytes = int64_t{256} << 20;

struct Transfer {
    std::function<uint32_t(int32_t& recorded)> query;
    std::function<uint32_t(zax::TransferHandle&)> open;
    std::function<uint32_t(zax::TransferHandle&, int32_t& length, std::span<uint8_t>)> read;
    std::function<uint32_t(zax::TransferHandle&)> close;
};

void Require32(uint32_t status, const std::string& what) {
    if (status != 0)
        throw std::runtime_error(what + ": status " + std::to_string(status));
}

// Reads one recording into `path` when it is recorded; true when a file was
// written. The file appears under its name only once it is complete.
bool Save(const Transfer& t, const std::filesystem::path& path, const std::string& what) {
    int32_t recorded = 0;
    Require32(t.query(recorded), "asking whether " + what + " is recorded");
    if (recorded == 0)
        return false;
    zax::TransferHandle handle{};
    Require32(t.open(handle), "opening " + what);
    std::filesystem::create_directories(path.parent_path());
    const std::filesystem::path part = path.string() + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) {
        (void)t.close(handle);
        throw std::runtime_error("cannot write " + part.string());
    }
    std::vector<uint8_t> chunk(kChunk);
    uint32_t status = 0;
    for (int64_t total = 0;;) {
        int32_t length = 0;
        status = t.read(handle, length, chunk);
        if (status != 0)
            break;
        total += length;
        if (length < 0 || length > kChunk || total > kMaxRecordingBytes) {
            status = 1728; // the reply does not fit what was asked for, or never ends
            break;
        }
        out.write(reinterpret_cast<const char*>(chunk.data()), length);
        if (length < kChunk)
            break;
    }
    (void)t.close(handle); // reading changes nothing on the server
    out.close();
    if (status != 0 || !out) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        Require32(status, "reading " + what);
        throw std::runtime_error("cannot write " + part.string());
    }
    std::filesystem::rename(part, path);
    return true;
}

struct Kind {
    int32_t code;
    const char* name;
};
constexpr Kind kAaKinds[] = {{static_cast<int32_t>(zax::AaPromptKind::Primary), "primary"},
                             {static_cast<int32_t>(zax::AaPromptKind::Alternate), "alternate"}};
constexpr Kind kSrKinds[] = {{static_cast<int32_t>(zax::SrPromptKind::Main), "main"},
                             {static_cast<int32_t>(zax::SrPromptKind::Repeat), "repeat"},
                             {static_cast<int32_t>(zax::SrPromptKind::Decline), "decline"},
                             {static_cast<int32_t>(zax::SrPromptKind::Confirm), "confirm"}};

} // namespace

size_t SavePrompts(zax::VoiceMailServer& server, const std::vector<std::string>& mailboxes,
                   const std::filesystem::path& dir, const Progress& progress) {
    zax::VoiceParameters parameters{};
    Require32(server.GetVoiceParameters(parameters), "reading the voice parameters");
    const std::string ext = parameters.ServerVoiceFormat == 2 ? ".sbc" : ".oki";
    const size_t total = mailboxes.size() + zax::GreetingTableCount * 6;
    size_t done = 0, saved = 0;
    const auto step = [&] {
        if (progress)
            progress(++done, total);
    };
    for (uint8_t table = 1; table <= zax::GreetingTableCount; ++table) {
        const std::string tableName = "table" + std::to_string(table) + "-";
        for (const Kind& k : kAaKinds) {
            saved += Save({[&](int32_t& r) { return server.QueryAaPrompt(table, k.code, r); },
                           [&](zax::TransferHandle& h) {
                               return server.OpenAaPrompt(h, table, k.code, zax::VoiceOpenRead);
                           },
                           [&](zax::TransferHandle& h, int32_t& n, std::span<uint8_t> b) {
                               return server.ReadAaPrompt(h, kChunk, n, b);
                           },
                           [&](zax::TransferHandle& h) { return server.CloseAaPrompt(h, 0); }},
                          dir / "attendant" / (tableName + k.name + ext),
                          "the " + std::string(k.name) + " prompt of greeting table " +
                              std::to_string(table));
            step();
        }
        for (const Kind& k : kSrKinds) {
            const auto kind = static_cast<int16_t>(k.code);
            saved += Save({[&](int32_t& r) { return server.QuerySrPrompt(table, kind, 0, r); },
                           [&](zax::TransferHandle& h) {
                               return server.OpenSrPrompt(h, table, kind, 0, zax::VoiceOpenRead);
                           },
                           [&](zax::TransferHandle& h, int32_t& n, std::span<uint8_t> b) {
                               return server.ReadSrPrompt(h, kChunk, n, b);
                           },
                           [&](zax::TransferHandle& h) { return server.CloseSrPrompt(h, 0); }},
                          dir / "speech" / (tableName + k.name + ext),
                          "the " + std::string(k.name) + " speech prompt of greeting table " +
                              std::to_string(table));
            step();
        }
    }
    for (const std::string& number : mailboxes) {
        // The number names a file: only what a mailbox number may hold.
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
            throw std::runtime_error("the server sent mailbox number \"" + number +
                                     "\", which cannot name a file");
        zax::Chars<zax::NameVoiceKeySize> key{};
        std::copy_n(number.begin(), std::min(number.size(), key.size() - 1), key.begin());
        saved += Save({[&](int32_t& r) { return server.QueryNameVoice(key, r); },
                       [&](zax::TransferHandle& h) {
                           return server.OpenNameVoice(h, key, zax::VoiceOpenRead);
                       },
                       [&](zax::TransferHandle& h, int32_t& n, std::span<uint8_t> b) {
                           return server.ReadNameVoice(h, kChunk, n, b);
                       },
                       [&](zax::TransferHandle& h) { return server.CloseNameVoice(h, 0); }},
                      dir / "names" / (number + ext), "the recorded name of mailbox " + number);
        step();
    }
    return saved;
}

} // namespace ctl
