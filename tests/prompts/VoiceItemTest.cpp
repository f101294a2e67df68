// The voice items against the in-process server: chunking both ways, what an
// interrupted upload leaves, the byte-for-byte copy, the record and edit
// question loop, the sound programs, and the messages of the statuses.

#include "PromptTestSupport.h"

#include "prompts/PromptsIds.h"
#include "prompts/VoiceItems.h"
#include "server/Catalogue.h"

#include <QFile>

using namespace prompttest;
using prompts::AaPromptItem;
using prompts::NameVoiceItem;
using prompts::SrPromptItem;
using prompts::UploadAnswer;
using voice::VoiceFileFormat;
namespace Op = zax::Opnum;

namespace {

class VoiceItemTest : public PromptTest {
protected:
    // The demo server holds OKI; table 2's primary prompt is not recorded.
    AaPromptItem Table2Primary() {
        return AaPromptItem(&parameters, 2, zax::AaPromptKind::Primary, Context());
    }
    const Blob& StoredTable2Primary() { return sim->state().aaPrompts.at({2, 0}); }
    std::vector<std::int32_t> WrittenChunkSizes(std::uint16_t op = Op::WriteAaPrompt) const {
        std::vector<std::int32_t> sizes;
        for (const auto& call : sim->recorder().CallsOf(op))
            sizes.push_back(call.Arg<std::int32_t>(1));
        return sizes;
    }
    std::vector<std::int32_t> Commits(std::uint16_t op = Op::CloseAaPrompt) const {
        std::vector<std::int32_t> flags;
        for (const auto& call : sim->recorder().CallsOf(op))
            flags.push_back(call.Arg<std::int32_t>(1));
        return flags;
    }
    QString Q(const std::filesystem::path& p) const { return QString::fromStdString(p.string()); }

    zax::VoiceParameters parameters = sim->state().voice;
};

TEST_F(VoiceItemTest, UploadsInChunksOfAtMost10240AndEndsAWholeFileWithAnEmptyOne) {
    struct Case {
        std::size_t bytes;
        std::vector<std::int32_t> chunks;
    };
    const Case cases[] = {
        {0, {0}},
        {1, {1}},
        {10240, {10240, 0}},
        {20481, {10240, 10240, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        sim->recorder().Clear();
        Blob data(c.bytes);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(i * 13);
        WriteFile(File("in.oki"), data);
        AaPromptItem item = Table2Primary();
        ASSERT_EQ(item.Upload(Q(File("in.oki")), VoiceFileFormat::RawOki), 0u);
        EXPECT_EQ(WrittenChunkSizes(), c.chunks);
        EXPECT_EQ(Commits(), std::vector<std::int32_t>{1});
        if (c.bytes == 0) // nothing recorded is what an empty file leaves
            EXPECT_FALSE(sim->state().aaPrompts.contains({2, 0}));
        else
            EXPECT_EQ(StoredTable2Primary(), data); // the server's own format: a plain copy
    }
    EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(VoiceItemTest, DownloadsWholeChunksFollowedByAnEmptyOneAndCopiesItsOwnFormat) {
    for (const std::size_t k : {1u, 3u}) {
        const Blob stored(10240 * k, static_cast<std::uint8_t>(k));
        sim->state().srPrompts[{3, 1}] = stored;
        sim->recorder().Clear();
        SrPromptItem item(&parameters, 3, zax::SrPromptKind::Repeat, Context());
        ASSERT_EQ(item.Download(Q(File("out.oki")), VoiceFileFormat::RawOki), 0u);
        EXPECT_EQ(ReadFile(File("out.oki")), stored);
        const auto reads = sim->recorder().CallsOf(Op::ReadSrPrompt);
        EXPECT_EQ(reads.size(), k + 1);
        for (const auto& r : reads)
            EXPECT_EQ(r.Arg<std::int32_t>(1), 10240);
        EXPECT_EQ(Commits(Op::CloseSrPrompt), std::vector<std::int32_t>{0});
        // The 32-bit value sent with speech-recognition prompts is 0.
        EXPECT_EQ(sim->recorder().CallsOf(Op::OpenSrPrompt).at(0).Arg<std::int32_t>(3), 0);
    }
    EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(VoiceItemTest, AWaveGoesUpAndComesBackThroughTheServerFormat) {
    for (const std::int32_t format : {1, 2}) {
        SCOPED_TRACE(format);
        parameters.ServerVoiceFormat = format;
        const auto tone = Glide(2.0);
        WriteWave(File("tone.wav"), tone);
        AaPromptItem item = Table2Primary();
        ASSERT_EQ(item.Upload(Q(File("tone.wav")), VoiceFileFormat::Wave), 0u);
        // OKI holds 4000 bytes a second, SBC 2250.
        EXPECT_NEAR(static_cast<double>(StoredTable2Primary().size()),
                    format == 1 ? 8000.0 : 4500.0, 100);
        ASSERT_EQ(item.Download(Q(File("back.wav")), VoiceFileFormat::Wave), 0u);
        EXPECT_GT(SnrDb(tone, WaveSamples(File("back.wav"))), format == 1 ? 12.0 : 8.0);
    }
    EXPECT_TRUE(LeftOver().isEmpty());
}

// A transport failure of one chunk write, three times in a row so that the
// proxy gives up, at each chunk index: the previous recording stays whole, the
// transfer is closed with commit 0, and no temporary file is left.
TEST_F(VoiceItemTest, AnUploadInterruptedAtAnyChunkLeavesThePreviousRecording) {
    const Blob previous(12345, 0x5A);
    Blob data(10240 * 3 + 100);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i);
    WriteFile(File("new.oki"), data);
    for (std::uint32_t chunk = 1; chunk <= 4; ++chunk) {
        SCOPED_TRACE(chunk);
        Use(zaxsim::MakeDemoState());
        zax::RetryProxy fresh(sim->server());
        sim->state().aaPrompts[{2, 0}] = previous;
        for (std::uint32_t attempt = 0; attempt < zax::RetryProxy::RetryCount; ++attempt)
            sim->FailTransport(Op::WriteAaPrompt, 1726, chunk + attempt);
        AaPromptItem item(&parameters, 2, zax::AaPromptKind::Primary, {&fresh, &settings});
        EXPECT_EQ(item.Upload(Q(File("new.oki")), VoiceFileFormat::RawOki), 1726u);
        EXPECT_EQ(sim->state().aaPrompts.at({2, 0}), previous);
        EXPECT_EQ(Commits(), std::vector<std::int32_t>{0});
        EXPECT_EQ(sim->model().handles().size(), 0u);
        EXPECT_TRUE(LeftOver().isEmpty());
    }
}

// A chunk write that failed before it ran is sent again, once: the recording
// is neither short of that chunk nor holds it twice.
TEST_F(VoiceItemTest, AChunkThatDidNotRunIsRepeatedAndStoredOnce) {
    Blob data(10240 * 2 + 7);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 5);
    WriteFile(File("new.oki"), data);
    sim->FailTransport(Op::WriteAaPrompt, 1726, 2);
    AaPromptItem item = Table2Primary();
    ASSERT_EQ(item.Upload(Q(File("new.oki")), VoiceFileFormat::RawOki), 0u);
    EXPECT_EQ(StoredTable2Primary(), data);
    EXPECT_EQ(sim->recorder().Count(Op::WriteAaPrompt), 4u);
}

TEST_F(VoiceItemTest, FailuresBeforeTheTransferLeaveTheServerUntouched) {
    const Blob previous = sim->state().aaPrompts.at({1, 0});
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    // No such file, a wave that is no wave, a format the server lacks.
    EXPECT_EQ(item.Upload(Q(File("missing.wav")), VoiceFileFormat::Wave), 5000u);
    WriteFile(File("bad.wav"), Blob{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
    EXPECT_EQ(item.Upload(Q(File("bad.wav")), VoiceFileFormat::Wave), 5002u);
    zax::VoiceParameters odd = parameters;
    odd.ServerVoiceFormat = 9;
    AaPromptItem oddItem(&odd, 1, zax::AaPromptKind::Primary, Context());
    EXPECT_EQ(oddItem.Upload(Q(File("bad.wav")), VoiceFileFormat::Wave), 65005u);
    EXPECT_EQ(sim->recorder().Count(Op::OpenAaPrompt), 0u);
    // A download into a directory that does not exist.
    EXPECT_EQ(item.Download(Q(File("no/such/dir.wav")), VoiceFileFormat::Wave), 5001u);
    EXPECT_EQ(sim->state().aaPrompts.at({1, 0}), previous);
    EXPECT_TRUE(LeftOver().isEmpty());
}

// A refused commit is a failed upload, not a success.
TEST_F(VoiceItemTest, ARefusedCommitIsReported) {
    WriteFile(File("in.oki"), Blob(100, 1));
    sim->FailStatus(Op::CloseAaPrompt, 31035, 1);
    AaPromptItem item = Table2Primary();
    EXPECT_EQ(item.Upload(Q(File("in.oki")), VoiceFileFormat::RawOki), 31035u);
}

TEST_F(VoiceItemTest, ANameIsHeldToItsClassOfServiceLimits) {
    // 4000 bytes a second: between 2 and 3 seconds.
    const prompts::NameVoiceLimits limits{2, 3};
    NameVoiceItem item(&parameters, "2003", limits, Context());
    for (const auto& [bytes, status] : std::vector<std::pair<std::size_t, std::uint32_t>>{
             {7999, 65007}, {8000, 0}, {12000, 0}, {12001, 65008}}) {
        WriteFile(File("name.oki"), Blob(bytes, 3));
        EXPECT_EQ(item.Upload(Q(File("name.oki")), VoiceFileFormat::RawOki), status) << bytes;
    }
    item.ReportError(65007);
    item.ReportError(65008);
    EXPECT_EQ(boxes.at(0), "The voice file is too short according to the mailbox class of "
                           "service. It must be longer than 2 second(s).");
    EXPECT_EQ(boxes.at(1), "The voice file is too long according to the mailbox class of "
                           "service. It must be shorter than 3 second(s).");
    // Without limits anything goes.
    NameVoiceItem free(&parameters, "2003", std::nullopt, Context());
    WriteFile(File("name.oki"), Blob(1, 3));
    EXPECT_EQ(free.Upload(Q(File("name.oki")), VoiceFileFormat::RawOki), 0u);
}

TEST_F(VoiceItemTest, EveryStatusShowsItsMessage) {
    AaPromptItem item = Table2Primary();
    const std::pair<std::uint32_t, const char*> cases[] = {
        {65003, "A voice conversion error has occurred. A temporary file could not be created."},
        {5004, "A voice conversion error has occurred. A temporary file could not be created."},
        {65005, "The voice file could not be converted from the format specified to the server "
                "format."},
        {5006, "A voice conversion error has occurred. A file status could not be checked."},
        {65012, "The voice recorder application could not be started."},
        {65014, "The sound could not be played."},
        {65017, "A voice conversion error has occurred. A temporary file could not be opened for "
                "reading."},
        {5005, "A voice conversion error has occurred. No memory could be allocated for use."},
        {1726, "An unexpected voice conversion error has occurred.\n\nThe errorcode is 1726."},
        {31012, "An unexpected voice conversion error has occurred.\n\nThe errorcode is 31012."},
    };
    for (const auto& [status, text] : cases) {
        boxes.clear();
        item.ReportError(status);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].toStdString(), text) << status;
    }
}

TEST_F(VoiceItemTest, AFailedQueryIsShownAndCountsAsNotRecorded) {
    sim->FailStatus(Op::QueryAaPrompt, 31033);
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    EXPECT_EQ(item.IsRecorded(), 0);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "An unexpected server or network error has occurred.\n\nThe errorcode "
                        "is 31033.");
    // The transport's failures, too, once the proxy has tried three times.
    boxes.clear();
    sim->FailTransport(Op::QueryNameVoice, 1726);
    NameVoiceItem name(nullptr, "2001", std::nullopt, Context());
    EXPECT_EQ(name.IsRecorded(), 0);
    EXPECT_EQ(sim->recorder().Count(Op::QueryNameVoice), 3u);
    EXPECT_TRUE(boxes.at(0).endsWith("1726."));
    EXPECT_FALSE(endedWith);
}

// ---- the sound programs -------------------------------------------------------------------

TEST_F(VoiceItemTest, PlaysTheRecordingAsAWaveHereOrInThePlayer) {
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    ASSERT_EQ(item.PlayInternally(), 0u);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].size(), 46 + 4 * sim->state().aaPrompts.at({1, 0}).size());
    playWorks = false;
    EXPECT_EQ(item.PlayInternally(), 65014u);

    ASSERT_EQ(item.PlayExternally(), 0u);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].size(), 2);
    EXPECT_EQ(started[0][0], "player");
    EXPECT_TRUE(QFileInfo(started[0][1]).fileName().startsWith("AMW"));
    program = [](const QStringList&) { return -1; };
    EXPECT_EQ(item.PlayExternally(), 65011u);
    EXPECT_TRUE(LeftOver().isEmpty());

    // Nothing recorded: the server's answer, nothing played.
    AaPromptItem none = Table2Primary();
    played.clear();
    EXPECT_EQ(none.PlayInternally(), 31012u);
    EXPECT_TRUE(played.empty());
}

// Cancel runs the recorder again on the same file; a failed upload is shown
// and the recorder runs again; only No or a successful upload end the loop.
TEST_F(VoiceItemTest, RecordingAsksUntilUploadedOrDeclined) {
    const double takes[] = {0.7, 0.5, 2.0}; // seconds
    std::size_t runs = 0;
    program = [&](const QStringList& command) {
        // The recorder writes a different take each time into the file it was given.
        WriteWave(command.back().toStdString(), Glide(takes[runs++ % 3]));
        return 0;
    };
    parameters.BytesPerSecond = 4000;
    NameVoiceItem item(&parameters, "2003", prompts::NameVoiceLimits{1, 10}, Context());
    answers = {UploadAnswer::Cancel, UploadAnswer::Yes, UploadAnswer::Yes};
    // The second take is half a second: too short for the class of service.
    ASSERT_EQ(item.Record(), 0u);
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0][0], "recorder");
    EXPECT_EQ(started[0][1], "--quiet");
    EXPECT_EQ(started[0][2], started[1][2]);
    EXPECT_EQ(started[1][2], started[2][2]);
    EXPECT_EQ(boxes, QStringList{"The voice file is too short according to the mailbox class of "
                                 "service. It must be longer than 1 second(s)."});
    EXPECT_EQ(questions.size(), 3);
    EXPECT_EQ(questions[0], "Would you like to upload the recorded voice file?");
    // The third take (two seconds) is what the server holds.
    EXPECT_NEAR(static_cast<double>(sim->state().nameRecordings.at("2003").size()), 8000, 50);

    started.clear();
    answers = {UploadAnswer::No};
    const Blob before = sim->state().nameRecordings.at("2003");
    ASSERT_EQ(item.Record(), 0u);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(sim->state().nameRecordings.at("2003"), before);

    program = [](const QStringList&) { return -1; };
    EXPECT_EQ(item.Record(), 65012u);
    EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(VoiceItemTest, EditingStartsFromTheServersRecording) {
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    std::size_t seen = 0;
    program = [&](const QStringList& command) {
        EXPECT_EQ(command[0], "editor");
        seen = WaveSamples(command[1].toStdString()).size();
        WriteWave(command[1].toStdString(), Glide(1.0)); // the edit
        return 0;
    };
    answers = {UploadAnswer::Yes};
    const std::size_t stored = sim->state().aaPrompts.at({1, 0}).size();
    ASSERT_EQ(item.Edit(), 0u);
    EXPECT_EQ(seen, 2 * stored);
    EXPECT_EQ(questions, QStringList{"Would you like to upload the edited voice file?"});
    EXPECT_EQ(sim->state().aaPrompts.at({1, 0}).size(), 4000u);

    // Nothing to edit: the download's failure, and the editor never runs.
    started.clear();
    AaPromptItem none = Table2Primary();
    EXPECT_EQ(none.Edit(), 31012u);
    EXPECT_TRUE(started.empty());
    program = [](const QStringList&) { return -1; };
    EXPECT_EQ(item.Edit(), 65013u);
    EXPECT_TRUE(LeftOver().isEmpty());
}

} // namespace
