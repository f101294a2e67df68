#include "mailbox/CPageMbxGeneral.h"

#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxGeneral.h"

#include <QComboBox>

#include <algorithm>
#include <vector>

namespace mailbox {
namespace {

using namespace GeneralCtl;
using zax::MailboxRecord;
using zax::MailboxType;
constexpr size_t kMaxNameLength = 16;
constexpr int kExtensionChars = sizeof(MailboxRecord::Extension) - 1;

enum class ExtensionRule {
    Required, // a mailbox number of the system's length
    Optional, // that, or empty
    None,     // the type has no extension: it is saved empty
};

// What the mailbox's type changes on this page.
struct TypeRule {
    std::vector<MailboxType> types;
    std::vector<int> hidden; // controls (with their labels) the type does without
    ExtensionRule extension;
};

const TypeRule kTypeRules[] = {
    {{MailboxType::Subscriber, MailboxType::ServerSubscriber1, MailboxType::ServerSubscriber3,
      MailboxType::ServerSubscriber4},
     {},
     ExtensionRule::Optional},
    // Remote mailboxes keep the extension they came with, unseen.
    {{MailboxType::Amis, MailboxType::Network},
     {CosLabel, Cos, ExtensionLabel, Extension},
     ExtensionRule::Optional},
    {{MailboxType::Information, MailboxType::FaxOnDemand},
     {ExtensionLabel, Extension},
     ExtensionRule::None},
    {{MailboxType::FaxOverflow}, {CosLabel, Cos, Directory}, ExtensionRule::Required},
};

// Types without a row of their own (the server's reserved codes).
const TypeRule kOtherTypes = {{}, {}, ExtensionRule::Required};

const TypeRule& RuleOf(int16_t type) {
    for (const TypeRule& rule : kTypeRules)
        for (MailboxType t : rule.types)
            if (static_cast<int16_t>(t) == type)
                return rule;
    return kOtherTypes;
}

bool Hides(const MailboxRecord& r, int control) {
    const std::vector<int>& hidden = RuleOf(r.Type).hidden;
    return std::find(hidden.begin(), hidden.end(), control) != hidden.end();
}

bool IsSystemMailboxName(std::string_view name) {
    return name == zax::SystemManagerName || name == zax::GeneralDeliveryName;
}

// The last names of the system mailboxes pass as typed, whatever the name rules say.
bool IsSystemLastName(std::string_view last) {
    for (std::string_view system : {zax::SystemManagerName, zax::GeneralDeliveryName})
        if (last == system.substr(0, system.find(',')))
            return true;
    return false;
}

bool IsNameText(const std::string& text) {
    return core::CheckLabel(text, 1, kMaxNameLength) == core::FieldValid;
}

std::string Typed(const ui::ControlAccess& host, int control) {
    return ui::RecordBytes(host.ControlText(control));
}

// "LAST,FIRST", or whichever of the two was typed.
std::string NameOf(const ui::ControlAccess& host) {
    const std::string last = Typed(host, LastName);
    const std::string first = Typed(host, FirstName);
    return !last.empty() && !first.empty() ? last + ',' + first : last + first;
}

ui::BindingTable<MailboxRecord> GeneralBindings(int extensionLength) {
    using namespace ui::StringId;
    using ui::bind::Rule;
    using Host = const ui::ControlAccess&;
    const auto checkOnly = [](auto&& rule) {
        return [rule](MailboxRecord&, Host host) { return rule(host); };
    };
    return {
        Rule<MailboxRecord>(LastName, MailboxString::InvalidLastName, checkOnly([](Host host) {
                                const std::string last = Typed(host, LastName);
                                return IsSystemLastName(last) || last.empty() || IsNameText(last);
                            }),
                            [](const MailboxRecord& r, ui::ControlAccess& host) {
                                const QString name = ui::RecordText(r.Name);
                                host.SetControlText(LastName, name.section(QLatin1Char(','), 0, 0));
                                host.SetControlText(FirstName,
                                                    name.section(QLatin1Char(','), 1, 1));
                            }),
        Rule<MailboxRecord>(FirstName, MailboxString::InvalidFirstName, checkOnly([](Host host) {
                                const std::string first = Typed(host, FirstName);
                                return first.empty() || IsNameText(first);
                            })),
        Rule<MailboxRecord>(LastName, NameFieldBlank,
                            checkOnly([](Host host) { return !NameOf(host).empty(); })),
        Rule<MailboxRecord>(LastName, MailboxString::NameTooLong,
                            [](MailboxRecord& r, Host host) {
                                const std::string name = NameOf(host);
                                if (name.size() > kMaxNameLength && !IsSystemMailboxName(name))
                                    return false;
                                zax::SetText(r.Name, name);
                                return true;
                            }),
        // A record that came with a class outside 1 to 16 selects no entry; it
        // keeps its class rather than being given class 0.
        ui::bind::ComboIndex(Cos, &MailboxRecord::ClassOfService, 1),
        Rule<MailboxRecord>(
            Extension, InvalidExtension,
            [extensionLength](MailboxRecord& r, Host host) {
                const ExtensionRule rule = RuleOf(r.Type).extension;
                const std::string extension =
                    rule == ExtensionRule::None ? "" : Typed(host, Extension);
                const bool valid =
                    extension.empty()
                        ? rule != ExtensionRule::Required
                        : core::CheckMailboxNumber(extension, extensionLength) == core::FieldValid;
                if (!valid)
                    return false;
                zax::SetText(r.Extension, extension);
                return true;
            },
            [](const MailboxRecord& r, ui::ControlAccess& host) {
                if (RuleOf(r.Type).extension != ExtensionRule::None)
                    host.SetControlText(Extension, ui::RecordText(r.Extension));
            }),
        ui::bind::Check(Directory, &MailboxRecord::Directory, uint8_t{1}, uint8_t{0})
            .If([](const MailboxRecord& r) { return !Hides(r, Directory); }),
    };
}

} // namespace

CPageMbxGeneral::CPageMbxGeneral(const PageContext& context)
    : MailboxPage(ui::DialogId::PageMbxGeneral, context),
      form_(std::make_unique<Ui::CPageMbxGeneral>()) {
    form_->setupUi(this);
    WatchControls();
    Bind(GeneralBindings(System().ExtensionLength));
}

CPageMbxGeneral::~CPageMbxGeneral() = default;

bool CPageMbxGeneral::ResetPasswordChecked() const {
    return Context().exists && form_->resetPassword->isChecked();
}

void CPageMbxGeneral::LoadFromRecord() {
    form_->cos->clear();
    for (int i = 0; i < zax::ClassOfServiceCount; ++i)
        form_->cos->addItem(QStringLiteral("%1   ").arg(i + 1, 2, 10, QLatin1Char('0')) +
                            ui::RecordText(Context().cosNames.Names[i]));
    MailboxPage::LoadFromRecord();
}

void CPageMbxGeneral::UpdateControlStates() {
    if (!Context().exists)
        HideControls({ResetPassword});
    for (int control : RuleOf(Record().Type).hidden)
        HideControls({control});
}

bool CPageMbxGeneral::OnKillActive() {
    // The Options page enables its fields from the extension as typed here.
    ui::SetRecordText(Record().Extension, ControlText(Extension).left(kExtensionChars));
    return true;
}

MailboxPage* MakeGeneralPage(const PageContext& context) {
    return new CPageMbxGeneral(context);
}

} // namespace mailbox
