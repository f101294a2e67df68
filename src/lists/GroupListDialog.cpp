#include "lists/GroupListDialog.h"

#include "lists/FaxMemberDialog.h"
#include "lists/ListText.h"
#include "lists/ListsIds.h"
#include "ui_GroupListDialog.h"

#include "core/EntryChecks.h"
#include "server/Enumerate.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/SortedListBox.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QPushButton>

#include <algorithm>
#include <array>

namespace lists {

using namespace MembersCtl;
using zax::GroupListKind;
using zax::MailboxType;

namespace {

constexpr int kMemberTabStop = 90;

// The mailbox types a voice list offers; network mailboxes only while
// network group lists are on.
struct OfferedType {
    MailboxType type;
    bool networkOnly;
};
constexpr std::array<OfferedType, 6> kOffered = {{
    {MailboxType::Subscriber, false},
    {MailboxType::Information, false},
    {MailboxType::FaxOverflow, false},
    {MailboxType::FaxOnDemand, false},
    {MailboxType::Amis, true},
    {MailboxType::Network, true},
}};

bool Offered(int16_t type, bool networkGroupLists) {
    return std::any_of(kOffered.begin(), kOffered.end(), [&](const OfferedType& o) {
        return static_cast<int16_t>(o.type) == type && (!o.networkOnly || networkGroupLists);
    });
}

QString MemberRow(const std::string& name, const std::string& second) {
    return ui::FromRecordBytes(name + '\t' + second);
}

// A row's second column: a mailbox number or a dial string.
std::string SecondColumn(const QString& row) {
    const std::string bytes = ui::RecordBytes(row);
    const size_t tab = bytes.find('\t');
    return tab == std::string::npos ? std::string() : bytes.substr(tab + 1);
}

// After a row leaves a list, the row at its place (or the one before) is selected.
void SelectNear(ui::SortedListBox* box, int index) {
    if (box->GetCount() > 0)
        box->SetCurSel(std::min(index, box->GetCount() - 1));
}

} // namespace

ui::EntryRow GroupListRow(const std::string& number, const std::string& name, GroupListKind kind) {
    return {{number, name,
             ModuleBytes(kind == GroupListKind::Voice ? ui::StringId::GroupListVoice
                                                      : ui::StringId::GroupListFax)}};
}

GroupListDialog::GroupListDialog(zax::Session& session, std::string number,
                                 std::optional<GroupListKind> kind, QWidget* parent)
    : TemplateDialog(ui::DialogId::GroupList, parent), session_(session),
      form_(std::make_unique<Ui::GroupListDialog>()), number_(std::move(number)),
      kind_(kind.value_or(GroupListKind::Voice)), existing_(!kind) {
    form_->setupUi(this);
    form_->available->SetTabStops({kMemberTabStop});
    form_->current->SetTabStops({kMemberTabStop});
    connect(form_->addMailbox, &QPushButton::clicked, this, [this] { OnAddMailbox(); });
    connect(form_->available, &QListWidget::itemDoubleClicked, this, [this] { OnAddMailbox(); });
    connect(form_->removeMailbox, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(form_->addFax, &QPushButton::clicked, this, [this] { OnAddFax(); });
    connect(form_->removeFax, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(form_->current, &QListWidget::itemDoubleClicked, this, [this] { OnRemove(); });
}

GroupListDialog::~GroupListDialog() = default;

bool GroupListDialog::Load() {
    ui::WaitCursor wait;
    if (existing_) {
        zax::GroupListRecord header{};
        zax::SetText(header.ListNumber, number_);
        if (!ui::GuardServerCall([&] {
                 return session_.Server().GetGroupList(header);
             }).Succeeded())
            return false;
        name_ = zax::GetText(header.ListName);
        kind_ = static_cast<GroupListKind>(header.Kind);
    }
    if (IsVoice() && !ReadAvailable())
        return false;
    return !existing_ || ReadMembers();
}

bool GroupListDialog::ReadAvailable() {
    zax::VoiceMailServer& server = session_.Server();
    const bool network = session_.systemInfo.NetworkGroupListEnabled != 0;
    const auto kind = static_cast<int16_t>(zax::EntryKind::Mailbox);
    return ui::GuardServerCall([&] {
               return zax::Enumerate<zax::EntrySummary>(
                          [&](zax::EntrySummary& e) { return server.FindFirstEntry(e, kind, 1); },
                          [&](zax::EntrySummary& e) { return server.FindNextEntry(e); },
                          [&](const zax::EntrySummary& e) {
                              if (Offered(e.Type, network))
                                  form_->available->AddString(
                                      MemberRow(zax::GetText(e.Name), zax::GetText(e.Number)));
                          })
                   .status;
           })
        .Succeeded();
}

bool GroupListDialog::ReadMembers() {
    zax::VoiceMailServer& server = session_.Server();
    return ui::GuardServerCall([&] {
               return zax::Enumerate<zax::GroupListRecord>(
                          [&](zax::GroupListRecord& r) {
                              zax::SetText(r.ListNumber, number_);
                              return server.GetFirstGroupMember(r);
                          },
                          [&](zax::GroupListRecord& r) { return server.GetNextGroupMember(r); },
                          [&](const zax::GroupListRecord& r) {
                              const GroupMember m = MemberOf(r);
                              stored_.push_back(m);
                              current_.push_back(m);
                              const QString row =
                                  IsVoice()
                                      ? MemberRow(zax::GetText(r.MemberMailboxName), m.mailbox)
                                      : MemberRow(m.faxName, m.dialString);
                              form_->current->AddString(row);
                              if (!IsVoice())
                                  return;
                              // The mailbox is a member, so it is not available again.
                              ui::SortedListBox* available = form_->available;
                              for (int i = 0; i < available->GetCount(); ++i)
                                  if (available->GetText(i).startsWith(row)) {
                                      available->DeleteString(i);
                                      break;
                                  }
                          })
                   .status;
           })
        .Succeeded();
}

bool GroupListDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    setWindowTitle(windowTitle() + QString::fromStdString(number_));
    SetControlText(Name, ui::FromRecordBytes(name_));
    if (IsVoice()) {
        ui::DisableAndHide(*this, AddFax);
        ui::DisableAndHide(*this, RemoveFax);
    } else {
        ui::DisableAndHide(*this, AddMailbox);
        ui::DisableAndHide(*this, RemoveMailbox);
        ui::DisableAndHide(*this, Available);
        ui::DisableAndHide(*this, AvailableLabel);
    }
    SelectNear(form_->available, 0);
    SelectNear(form_->current, 0);
    UpdateButtons();
    FocusControl(Name);
    return true;
}

void GroupListDialog::UpdateButtons() {
    const bool members = form_->current->GetCount() > 0;
    if (IsVoice()) {
        EnableControl(AddMailbox, form_->available->GetCount() > 0);
        EnableControl(RemoveMailbox, members);
    } else {
        EnableControl(RemoveFax, members);
    }
}

void GroupListDialog::OnAddMailbox() {
    ui::SortedListBox* available = form_->available;
    const int index = available->GetCurSel();
    if (available->GetCount() == 0 || index < 0)
        return;
    const QString row = available->GetText(index);
    available->DeleteString(index);
    form_->current->SetCurSel(form_->current->AddString(row));
    SelectNear(available, index);
    GroupMember member;
    member.kind = GroupListKind::Voice;
    member.mailbox = SecondColumn(row);
    current_.push_back(member);
    UpdateButtons();
}

void GroupListDialog::OnAddFax() {
    FaxMemberDialog fax(session_, this);
    if (fax.Run() != ui::ControlId::Ok || !fax.Accepted())
        return;
    zax::GroupListRecord record = *fax.Accepted();
    record.Kind = static_cast<int16_t>(GroupListKind::Fax);
    const GroupMember member = MemberOf(record);
    form_->current->SetCurSel(
        form_->current->AddString(MemberRow(member.faxName, member.dialString)));
    current_.push_back(member);
    UpdateButtons();
}

void GroupListDialog::OnRemove() {
    ui::SortedListBox* current = form_->current;
    const int index = current->GetCurSel();
    if (current->GetCount() == 0 || index < 0)
        return;
    const QString row = current->GetText(index);
    if (IsVoice())
        form_->available->SetCurSel(form_->available->AddString(row));
    current->DeleteString(index);
    SelectNear(current, index);
    const std::string key = SecondColumn(row);
    const auto found = std::find_if(current_.begin(), current_.end(),
                                    [&](const GroupMember& m) { return m.Key() == key; });
    if (found != current_.end())
        current_.erase(found);
    UpdateButtons();
}

void GroupListDialog::OnOK() {
    const std::string name = ui::RecordBytes(ControlText(Name));
    if (core::CheckNameChars(name) != core::FieldValid) {
        FocusControl(Name);
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::InvalidName));
        return;
    }
    if (current_.empty()) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::GroupListNeedsMember));
        return;
    }
    {
        ui::WaitCursor wait;
        if (!Store(name))
            return;
    }
    row_ = GroupListRow(number_, name, kind_);
    EndDialog(ui::ControlId::Ok);
}

// What the server has accepted is remembered at once: after a refusal the
// administrator may press OK again, and only what is still missing is sent.
bool GroupListDialog::Store(const std::string& name) {
    zax::VoiceMailServer& server = session_.Server();
    zax::GroupListRecord header{};
    zax::SetText(header.ListNumber, number_);
    zax::SetText(header.ListName, name);
    header.Kind = static_cast<int16_t>(kind_);
    if (!existing_) {
        if (!CallServer([&] { return server.AddGroupList(header); }).Succeeded())
            return false;
        existing_ = true;
    } else if (!CallServer([&] { return server.ChangeGroupList(header); }).Succeeded()) {
        return false;
    }
    const MemberChanges changes = DiffMembers(stored_, current_);
    for (const GroupMember& m : changes.remove) {
        const zax::GroupListRecord record = MemberRecord(number_, m);
        if (!CallServer([&] { return server.RemoveGroupMember(record); }).Succeeded())
            return false;
        stored_.erase(std::find_if(stored_.begin(), stored_.end(),
                                   [&](const GroupMember& s) { return s.Key() == m.Key(); }));
    }
    for (const GroupMember& m : changes.add) {
        const zax::GroupListRecord record = MemberRecord(number_, m);
        if (!CallServer([&] { return server.AddGroupMember(record); }).Succeeded())
            return false;
        stored_.push_back(m);
    }
    return true;
}

} // namespace lists
