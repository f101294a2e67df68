#include "core/ConfigFile.h"
#include "core/ClientSettings.h"
#include "core/HostHistory.h"
#include "core/HostName.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace core;

namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    void Write(const std::string& text) { WriteText(dir_ / "zaxmgr.ini", text); }
    ConfigFile Config() const { return ConfigFile(dir_ / "zaxmgr.ini"); }

    TempDir dir_;
};

TEST_F(ConfigFileTest, LanguageAndPrintToMissingOrUnsetAreReadErrors) {
    struct Case {
        const char* text;
        std::optional<int> language;
        std::optional<int> printTo;
    };
    const Case cases[] = {
        {"", std::nullopt, std::nullopt},
        {"[Other]\nLanguage=1\nPrint To=2\n", std::nullopt, std::nullopt},
        {"[ZAX Manager]\nLanguage=100\nPrint To=100\n", std::nullopt, std::nullopt},
        {"[zax manager]\nlanguage=2\nprint to=0\n", 2, 0},
        {"[ZAX Manager]\nLanguage=12\nPrint To=7\n", 12, 7},
    };
    for (const auto& c : cases) {
        Write(c.text);
        EXPECT_EQ(Config().ReadLanguage(), c.language) << c.text;
        EXPECT_EQ(Config().ReadPrintTo(), c.printTo) << c.text;
    }
}

TEST_F(ConfigFileTest, BlankHostsFallBackToBuiltInList) {
    for (const char* text : {"", "[ZAX Manager]\nHosts=\n", "[ZAX Manager]\nHosts=\"    \"\n"}) {
        Write(text);
        EXPECT_EQ(Config().ReadHosts(), kBuiltInHosts) << text;
    }
    const std::vector<std::string> builtIn = SplitHostList(kBuiltInHosts);
    ASSERT_EQ(builtIn.size(), 4U);
    EXPECT_EQ(builtIn[0], "KOR");
    for (std::size_t i = 1; i < builtIn.size(); ++i) {
        EXPECT_TRUE(ParseDottedIPv4(builtIn[i])) << builtIn[i];
    }
}

TEST_F(ConfigFileTest, HostsRoundTrip) {
    ASSERT_TRUE(Config().WriteHosts({"kor2", "10.1.1.1"}));
    EXPECT_EQ(Config().ReadHosts(), "kor2 10.1.1.1");
}

TEST_F(ConfigFileTest, DefaultEditor) {
    EXPECT_EQ(Config().ReadDefaultEditor(), "xdg-open");
    Write("[ZAX Manager]\nDefault Editor=" + std::string(90, 'e') + "\n");
    EXPECT_EQ(Config().ReadDefaultEditor(), std::string(80, 'e'));
    ASSERT_TRUE(Config().WriteDefaultEditor("kate"));
    EXPECT_EQ(Config().ReadDefaultEditor(), "kate");
}

TEST_F(ConfigFileTest, PlacementRoundTripsNegativeCoordinates) {
    EXPECT_FALSE(Config().ReadWindowPlacement().HasSavedSize());
    const WindowPlacement secondMonitor{-1600, -40, -200, 900};
    ASSERT_TRUE(Config().WriteWindowPlacement(secondMonitor));
    EXPECT_EQ(Config().ReadWindowPlacement(), secondMonitor);
}

TEST_F(ConfigFileTest, PlacementAtLeftEdge3000IsSavedAsZeros) {
    ASSERT_TRUE(Config().WriteWindowPlacement({3000, 50, 3800, 650}));
    EXPECT_EQ(Config().ReadWindowPlacement(), WindowPlacement{});
    EXPECT_NE(ReadText(Config().Path()).find("BottomRighty=0"), std::string::npos);
}

TEST_F(ConfigFileTest, WritesFailOnReadOnlyFile) {
    Write("[ZAX Manager]\nLanguage=1\n");
    ::chmod(Config().Path().c_str(), 0444);
    EXPECT_FALSE(Config().WriteWindowPlacement({10, 10, 500, 400}));
    EXPECT_FALSE(Config().WriteHosts({"a"}));
    EXPECT_FALSE(Config().WriteLanguage(2));
    EXPECT_FALSE(Config().WritePrintTo(0));
    EXPECT_FALSE(Config().WriteDefaultEditor("x"));
    EXPECT_EQ(Config().ReadLanguage(), 1);
}

TEST_F(ConfigFileTest, ClientSettingsDefaultsAndValues) {
    Write("");
    const ClientSettings defaults = ClientSettings::Read(Config().Path());
    EXPECT_EQ(defaults.protocol, "ncacn_ip_tcp");
    EXPECT_EQ(defaults.network, "localhost");
    EXPECT_EQ(defaults.endpoint, "");
    EXPECT_EQ(defaults.timeoutLevel, 5);
    EXPECT_EQ(defaults.soundPlayer, "aplay");
    EXPECT_EQ(defaults.soundRecorder, "audacity");
    EXPECT_EQ(defaults.soundEditor, "audacity");
    EXPECT_EQ(defaults.tifViewer, "xdg-open");
    EXPECT_FALSE(defaults.defaultFileDirectory.empty());
    EXPECT_EQ(defaults.defaultVoiceFileSuffix, "wav");
    EXPECT_EQ(defaults.defaultFaxFileSuffix, "tif");

    Write("[general]\nsoundplayer=" + std::string(300, 'p') +
          "\nPresentDefaultFilenames=1\nDefaultVoiceFileSuffix=oki\n"
          "[RPC]\nTimeoutLevel=9\nEndpoint=2000\n");
    const ClientSettings read = ClientSettings::Read(Config().Path());
    EXPECT_EQ(read.soundPlayer, std::string(259, 'p'));
    EXPECT_EQ(read.presentDefaultFilenames, 1);
    EXPECT_EQ(read.defaultVoiceFileSuffix, "oki");
    EXPECT_EQ(read.timeoutLevel, 9);
    EXPECT_EQ(read.endpoint, "2000");
    EXPECT_EQ(read.soundEditor, "audacity");
}

} // namespace
