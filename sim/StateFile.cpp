#include "StateFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zaxsim {

namespace {

// Layout: magic, version, body length, CRC-32 of the body, body; numbers
// little-endian, records field by field without padding.
constexpr std::array<uint8_t, 8> kMagic = {'Z', 'A', 'X', 'S', 'T', 'A', 'T', 'E'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 8 + 4 + 4 + 4;

// Bounds that keep a damaged count from turning into a huge allocation.
constexpr uint32_t kMaxText = 1u << 24;
constexpr uint32_t kMaxBlob = 1u << 28;
constexpr uint64_t kMaxFile = 1ull << 31;

[[noreturn]] void Malformed(const std::string& what) {
    throw std::runtime_error("state file malformed: " + what);
}

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
constexpr auto kCrcTable = MakeCrcTable();

template <class T>
concept Visitable = requires(T& t) {
    VisitFields(t, [](auto&) {});
};

// ---- reading ------------------------------------------------------------------

class Reader {
public:
    explicit Reader(std::span<const uint8_t> data) : data_(data) {}

    uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    uint16_t U16() {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    uint32_t U32() {
        const uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }
    void Bytes(void* p, size_t n) {
        Need(n);
        if (n)
            std::memcpy(p, data_.data() + pos_, n);
        pos_ += n;
    }
    // A count of elements that each take at least `minBytes` in the file:
    // it cannot claim more elements than the bytes left could hold.
    size_t Count(size_t minBytes, uint32_t limit, const char* what) {
        const uint32_t n = U32();
        if (n > limit || (minBytes && n > remaining() / minBytes))
            Malformed(std::string("count of ") + what + " exceeds the data present");
        return n;
    }
    size_t remaining() const { return data_.size() - pos_; }

private:
    void Need(size_t n) const {
        if (n > remaining())
            Malformed("truncated");
    }
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

void Get(Reader& r, uint8_t& v) {
    v = r.U8();
}
void Get(Reader& r, char& v) {
    v = static_cast<char>(r.U8());
}
void Get(Reader& r, int16_t& v) {
    v = static_cast<int16_t>(r.U16());
}
void Get(Reader& r, int32_t& v) {
    v = static_cast<int32_t>(r.U32());
}
void Get(Reader& r, std::string& s) {
    s.resize(r.Count(1, kMaxText, "text bytes"));
    r.Bytes(s.data(), s.size());
}
void Get(Reader& r, Blob& b) {
    b.resize(r.Count(1, kMaxBlob, "recording bytes"));
    r.Bytes(b.data(), b.size());
}
template <Visitable R> void Get(Reader& r, R& rec);
template <class T, size_t N> void Get(Reader& r, T (&a)[N]) {
    for (auto& e : a)
        Get(r, e);
}
template <Visitable R> void Get(Reader& r, R& rec) {
    VisitFields(rec, [&r](auto& field) { Get(r, field); });
}

template <class T> T Read(Reader& r) {
    T v{};
    Get(r, v);
    return v;
}

// A map whose values carry their own key: keyed from the values, so key and
// record cannot disagree.
template <class V, class KeyOf>
void GetKeyed(Reader& r, std::map<std::string, V>& m, KeyOf keyOf, const char* what) {
    const size_t n = r.Count(sizeof(V) / 2, kMaxText, what);
    for (size_t i = 0; i < n; ++i) {
        V v = Read<V>(r);
        if (!m.emplace(keyOf(v), v).second)
            Malformed(std::string("duplicate ") + what + " \"" + keyOf(v) + "\"");
    }
}

// ---- the sections, in file order ----------------------------------------------------

// One byte of mailbox flags. Files written before the password flag existed
// carry only bit 0 and read as every password being the default.
constexpr uint8_t kMailboxInitialized = 1;
constexpr uint8_t kMailboxPasswordChanged = 2;

void Get(Reader& r, Mailbox& m) {
    Get(r, m.record);
    const uint8_t flags = r.U8();
    if (flags & ~(kMailboxInitialized | kMailboxPasswordChanged))
        Malformed("mailbox flags");
    m.initialized = (flags & kMailboxInitialized) != 0;
    m.passwordChanged = (flags & kMailboxPasswordChanged) != 0;
}

void Get(Reader& r, GroupList& g) {
    Get(r, g.header);
    g.members.resize(r.Count(sizeof(zax::GroupListRecord) / 2, kMaxText, "group members"));
    for (auto& m : g.members)
        Get(r, m);
}

void Get(Reader& r, std::map<PromptKey, Blob>& prompts) {
    const size_t n = r.Count(8, kMaxText, "prompts");
    for (size_t i = 0; i < n; ++i) {
        PromptKey key{};
        Get(r, key.table);
        Get(r, key.kind);
        if (!prompts.emplace(key, Read<Blob>(r)).second)
            Malformed("duplicate prompt");
    }
}

// `minBytes`: the smallest a key and its value can be in the file.
template <class K, class V>
void GetMap(Reader& r, std::map<K, V>& m, size_t minBytes, const char* what) {
    const size_t n = r.Count(minBytes, kMaxText, what);
    for (size_t i = 0; i < n; ++i) {
        K k = Read<K>(r);
        if (!m.emplace(k, Read<V>(r)).second)
            Malformed(std::string("duplicate key in ") + what);
    }
}

void GetStrings(Reader& r, std::set<std::string>& s, const char* what) {
    const size_t n = r.Count(4, kMaxText, what);
    for (size_t i = 0; i < n; ++i)
        if (!s.insert(Read<std::string>(r)).second)
            Malformed(std::string("duplicate entry in ") + what);
}

template <class T, size_t N> void GetFixed(Reader& r, std::array<T, N>& a, const char* what) {
    if (r.U32() != N)
        Malformed(std::string("wrong number of ") + what);
    for (auto& e : a)
        Get(r, e);
}

SimState GetBody(Reader& r) {
    using zax::GetText;
    SimState s;
    Get(r, s.systemInfo);
    Get(r, s.capacity);
    Get(r, s.vpimAvailable);
    GetKeyed(
        r, s.mailboxes, [](const Mailbox& m) { return GetText(m.record.Number); }, "mailbox");
    GetKeyed(
        r, s.groupLists, [](const GroupList& g) { return GetText(g.header.ListNumber); },
        "group list");
    GetKeyed(
        r, s.clid, [](const zax::ClidEntry& e) { return GetText(e.PhoneNumber); }, "CLID entry");
    GetFixed(r, s.greetingTables, "greeting tables");
    const size_t trees = r.Count(6, zax::CcrTreeCount, "CCR trees");
    for (size_t i = 0; i < trees; ++i) {
        const auto tree = Read<int16_t>(r);
        GetStrings(r, s.ccrTrees[tree], "CCR tree paths");
    }
    if (s.ccrTrees.size() != trees)
        Malformed("duplicate CCR tree");
    s.lines.resize(r.Count(sizeof(zax::LineEntry), kMaxText, "lines"));
    for (auto& l : s.lines)
        Get(r, l);
    Get(r, s.attendant);
    GetFixed(r, s.classesOfService, "classes of service");
    Get(r, s.fax);
    Get(r, s.systemParameters);
    Get(r, s.operatorSettings);
    Get(r, s.dialing);
    Get(r, s.voice);
    Get(r, s.voiceDialing);
    GetMap(r, s.translations, 8, "dialing translations");
    GetStrings(r, s.centrexRestrictions, "Centrex restrictions");
    Get(r, s.blockingPeriods);
    Get(r, s.network);
    GetKeyed(
        r, s.sites, [](const zax::NetworkSite& n) { return GetText(n.SitePrefix); },
        "network site");
    GetMap(r, s.reports, 6, "reports");
    Get(r, s.aaPrompts);
    Get(r, s.srPrompts);
    GetMap(r, s.nameRecordings, 8, "recorded names");
    return s;
}

} // namespace

SimState DecodeStateFile(std::span<const uint8_t> file) {
    if (file.size() < kHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), file.begin()))
        Malformed("not a simulator state file");
    Reader header(file.subspan(kMagic.size(), kHeaderSize - kMagic.size()));
    const uint32_t version = header.U32();
    const uint32_t length = header.U32();
    const uint32_t crc = header.U32();
    if (version != kVersion)
        Malformed("unsupported version " + std::to_string(version));
    if (length != file.size() - kHeaderSize)
        Malformed("length differs from the file size (truncated or extended)");
    const auto body = file.subspan(kHeaderSize);
    if (StateFileChecksum(body) != crc)
        Malformed("checksum mismatch");
    Reader r(body);
    SimState state = GetBody(r);
    if (r.remaining() != 0)
        Malformed("data after the last section");
    // The format kept no mark of the server's own mailboxes: they were told
    // by their names.
    for (auto& [number, m] : state.mailboxes)
        m.systemMailbox = IsSystemMailboxName(zax::GetText(m.record.Name));
    ValidateState(state);
    return state;
}

SimState ReadStateFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open state file " + path.string());
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::streamoff>(in.tellg());
    if (size < 0 || static_cast<uint64_t>(size) > kMaxFile)
        throw std::runtime_error("cannot read state file " + path.string());
    in.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw std::runtime_error("cannot read state file " + path.string());
    return DecodeStateFile(bytes);
}

uint32_t StateFileChecksum(std::span<const uint8_t> body) {
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : body)
        c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace zaxsim
