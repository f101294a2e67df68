#pragma once
// Control ids of the greeting-table pages (the forms carry them, the
// language modules key their texts by them) and the numbers of the
// string-table entries only the greeting tables show.

namespace greetings {

// Greeting Numbers (page 175).
namespace NumbersCtl {
inline constexpr int MorningLabel = 1850;
inline constexpr int Morning = 1851;
inline constexpr int AfternoonLabel = 1852;
inline constexpr int Afternoon = 1853;
inline constexpr int EveningLabel = 1854;
inline constexpr int Evening = 1855;
inline constexpr int NonBusinessLabel = 1856;
inline constexpr int NonBusiness = 1857;
} // namespace NumbersCtl

// Hours (page 176): the day, and each period's start with its spin button.
namespace HoursCtl {
inline constexpr int DayLabel = 1860;
inline constexpr int Day = 1861;
inline constexpr int Starts = 1862; // group
inline constexpr int MorningLabel = 1863;
inline constexpr int Morning = 1864;
inline constexpr int AfternoonLabel = 1865;
inline constexpr int Afternoon = 1866;
inline constexpr int EveningLabel = 1867;
inline constexpr int Evening = 1868;
inline constexpr int NonBusinessLabel = 1869;
inline constexpr int NonBusiness = 1870;
} // namespace HoursCtl

// Answering (page 177).
namespace AnswerCtl {
inline constexpr int ExtensionLabel = 1880;
inline constexpr int Extension = 1881;
inline constexpr int Language = 1882; // group
inline constexpr int LanguagePrimary = 1883;
inline constexpr int LanguageAlternate = 1884;
inline constexpr int CcrTree = 1885; // group
inline constexpr int CcrTree1 = 1886;
inline constexpr int CcrTree2 = 1887;
inline constexpr int CcrTree3 = 1888;
inline constexpr int CcrTree4 = 1889;
inline constexpr int CcrDisable = 1890;
inline constexpr int CustomPrompts = 1891; // group
inline constexpr int CustomEnable = 1892;
inline constexpr int PrimaryLabel = 1893;
inline constexpr int PrimaryStatus = 1894;
inline constexpr int PrimaryVoice = 1895;
inline constexpr int AlternateLabel = 1896;
inline constexpr int AlternateStatus = 1897;
inline constexpr int AlternateVoice = 1898;
} // namespace AnswerCtl

// Speech Rec (page 178).
namespace SpeechCtl {
inline constexpr int Enabled = 1910;
inline constexpr int Prompts = 1911; // group
inline constexpr int Main = 1912;
inline constexpr int MainStatus = 1913;
inline constexpr int MainVoice = 1914;
inline constexpr int Repeat = 1915;
inline constexpr int RepeatStatus = 1916;
inline constexpr int RepeatVoice = 1917;
inline constexpr int Confirm = 1918;
inline constexpr int ConfirmStatus = 1919;
inline constexpr int ConfirmVoice = 1920;
inline constexpr int Decline = 1921;
inline constexpr int DeclineStatus = 1922;
inline constexpr int DeclineVoice = 1923;
} // namespace SpeechCtl

namespace GreetingString {
inline constexpr int Monday = 340; // ..Sunday = 346, in week order
inline constexpr int SheetCaption = 347; // followed by the table number
inline constexpr int RecordingUnavailable = 354;
// 348 to 353 and 355 are the speech recognition directory's.
} // namespace GreetingString

} // namespace greetings
