#include "lists/ClidEntryDialog.h"

#include "lists/ListText.h"
#include "lists/ListsIds.h"
#include "ui_ClidEntryDialog.h"

#include "core/EntryChecks.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"

#include <QRadioButton>

#include <algorithm>
#include <array>
#include <cstring>

namespace lists {

using namespace ClidCtl;
using zax::ClidEntry;
using zax::ClidTarget;

namespace {

// The radio buttons in index order, each with the box (or boxes) it enables.
struct TargetControls {
    int radio;
    int box;
    int secondBox; // 0: none
    ClidTarget type;
};
constexpr std::array<TargetControls, 4> kTargets = {{
    {TableRadio, Table, 0, ClidTarget::Table},
    {ExtensionRadio, Extension, 0, ClidTarget::Extension},
    {MailboxRadio, Mailbox, 0, ClidTarget::Mailbox},
    {CcrRadio, CcrTree, Path, ClidTarget::CcrTree},
}};

constexpr size_t kMaxPhoneDigits = 13;

int16_t Code(ClidTarget t) {
    return static_cast<int16_t>(t);
}

// One digit, 1 to 4: a greeting table or a CCR tree.
bool TableOrTree(const std::string& text, int& value) {
    std::uint16_t v = 0;
    if (core::CheckNumberField(text, 1, 1, true, 1, 4, v) != core::FieldValid)
        return false;
    value = v;
    return true;
}

} // namespace

ClidEntryDialog::ClidEntryDialog(zax::Session& session, ui::EntryMode mode,
                                 const std::string& phone, QWidget* parent)
    : EntryDialog(TemplateId::ClidSetup, mode, parent), session_(session),
      form_(std::make_unique<Ui::ClidEntryDialog>()) {
    form_->setupUi(this);
    if (!Adding())
        zax::SetText(Record().PhoneNumber, phone);
    using namespace ui::StringId;
    using ui::bind::Rule;
    const int extensionLength = session_.systemInfo.ExtensionLength;
    const auto maxPath =
        static_cast<size_t>(std::clamp<int>(session_.systemInfo.MaxCcrPathLength, 0,
                                            static_cast<int>(sizeof ClidEntry{}.CcrTreePath) - 1));
    // Each target row counts only while its radio button is the chosen one.
    const auto chosen = [this](ClidTarget t) {
        return chosen_ >= 0 && kTargets[static_cast<size_t>(chosen_)].type == t;
    };
    const auto text = [](const ui::ControlAccess& host, int id) {
        return ui::RecordBytes(host.ControlText(id));
    };
    const auto shows = [](ClidTarget t) {
        return [t](const ClidEntry& r) { return r.TargetType == Code(t); };
    };
    Bind({
        // The phone number is the key: typed when adding, never changed.
        Rule<ClidEntry>(
            Phone, InvalidPhoneNumber,
            [this, text](ClidEntry& r, const ui::ControlAccess& host) {
                if (!Adding())
                    return true;
                const std::string typed = text(host, Phone);
                if (!IsDigits(typed, 1, kMaxPhoneDigits))
                    return false;
                zax::SetText(r.PhoneNumber, typed);
                return true;
            },
            [](const ClidEntry& r, ui::ControlAccess& host) {
                host.SetControlText(Phone, ui::RecordText(r.PhoneNumber));
            }),
        Rule<ClidEntry>(
            Table, InvalidTableNumber,
            [=](ClidEntry& r, const ui::ControlAccess& host) {
                int value = 0;
                if (!chosen(ClidTarget::Table))
                    return true;
                if (!TableOrTree(text(host, Table), value))
                    return false;
                r.TargetType = Code(ClidTarget::Table);
                r.GreetingTable = static_cast<int16_t>(value);
                return true;
            },
            [=](const ClidEntry& r, ui::ControlAccess& host) {
                if (shows(ClidTarget::Table)(r))
                    host.SetControlText(Table, QString::number(r.GreetingTable));
            }),
        Rule<ClidEntry>(
            Extension, InvalidExtension,
            [=](ClidEntry& r, const ui::ControlAccess& host) {
                if (!chosen(ClidTarget::Extension))
                    return true;
                const std::string extension = text(host, Extension);
                if (core::CheckMailboxNumber(extension, extensionLength) != core::FieldValid)
                    return false;
                r.TargetType = Code(ClidTarget::Extension);
                zax::SetText(r.Extension, extension);
                return true;
            },
            [=](const ClidEntry& r, ui::ControlAccess& host) {
                if (shows(ClidTarget::Extension)(r))
                    host.SetControlText(Extension, ui::RecordText(r.Extension));
            }),
        Rule<ClidEntry>(
            Mailbox, InvalidMailboxNumber,
            [=](ClidEntry& r, const ui::ControlAccess& host) {
                if (!chosen(ClidTarget::Mailbox))
                    return true;
                const std::string mailbox = text(host, Mailbox);
                if (core::CheckMailboxNumber(mailbox, extensionLength) != core::FieldValid)
                    return false;
                r.TargetType = Code(ClidTarget::Mailbox);
                zax::SetText(r.Mailbox, mailbox);
                return true;
            },
            [=](const ClidEntry& r, ui::ControlAccess& host) {
                if (shows(ClidTarget::Mailbox)(r))
                    host.SetControlText(Mailbox, ui::RecordText(r.Mailbox));
            }),
        Rule<ClidEntry>(
            CcrTree, InvalidCcrTree,
            [=](ClidEntry& r, const ui::ControlAccess& host) {
                int value = 0;
                if (!chosen(ClidTarget::CcrTree))
                    return true;
                if (!TableOrTree(text(host, CcrTree), value))
                    return false;
                r.TargetType = Code(ClidTarget::CcrTree);
                r.CcrTree = static_cast<int16_t>(value);
                return true;
            },
            [=](const ClidEntry& r, ui::ControlAccess& host) {
                if (shows(ClidTarget::CcrTree)(r)) {
                    host.SetControlText(CcrTree, QString::number(r.CcrTree));
                    host.SetControlText(Path, ui::RecordText(r.CcrTreePath));
                }
            }),
        Rule<ClidEntry>(Path, InvalidCcrTreePath,
                        [=](ClidEntry& r, const ui::ControlAccess& host) {
                            if (!chosen(ClidTarget::CcrTree))
                                return true;
                            const std::string path = text(host, Path);
                            if (!IsDigits(path, 1, maxPath))
                                return false;
                            zax::SetText(r.CcrTreePath, path);
                            return true;
                        }),
    });
    for (size_t i = 0; i < kTargets.size(); ++i)
        connect(ControlAs<QRadioButton>(kTargets[i].radio), &QRadioButton::clicked, this,
                [this, i] { ChooseTarget(static_cast<int>(i)); });
}

ClidEntryDialog::~ClidEntryDialog() = default;

bool ClidEntryDialog::Load() {
    if (Adding())
        return true;
    return CallServer([&] { return session_.Server().GetClid(Record(), 0); }).Succeeded();
}

bool ClidEntryDialog::OnInitDialog() {
    EntryDialog::OnInitDialog();
    for (const TargetControls& t : kTargets) {
        EnableControl(t.box, false);
        if (t.secondBox != 0)
            EnableControl(t.secondBox, false);
    }
    int index = 0;
    for (size_t i = 0; i < kTargets.size(); ++i)
        if (!Adding() && Code(kTargets[i].type) == Record().TargetType)
            index = static_cast<int>(i);
    EnableControl(Phone, Adding());
    ChooseTarget(index);
    if (Adding())
        FocusControl(Phone);
    return true;
}

void ClidEntryDialog::ChooseTarget(int index) {
    if (index < 0 || index >= static_cast<int>(kTargets.size()))
        return;
    if (chosen_ >= 0) {
        const TargetControls& old = kTargets[static_cast<size_t>(chosen_)];
        EnableControl(old.box, false);
        if (old.secondBox != 0)
            EnableControl(old.secondBox, false);
    }
    const TargetControls& t = kTargets[static_cast<size_t>(index)];
    chosen_ = index;
    SetChecked(t.radio, true);
    EnableControl(t.box, true);
    if (t.secondBox != 0)
        EnableControl(t.secondBox, true);
    FocusControl(t.box);
}

std::string ClidEntryDialog::PhoneNumber() const {
    return Accepted() ? zax::GetText(Accepted()->PhoneNumber) : zax::GetText(Record().PhoneNumber);
}

// Only the phone number and the chosen target's fields are sent; the rest
// stays zero.
ClidEntry ClidEntryDialog::StartRecord() const {
    ClidEntry start{};
    std::memcpy(start.PhoneNumber, Record().PhoneNumber, sizeof start.PhoneNumber);
    return start;
}

bool ClidEntryDialog::MailboxUsable(const std::string& number) {
    zax::Chars<8> key{};
    std::copy_n(number.begin(), std::min(number.size(), key.size() - 1), key.begin());
    uint8_t exists = 0;
    uint8_t initialized = 0;
    if (!CallServer([&] {
             return session_.Server().QueryMailboxState(key, exists, initialized);
         }).Succeeded())
        return false;
    if (!exists) {
        FocusControl(Mailbox);
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::MailboxDoesNotExist));
        return false;
    }
    if (!initialized)
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::MailboxNotInitialized));
    return true;
}

bool ClidEntryDialog::Save(const ClidEntry& record) {
    if (record.TargetType == Code(ClidTarget::Mailbox) &&
        !MailboxUsable(zax::GetText(record.Mailbox)))
        return false;
    using namespace ui::StringId;
    const ui::StatusMessage statuses[] = {
        {zax::StatusClidExists, ClidNumberExists},
        {zax::StatusNoSuchCcrTree, InvalidCcrTree},
        {zax::StatusInvalidCcrPath, InvalidCcrTreePath},
    };
    const ui::CallResult result =
        CallServer([&] { return session_.Server().SetClid(record, Adding() ? 1 : 0); }, statuses);
    if (result.Is(zax::StatusNoSuchCcrTree))
        FocusControl(CcrTree);
    if (result.Is(zax::StatusInvalidCcrPath))
        FocusControl(Path);
    // Another refusal has been shown; the list reads the entry back and
    // shows what the server holds.
    return result.outcome == ui::CallOutcome::Success ||
           result.outcome == ui::CallOutcome::ServerError;
}

} // namespace lists
