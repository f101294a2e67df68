// The simulated server's recordings: transfers in chunks, commit and
// rollback, the recorded flags of the greeting tables, limits, the server's
// format, and persistence.

#include "SimVoice.h"
#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "SimRecordings.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include "dcerpc/RpcError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zaxsim {
namespace {

constexpr int32_t kRead = 4;
constexpr int32_t kWrite = 5;

Blob Bytes(size_t n, uint8_t seed) {
    Blob b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

zax::Chars<8> Key(const char* number) {
    zax::Chars<8> k{};
    std::copy_n(number, std::strlen(number), k.begin());
    return k;
}

// Uploads `data` as a prompt of table 2 in chunks of `chunk`, closing with `commit`.
uint32_t UploadAa(SimConnection& c, int32_t kind, const Blob& data, size_t chunk, int32_t commit) {
    zax::TransferHandle h;
    if (uint32_t s = c.OpenAaPrompt(h, 2, kind, kWrite); s != 0)
        return s;
    for (size_t at = 0; at <= data.size(); at += chunk) {
        const size_t n = std::min(chunk, data.size() - at);
        if (uint32_t s = c.WriteAaPrompt(h, static_cast<int32_t>(n),
                                         std::span<const uint8_t>(data.data() + at, n));
            s != 0)
            return s;
        if (n < chunk)
            break;
    }
    return c.CloseAaPrompt(h, commit);
}

Blob DownloadAa(SimConnection& c, uint8_t table, int32_t kind, uint32_t* status = nullptr) {
    zax::TransferHandle h;
    Blob out;
    const uint32_t s = c.OpenAaPrompt(h, table, kind, kRead);
    if (status)
        *status = s;
    if (s != 0)
        return out;
    Blob chunk(10240);
    for (;;) {
        int32_t length = 0;
        EXPECT_EQ(c.ReadAaPrompt(h, 10240, length, chunk), 0u);
        out.insert(out.end(), chunk.begin(), chunk.begin() + length);
        if (length < 10240)
            break;
    }
    EXPECT_EQ(c.CloseAaPrompt(h, 0), 0u);
    return out;
}

int32_t QueryAa(SimConnection& c, uint8_t table, int32_t kind) {
    int32_t recorded = -1;
    EXPECT_EQ(c.QueryAaPrompt(table, kind, recorded), 0u);
    return recorded;
}

TEST(SimVoice, AnUploadReplacesThePromptOnlyWhenCommitted) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    EXPECT_EQ(QueryAa(c, 2, 1), 0);
    EXPECT_EQ(model.state().greetingTables[1].AlternateAaPromptRecorded, 0);

    const Blob first = Bytes(25000, 3);
    ASSERT_EQ(UploadAa(c, 1, first, 10240, 1), 0u);
    EXPECT_EQ(QueryAa(c, 2, 1), 1);
    EXPECT_EQ(model.state().greetingTables[1].AlternateAaPromptRecorded, 1);
    EXPECT_EQ(DownloadAa(c, 2, 1), first);

    // Rolled back, or abandoned with the connection: the first stays.
    ASSERT_EQ(UploadAa(c, 1, Bytes(5000, 9), 10240, 0), 0u);
    EXPECT_EQ(DownloadAa(c, 2, 1), first);
    {
        SimConnection lost(model, 2);
        zax::TransferHandle h;
        ASSERT_EQ(lost.OpenAaPrompt(h, 2, 1, kWrite), 0u);
        const Blob part = Bytes(10240, 1);
        ASSERT_EQ(lost.WriteAaPrompt(h, 10240, part), 0u);
    }
    EXPECT_EQ(DownloadAa(c, 2, 1), first);
    EXPECT_EQ(model.handles().size(), 0u);

    // A committed empty upload leaves nothing recorded.
    ASSERT_EQ(UploadAa(c, 1, {}, 10240, 1), 0u);
    EXPECT_EQ(QueryAa(c, 2, 1), 0);
    EXPECT_EQ(model.state().greetingTables[1].AlternateAaPromptRecorded, 0);
    uint32_t status = 0;
    DownloadAa(c, 2, 1, &status);
    EXPECT_EQ(status, StatusNoEntry);
}

TEST(SimVoice, ChunksAreReadAsTheyWereWritten) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    // Whole chunks, a ragged end, and chunks of odd sizes.
    for (const size_t size : {size_t{10240} * 3, size_t{10241}, size_t{1}})
        for (const size_t chunk : {size_t{10240}, size_t{777}}) {
            const Blob data = Bytes(size, static_cast<uint8_t>(size + chunk));
            ASSERT_EQ(UploadAa(c, 0, data, chunk, 1), 0u);
            EXPECT_EQ(DownloadAa(c, 2, 0), data) << size << " in chunks of " << chunk;
        }
}

TEST(SimVoice, RefusesWhatNoServerWouldTake) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    zax::TransferHandle h;
    int32_t recorded = 0;
    EXPECT_EQ(c.QueryAaPrompt(0, 0, recorded), StatusInvalidRecord);
    EXPECT_EQ(c.QueryAaPrompt(5, 0, recorded), StatusInvalidRecord);
    EXPECT_EQ(c.QueryAaPrompt(1, 2, recorded), StatusInvalidRecord);
    EXPECT_EQ(c.QuerySrPrompt(1, 4, 0, recorded), StatusInvalidRecord);
    EXPECT_EQ(c.OpenAaPrompt(h, 1, 0, 3), StatusInvalidRecord);
    EXPECT_EQ(c.OpenNameVoice(h, Key("7777"), kWrite), StatusNoEntry);
    EXPECT_EQ(model.handles().size(), 0u);

    // Reading from an upload, writing to a download, a chunk over 10240.
    ASSERT_EQ(c.OpenAaPrompt(h, 1, 0, kWrite), 0u);
    Blob big(10241);
    int32_t length = 0;
    EXPECT_EQ(c.ReadAaPrompt(h, 100, length, big), StatusInvalidRecord);
    EXPECT_EQ(c.WriteAaPrompt(h, 10241, big), StatusInvalidRecord);
    EXPECT_EQ(c.CloseAaPrompt(h, 0), 0u);
    ASSERT_EQ(c.OpenAaPrompt(h, 1, 0, kRead), 0u);
    EXPECT_EQ(c.WriteAaPrompt(h, 1, std::span<const uint8_t>(big.data(), 1)), StatusInvalidRecord);
    // A handle of another family, and one already closed.
    EXPECT_THROW(c.CloseSrPrompt(h, 0), dcerpc::RpcError);
    const zax::TransferHandle closed = h;
    EXPECT_EQ(c.CloseAaPrompt(h, 0), 0u);
    zax::TransferHandle stale = closed;
    EXPECT_THROW(c.ReadAaPrompt(stale, 10, length, big), dcerpc::RpcError);
}

TEST(SimVoice, AnUploadLongerThanTheServerTakesIsRefusedAndChangesNothing) {
    SimState s = MakeDemoState();
    s.voice.Reserved40 = 2; // seconds
    SimModel model(std::move(s));
    SimConnection c(model, 1);
    const Blob before = DownloadAa(c, 1, 0);
    EXPECT_EQ(UploadAa(c, 0, Bytes(2 * OkiBytesPerSecond + 1, 0), 10240, 1), StatusInvalidRecord);
    // The client closes a failed upload with commit 0.
    EXPECT_EQ(DownloadAa(c, 1, 0), before);
    EXPECT_EQ(UploadAa(c, 0, Bytes(2 * OkiBytesPerSecond, 0), 10240, 1), 0u);
}

TEST(SimVoice, NamesAndSpeechPromptsAreKeptApart) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    int32_t recorded = 0;
    ASSERT_EQ(c.QueryNameVoice(Key("2001"), recorded), 0u);
    EXPECT_EQ(recorded, 1);
    ASSERT_EQ(c.QueryNameVoice(Key("2003"), recorded), 0u);
    EXPECT_EQ(recorded, 0);

    zax::TransferHandle h;
    ASSERT_EQ(c.OpenNameVoice(h, Key("2003"), kWrite), 0u);
    const Blob name = Bytes(4000, 5);
    ASSERT_EQ(c.WriteNameVoice(h, 4000, name), 0u);
    ASSERT_EQ(c.CloseNameVoice(h, 1), 0u);
    EXPECT_EQ(model.state().nameRecordings.at("2003"), name);

    ASSERT_EQ(c.OpenSrPrompt(h, 3, 2, 0, kWrite), 0u);
    ASSERT_EQ(c.WriteSrPrompt(h, 4000, name), 0u);
    ASSERT_EQ(c.CloseSrPrompt(h, 1), 0u);
    ASSERT_EQ(c.QuerySrPrompt(3, 2, 0, recorded), 0u);
    EXPECT_EQ(recorded, 1);
    EXPECT_EQ(model.state().greetingTables[2].DeclinePromptRecorded, 1);
    EXPECT_EQ(model.state().greetingTables[2].ConfirmPromptRecorded, 0);
    ASSERT_EQ(c.QueryAaPrompt(3, 0, recorded), 0u);
    EXPECT_EQ(recorded, 0);
}

TEST(SimVoice, RecordingsAndTheirFlagsSurviveARestart) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    const Blob prompt = Bytes(30000, 8);
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection c(model, 1);
        ASSERT_EQ(UploadAa(c, 1, prompt, 10240, 1), 0u);
        ASSERT_EQ(ChangeServerVoiceFormat(model, FormatSbc), 0u);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    SimModel model(StateDatabase::Open(file));
    EXPECT_EQ(model.state().voice.ServerVoiceFormat, FormatSbc);
    EXPECT_EQ(model.state().voice.BytesPerSecond, SbcBytesPerSecond);
    EXPECT_EQ(model.state().greetingTables[1].AlternateAaPromptRecorded, 1);
    // Re-coded: 30000 OKI bytes are 7.5 s, about 16900 bytes of SBC.
    const Blob& sbc = model.state().aaPrompts.at({2, 1});
    EXPECT_EQ(sbc.size() % 72, 0u);
    EXPECT_NEAR(static_cast<double>(sbc.size()), 7.5 * SbcBytesPerSecond, 300);
}

TEST(SimVoice, ACommitTheDatabaseRefusesLeavesTheOldRecording) {
    const Blob prompt = Bytes(12000, 4);
    test::ExpectChangeRolledBackWhenRefused(
        "INSERT ON aa_prompts", [&](SimConnection& c) { return UploadAa(c, 0, prompt, 10240, 1); });
}

// The demo recordings sound like speech: voiced stretches with pauses, at a
// level that is heard, in the format the server reports.
TEST(SimVoice, DemoRecordingsAreSpeechLike) {
    const SimState s = MakeDemoState();
    ASSERT_EQ(s.voice.ServerVoiceFormat, FormatOki);
    const std::vector<int16_t> pcm = DecodeRecording(s.aaPrompts.at({1, 0}), FormatOki);
    ASSERT_NEAR(static_cast<double>(pcm.size()), 3.5 * 8000, 16);
    size_t loud = 0, quiet = 0;
    for (size_t at = 0; at + 160 <= pcm.size(); at += 160) { // 20 ms windows
        double energy = 0;
        for (size_t i = at; i < at + 160; ++i)
            energy += double(pcm[i]) * pcm[i];
        const double rms = std::sqrt(energy / 160);
        loud += rms > 2500;
        quiet += rms < 1000; // OKI's idle pattern alone is about 650
    }
    EXPECT_GT(loud, 40u);
    EXPECT_GT(quiet, 10u);
    // The same sound in SBC decodes to about as many samples.
    const Blob sbc = EncodeRecording(pcm, FormatSbc);
    EXPECT_NEAR(static_cast<double>(DecodeRecording(sbc, FormatSbc).size()),
                static_cast<double>(pcm.size()), 512);
    EXPECT_TRUE(EncodeRecording(pcm, 7).empty());
}

} // namespace
} // namespace zaxsim
