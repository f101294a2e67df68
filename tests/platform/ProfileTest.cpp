#include "platform/Profile.h"

#include "TempDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using platform::ReadProfileInt;
using platform::ReadProfileString;
using platform::WriteProfileString;

namespace {

constexpr const char* kSample = "; comment line\n"
                                "[ZAX Manager]\n"
                                "Language=2\n"
                                "  Hosts  =  KOR  10.0.0.1  \n"
                                "Quoted=\"  spaced  \"\n"
                                "Dup=first\n"
                                "dup=second\n"
                                "Empty=\n"
                                "[GENERAL]\n"
                                "SoundPlayer=aplay -q\n";

struct StringCase {
    const char* section;
    const char* key;
    const char* expected;
};

TEST(ProfileRead, FindsValuesRegardlessOfCaseAndSpacing) {
    TempDir dir;
    const fs::path file = dir / "a.ini";
    WriteText(file, kSample);
    const StringCase cases[] = {
        {"ZAX Manager", "Language", "2"},          {"zax manager", "LANGUAGE", "2"},
        {"ZAX MANAGER", "hosts", "KOR  10.0.0.1"}, {"ZAX Manager", "Quoted", "  spaced  "},
        {"ZAX Manager", "DUP", "first"},           {"ZAX Manager", "Empty", ""},
        {"general", "soundplayer", "aplay -q"},    {"GENERAL", "Language", "dflt"},
        {"Missing", "Language", "dflt"},           {"ZAX Manager", "; comment line", "dflt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadProfileString(file, c.section, c.key, "dflt", 100), c.expected)
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(ReadProfileString(dir / "none.ini", "ZAX Manager", "Language", "dflt", 100), "dflt");
}

TEST(ProfileRead, CutsToMaximumWithoutSplittingUtf8) {
    TempDir dir;
    const fs::path file = dir / "a.ini";
    WriteText(file, "[s]\nascii=abcdefgh\nutf8=ab\xC3\xA9"
                    "cd\n");
    EXPECT_EQ(ReadProfileString(file, "s", "ascii", "", 5), "abcde");
    EXPECT_EQ(ReadProfileString(file, "s", "utf8", "", 3), "ab");
    EXPECT_EQ(ReadProfileString(file, "s", "utf8", "", 4), "ab\xC3\xA9");
    EXPECT_EQ(ReadProfileString(file, "s", "missing", "defaultvalue", 7), "default");
}

TEST(ProfileRead, IntegersTakeLeadingDigits) {
    TempDir dir;
    const fs::path file = dir / "a.ini";
    WriteText(file,
              "[s]\na=12abc\nb=-7\nc=abc\nd=\ne=+5\nf=99999999999\ng=-99999999999\nh=\"8\"\n");
    const std::pair<const char*, int> cases[] = {{"a", 12},      {"b", -7}, {"c", 0},
                                                 {"d", 42},      {"e", 5},  {"f", INT_MAX},
                                                 {"g", INT_MIN}, {"h", 8},  {"missing", 42}};
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(ReadProfileInt(file, "S", key, 42), expected) << key;
    }
}

TEST(ProfileWrite, CreatesDirectoryAndFile) {
    TempDir dir;
    const fs::path file = dir / "sub/dir/new.ini";
    ASSERT_TRUE(platform::WriteProfileInt(file, "ZAX Manager", "TopLeftx", -1280));
    EXPECT_EQ(ReadText(file), "[ZAX Manager]\nTopLeftx=-1280\n");
}

TEST(ProfileWrite, ReplacesKeyInPlaceAndKeepsTheRest) {
    TempDir dir;
    const fs::path file = dir / "a.ini";
    WriteText(file, kSample);
    ASSERT_TRUE(WriteProfileString(file, "zax manager", "DUP", "new"));
    ASSERT_TRUE(WriteProfileString(file, "New Section", "Key", "v"));
    EXPECT_EQ(ReadProfileString(file, "ZAX Manager", "Dup", "", 100), "new");
    EXPECT_EQ(ReadProfileString(file, "ZAX Manager", "Language", "", 100), "2");
    EXPECT_EQ(ReadProfileString(file, "GENERAL", "SoundPlayer", "", 100), "aplay -q");
    EXPECT_EQ(ReadProfileString(file, "New Section", "key", "", 100), "v");
    const std::string text = ReadText(file);
    EXPECT_NE(text.find("; comment line"), std::string::npos);
    EXPECT_EQ(text.find("second"), std::string::npos) << "duplicates collapse into one key";
    EXPECT_NE(text.find("\nDup=new\n"), std::string::npos) << "the stored spelling is kept";
}

TEST(ProfileWrite, FailureLeavesFileUntouched) {
    TempDir dir;
    const fs::path file = dir / "a.ini";
    WriteText(file, kSample);

    EXPECT_FALSE(WriteProfileString(file, "ZAX Manager", "Hosts", "a\nLanguage=1"));
    EXPECT_FALSE(WriteProfileString(file, "ZAX Manager", "Bad=Key", "v"));

    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(WriteProfileString(file, "ZAX Manager", "Language", "1"));
    EXPECT_EQ(ReadText(file), kSample);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST(ProfileWrite, FailsWhereNoFileCanBeWritten) {
    TempDir dir;
    WriteText(dir / "plain", "x");
    EXPECT_FALSE(WriteProfileString(dir / "plain/a.ini", "s", "k", "v"));
    fs::create_directory(dir / "adir");
    EXPECT_FALSE(WriteProfileString(dir / "adir", "s", "k", "v"));
    EXPECT_TRUE(fs::is_directory(dir / "adir"));
}

TEST(ProfileWrite, WritesThroughSymbolicLink) {
    TempDir dir;
    WriteText(dir / "real.ini", "[s]\nk=old\n");
    fs::create_symlink(dir / "real.ini", dir / "link.ini");
    ASSERT_TRUE(WriteProfileString(dir / "link.ini", "s", "k", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadText(dir / "real.ini"), "[s]\nk=new\n");
}

TEST(ProfilePath, BareNameGoesToConfigDirectory) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = savedXdg ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
    EXPECT_EQ(platform::ProfilePath("zaxmgr.ini"), fs::path("/x/cfg/zaxmgr/zaxmgr.ini"));
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(platform::ProfilePath("zaxmgr.ini"),
              platform::HomeDirectory() / ".config/zaxmgr/zaxmgr.ini");
    EXPECT_EQ(platform::ProfilePath("/etc/other.ini"), fs::path("/etc/other.ini"));
    savedXdg ? ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
