#include "attendant/SystemParametersDialog.h"

#include "attendant/AttendantIds.h"
#include "ui_SystemParametersDialog.h"

#include "core/EntryChecks.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QRadioButton>

#include <algorithm>
#include <array>

namespace attendant {

using namespace SystemCtl;
using zax::SystemParameters;
using Row = ui::Binding<SystemParameters>;

namespace {

// The prompt languages by code, named in the module's string table.
struct LanguageName {
    int16_t code;
    int stringId;
};
constexpr std::array<LanguageName, 3> kLanguageNames = {{
    {static_cast<int16_t>(zax::PromptLanguageCode::English), AttendantString::LanguageEnglish},
    {static_cast<int16_t>(zax::PromptLanguageCode::French), AttendantString::LanguageFrench},
    {static_cast<int16_t>(zax::PromptLanguageCode::Spanish), AttendantString::LanguageSpanish},
}};

const LanguageName* FindLanguage(int16_t code) {
    const auto it = std::find_if(kLanguageNames.begin(), kLanguageNames.end(),
                                 [code](const LanguageName& l) { return l.code == code; });
    return it == kLanguageNames.end() ? nullptr : &*it;
}

// The statuses saving shows a message of its own for.
constexpr ui::StatusMessage kSaveStatuses[] = {
    {zax::StatusAlreadyExists, ui::StringId::LeadingDigitConflict},
};

// The version is the server's to say: shown, never sent.
Row VersionRow() {
    return ui::bind::Rule<SystemParameters>(
        Version, 0, nullptr, [](const SystemParameters& r, ui::ControlAccess& host) {
            host.SetControlText(Version, ui::RecordText(r.VoiceMailVersion));
        });
}

// A request: the box starts clear whatever the server sent.
Row ResetRow() {
    return ui::bind::Rule<SystemParameters>(
        ResetPassword, 0,
        [](SystemParameters& r, const ui::ControlAccess& host) {
            r.ResetAdminPassword = host.IsChecked(ResetPassword) ? 1 : 0;
            return true;
        },
        [](const SystemParameters&, ui::ControlAccess& host) {
            host.SetChecked(ResetPassword, false);
        });
}

} // namespace

SystemParametersDialog::SystemParametersDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::SystemParameters, parent), session_(session),
      form_(std::make_unique<Ui::SystemParametersDialog>()) {
    form_->setupUi(this);
    using ui::bind::OnOff;
    using S = SystemParameters;
    const int maxChannels = session_.systemInfo.MaxOutcallChannels;
    // The checking order: channels, group lists, then everything that cannot
    // be refused, the languages last because they depend on "Bilingual".
    Bind({
        VersionRow(),
        ui::bind::Number(Channels, &S::OutcallingChannels, AttendantString::InvalidOutcallChannels,
                         ui::bind::Digits(1, 2, 1, maxChannels)),
        OnOff(GroupListsEnable, GroupListsDisable, &S::GroupListsEnabled),
        LeadingDigitRow(),
        OnOff(VoiceMailEnable, VoiceMailDisable, &S::VoiceMailEnabled),
        OnOff(ExternalInitEnable, ExternalInitDisable, &S::ExternalInitialization),
        OnOff(DirectoryYes, DirectoryNo, &S::DirectoryAvailable),
        ui::bind::Radio({SearchFirstName, SearchLastName, SearchBoth}, &S::DirectorySearch,
                        {static_cast<int16_t>(zax::DirectorySearch::FirstName),
                         static_cast<int16_t>(zax::DirectorySearch::LastName),
                         static_cast<int16_t>(zax::DirectorySearch::Both)}),
        OnOff(GeneralDeliveryYes, GeneralDeliveryNo, &S::GeneralDeliveryMailbox),
        OnOff(BilingualYes, BilingualNo, &S::Bilingual),
        ResetRow(),
        OnOff(RedirectDnNo, RedirectDnYes, &S::RedirectDn), // 0 stands for "Yes"
        LanguagesRow(),
    });

    connect(form_->groupListsEnable, &QRadioButton::clicked, this, [this] {
        UpdateControlStates();
        FocusControl(LeadingDigit);
    });
    connect(form_->groupListsDisable, &QRadioButton::clicked, this,
            [this] { UpdateControlStates(); });
    connect(form_->bilingualYes, &QRadioButton::clicked, this, [this] {
        UpdateControlStates();
        FocusControl(FirstLanguage);
    });
    connect(form_->bilingualNo, &QRadioButton::clicked, this, [this] { UpdateControlStates(); });
}

SystemParametersDialog::~SystemParametersDialog() = default;

// The digit shows only while group lists are enabled; disabled, it is
// neither checked nor sent (0 goes to the server).
Row SystemParametersDialog::LeadingDigitRow() const {
    return ui::bind::Rule<SystemParameters>(
        LeadingDigit, AttendantString::InvalidLeadingDigit,
        [](SystemParameters& r, const ui::ControlAccess& host) {
            r.GroupListLeadingDigit = 0;
            if (!r.GroupListsEnabled)
                return true;
            int digit = 0;
            if (core::CheckSingleDigit(ui::RecordBytes(host.ControlText(LeadingDigit)), digit) !=
                core::FieldValid)
                return false;
            r.GroupListLeadingDigit = static_cast<uint8_t>(digit);
            return true;
        },
        [](const SystemParameters& r, ui::ControlAccess& host) {
            host.SetControlText(LeadingDigit, r.GroupListsEnabled
                                                  ? QString::number(r.GroupListLeadingDigit)
                                                  : QString());
        });
}

// The two buttons name the system's languages, primary first. Choosing the
// second on a bilingual system makes it the primary language: the codes go
// back swapped.
Row SystemParametersDialog::LanguagesRow() const {
    return ui::bind::Rule<SystemParameters>(
        FirstLanguage, 0,
        [this](SystemParameters& r, const ui::ControlAccess& host) {
            const SystemParameters& read = Record();
            const bool swap = r.Bilingual && host.IsChecked(SecondLanguage);
            r.PrimaryLanguage = swap ? read.SecondaryLanguage : read.PrimaryLanguage;
            r.SecondaryLanguage = swap ? read.PrimaryLanguage : read.SecondaryLanguage;
            return true;
        },
        [](const SystemParameters& r, ui::ControlAccess& host) {
            // An unknown primary keeps the template's caption; an unknown
            // secondary leaves the second button without one.
            if (const LanguageName* primary = FindLanguage(r.PrimaryLanguage))
                host.SetControlText(FirstLanguage, ui::LanguageModule::String(primary->stringId));
            const LanguageName* secondary = FindLanguage(r.SecondaryLanguage);
            host.SetControlText(
                SecondLanguage,
                secondary != nullptr ? ui::LanguageModule::String(secondary->stringId) : QString());
            host.SetChecked(FirstLanguage, true);
        });
}

bool SystemParametersDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetSystemParameters(Record()); })
        .Succeeded();
}

void SystemParametersDialog::UpdateControlStates() {
    EnableControl(LeadingDigit, IsChecked(GroupListsEnable));
    const bool bilingual = IsChecked(BilingualYes);
    EnableControl(FirstLanguage, bilingual);
    EnableControl(SecondLanguage, bilingual);
    if (!bilingual)
        SetChecked(FirstLanguage, true);
}

void SystemParametersDialog::OnOK() {
    const std::optional<SystemParameters> parameters = StoreFields(SystemParameters{});
    if (!parameters)
        return;
    // Refused, the dialog stays open for another try.
    const ui::CallResult result = CallServer(
        [&] { return session_.Server().SetSystemParameters(*parameters); }, kSaveStatuses);
    if (result.Is(zax::StatusAlreadyExists))
        FocusControl(LeadingDigit);
    if (!result.Succeeded())
        return;
    // What the server offers from now on, once it has accepted the change:
    // the frame re-reads the commands' availability from this after the
    // dialog has closed.
    session_.systemInfo.GroupListsEnabled = parameters->GroupListsEnabled;
    if (parameters->ResetAdminPassword)
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::AdminPasswordReset));
    EndDialog(ui::ControlId::Ok);
}

} // namespace attendant
