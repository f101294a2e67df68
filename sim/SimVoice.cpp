// The simulated server's recordings: the voice parameters, and for each of
// the three kinds of recording (a directory entry's name, a greeting table's
// auto-attendant prompt, its speech-recognition prompt) a query, and a
// transfer opened for reading or writing, moved in chunks and closed.
//
// An upload collects its chunks in the transfer; only a close with commit 1
// replaces the stored recording, in one StateChange. A transfer closed with
// commit 0, or lost with its connection, leaves the old recording.

#include "SimVoice.h"
#include "SimConnection.h"
#include "SimRecordings.h"
#include "StateChange.h"

#include "dcerpc/RpcError.h"

#include <algorithm>
#include <cstring>

namespace zaxsim {

namespace {

constexpr int32_t kModeRead = 4;
constexpr int32_t kModeWrite = 5;
// The most one chunk carries either way.
constexpr int32_t kChunkBytes = 10240;

bool ValidTable(uint8_t table) {
    return table >= 1 && table <= zax::GreetingTableCount;
}

std::string KeyText(const zax::Chars<8>& key) {
    return std::string(key.data(), strnlen(key.data(), key.size()));
}

uint32_t Recorded(bool present, int32_t& recorded) {
    recorded = present ? 1 : 0;
    return 0;
}

std::string HandleKey(const dcerpc::ContextHandle& h) {
    return h.uuid.ToString();
}

} // namespace

// The longest recording the server takes, in bytes; 0 for no limit.
size_t LongestRecordingBytes(const zax::VoiceParameters& p) {
    if (p.Reserved40 <= 0 || p.BytesPerSecond <= 0)
        return 0;
    return static_cast<size_t>(p.Reserved40) * static_cast<size_t>(p.BytesPerSecond);
}

uint32_t SimConnection::GetVoiceParameters(zax::VoiceParameters& parameters) {
    parameters = model_.state().voice;
    return 0;
}

// ---- transfers --------------------------------------------------------------------

uint32_t SimConnection::OpenTransfer(zax::TransferHandle& handle, VoiceTransfer transfer,
                                     int32_t mode) {
    if (mode != kModeRead && mode != kModeWrite)
        return StatusInvalidRecord;
    transfer.writing = mode == kModeWrite;
    if (!transfer.writing) {
        const SimState& s = model_.state();
        const Blob* stored = nullptr;
        switch (transfer.family) {
        case RecordingFamily::Name:
            if (auto it = s.nameRecordings.find(transfer.name); it != s.nameRecordings.end())
                stored = &it->second;
            break;
        case RecordingFamily::Aa:
            if (auto it = s.aaPrompts.find(transfer.prompt); it != s.aaPrompts.end())
                stored = &it->second;
            break;
        case RecordingFamily::Sr:
            if (auto it = s.srPrompts.find(transfer.prompt); it != s.srPrompts.end())
                stored = &it->second;
            break;
        }
        if (stored == nullptr)
            return StatusNoEntry;
        transfer.data = *stored; // what later changes do not disturb
    }
    // The transfer dies with the connection's object, so its rundown has
    // nothing left to do.
    static_cast<dcerpc::ContextHandle&>(handle) =
        model_.handles().Create(association_, TransferHandleKind, [] {});
    transfers_[HandleKey(handle)] = std::move(transfer);
    return 0;
}

SimConnection::VoiceTransfer& SimConnection::LiveTransfer(const zax::TransferHandle& handle,
                                                          RecordingFamily family) {
    auto it = transfers_.find(HandleKey(handle));
    if (!model_.handles().IsLive(handle, association_, TransferHandleKind) ||
        it == transfers_.end() || it->second.family != family)
        throw dcerpc::RpcError(dcerpc::RpcStatus::InvalidHandle, "unknown transfer handle");
    return it->second;
}

uint32_t SimConnection::ReadTransfer(zax::TransferHandle& handle, RecordingFamily family,
                                     int32_t max, int32_t& length, std::span<uint8_t> bytes) {
    VoiceTransfer& t = LiveTransfer(handle, family);
    length = 0;
    if (t.writing || max < 0 || max > kChunkBytes)
        return StatusInvalidRecord;
    const size_t n = std::min({static_cast<size_t>(max), bytes.size(), t.data.size() - t.readAt});
    std::copy_n(t.data.begin() + static_cast<std::ptrdiff_t>(t.readAt), n, bytes.begin());
    t.readAt += n;
    length = static_cast<int32_t>(n);
    return 0;
}

uint32_t SimConnection::WriteTransfer(zax::TransferHandle& handle, RecordingFamily family,
                                      int32_t length, std::span<const uint8_t> bytes) {
    VoiceTransfer& t = LiveTransfer(handle, family);
    if (!t.writing || length < 0 || length > kChunkBytes ||
        static_cast<size_t>(length) != bytes.size())
        return StatusInvalidRecord;
    const size_t limit = LongestRecordingBytes(model_.state().voice);
    if (limit != 0 && t.data.size() + bytes.size() > limit)
        return StatusInvalidRecord;
    t.data.insert(t.data.end(), bytes.begin(), bytes.end());
    return 0;
}

uint32_t SimConnection::CloseTransfer(zax::TransferHandle& handle, RecordingFamily family,
                                      int32_t commit) {
    VoiceTransfer t = std::move(LiveTransfer(handle, family));
    transfers_.erase(HandleKey(handle));
    model_.handles().Destroy(handle);
    handle = zax::TransferHandle{};
    if (!t.writing || commit != 1)
        return 0;
    StateChange change(model_);
    switch (t.family) {
    case RecordingFamily::Name:
        // The mailbox may have gone while its name was being sent.
        if (model_.state().FindMailbox(t.name) == nullptr)
            return StatusNoEntry;
        change.PutNameRecording(t.name, std::move(t.data));
        break;
    case RecordingFamily::Aa:
        change.PutAaPrompt(t.prompt, std::move(t.data));
        break;
    case RecordingFamily::Sr:
        change.PutSrPrompt(t.prompt, std::move(t.data));
        break;
    }
    return change.Commit();
}

// ---- recorded names ----------------------------------------------------------------

uint32_t SimConnection::QueryNameVoice(const zax::Chars<8>& key, int32_t& recorded) {
    return Recorded(model_.state().nameRecordings.contains(KeyText(key)), recorded);
}

uint32_t SimConnection::OpenNameVoice(zax::TransferHandle& handle, const zax::Chars<8>& key,
                                      int32_t mode) {
    const std::string number = KeyText(key);
    if (model_.state().FindMailbox(number) == nullptr)
        return StatusNoEntry;
    VoiceTransfer t;
    t.family = RecordingFamily::Name;
    t.name = number;
    return OpenTransfer(handle, std::move(t), mode);
}

uint32_t SimConnection::ReadNameVoice(zax::TransferHandle& handle, int32_t max, int32_t& length,
                                      std::span<uint8_t> bytes) {
    return ReadTransfer(handle, RecordingFamily::Name, max, length, bytes);
}

uint32_t SimConnection::WriteNameVoice(zax::TransferHandle& handle, int32_t length,
                                       std::span<const uint8_t> bytes) {
    return WriteTransfer(handle, RecordingFamily::Name, length, bytes);
}

uint32_t SimConnection::CloseNameVoice(zax::TransferHandle& handle, int32_t commit) {
    return CloseTransfer(handle, RecordingFamily::Name, commit);
}

// ---- auto-attendant prompts ---------------------------------------------------------

uint32_t SimConnection::QueryAaPrompt(uint8_t table, int32_t kind, int32_t& recorded) {
    recorded = 0;
    if (!ValidTable(table) || kind < 0 || kind > 1)
        return StatusInvalidRecord;
    const PromptKey key{table, static_cast<int16_t>(kind)};
    return Recorded(model_.state().aaPrompts.contains(key), recorded);
}

uint32_t SimConnection::OpenAaPrompt(zax::TransferHandle& handle, uint8_t table, int32_t kind,
                                     int32_t mode) {
    if (!ValidTable(table) || kind < 0 || kind > 1)
        return StatusInvalidRecord;
    VoiceTransfer t;
    t.family = RecordingFamily::Aa;
    t.prompt = {table, static_cast<int16_t>(kind)};
    return OpenTransfer(handle, std::move(t), mode);
}

uint32_t SimConnection::ReadAaPrompt(zax::TransferHandle& handle, int32_t max, int32_t& length,
                                     std::span<uint8_t> bytes) {
    return ReadTransfer(handle, RecordingFamily::Aa, max, length, bytes);
}

uint32_t SimConnection::WriteAaPrompt(zax::TransferHandle& handle, int32_t length,
                                      std::span<const uint8_t> bytes) {
    return WriteTransfer(handle, RecordingFamily::Aa, length, bytes);
}

uint32_t SimConnection::CloseAaPrompt(zax::TransferHandle& handle, int32_t commit) {
    return CloseTransfer(handle, RecordingFamily::Aa, commit);
}

// ---- speech-recognition prompts -----------------------------------------------------
// The 32-bit value the client sends with these is always 0; the server ignores it.

uint32_t SimConnection::QuerySrPrompt(uint8_t table, int16_t kind, int32_t, int32_t& recorded) {
    recorded = 0;
    if (!ValidTable(table) || kind < 0 || kind > 3)
        return StatusInvalidRecord;
    return Recorded(model_.state().srPrompts.contains(PromptKey{table, kind}), recorded);
}

uint32_t SimConnection::OpenSrPrompt(zax::TransferHandle& handle, uint8_t table, int16_t kind,
                                     int32_t, int32_t mode) {
    if (!ValidTable(table) || kind < 0 || kind > 3)
        return StatusInvalidRecord;
    VoiceTransfer t;
    t.family = RecordingFamily::Sr;
    t.prompt = {table, kind};
    return OpenTransfer(handle, std::move(t), mode);
}

uint32_t SimConnection::ReadSrPrompt(zax::TransferHandle& handle, int32_t max, int32_t& length,
                                     std::span<uint8_t> bytes) {
    return ReadTransfer(handle, RecordingFamily::Sr, max, length, bytes);
}

uint32_t SimConnection::WriteSrPrompt(zax::TransferHandle& handle, int32_t length,
                                      std::span<const uint8_t> bytes) {
    return WriteTransfer(handle, RecordingFamily::Sr, length, bytes);
}

uint32_t SimConnection::CloseSrPrompt(zax::TransferHandle& handle, int32_t commit) {
    return CloseTransfer(handle, RecordingFamily::Sr, commit);
}

// ---- the server's format ------------------------------------------------------------

uint32_t ChangeServerVoiceFormat(SimModel& model, int32_t format) {
    if (BytesPerSecondOf(format) == 0)
        return StatusInvalidRecord;
    SimState converted = model.state();
    ConvertRecordings(converted, format);
    if (converted.voice.ServerVoiceFormat == model.state().voice.ServerVoiceFormat &&
        converted.voice.BytesPerSecond == model.state().voice.BytesPerSecond)
        return 0;
    StateChange change(model);
    change.PutVoiceParameters(converted.voice);
    for (auto& [key, voice] : converted.aaPrompts)
        change.PutAaPrompt(key, std::move(voice));
    for (auto& [key, voice] : converted.srPrompts)
        change.PutSrPrompt(key, std::move(voice));
    for (auto& [number, voice] : converted.nameRecordings)
        change.PutNameRecording(number, std::move(voice));
    return change.Commit();
}

} // namespace zaxsim
