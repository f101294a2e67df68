#include "mailbox/SpeechDirectoryDialog.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/DirectoryRow.h"
#include "mailbox/MailboxTypes.h"
#include "mailbox/SpeechIds.h"
#include "ui_SpeechDirectoryDialog.h"

#include "server/Enumerate.h"
#include "server/RetryProxy.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/RowTableModel.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace mailbox {
namespace {

using zax::MailboxType;
using DirectoryRows = ui::RowTableModel<DirectoryRow>;

// Only these types carry names callers may say.
constexpr std::array<MailboxType, 5> kSpokenTypes = {
    MailboxType::Subscriber, MailboxType::ServerSubscriber1, MailboxType::Information,
    MailboxType::FaxOnDemand, MailboxType::ServerSubscriber11};

bool HasSpokenNames(int16_t type) {
    return std::any_of(kSpokenTypes.begin(), kSpokenTypes.end(),
                       [type](MailboxType t) { return static_cast<int16_t>(t) == type; });
}

// The end of the entries is no failure.
constexpr ui::StatusMessage kEnumerationStatuses[] = {{zax::StatusNoEntry, 0}};

std::string Utf8(int stringId) {
    return ui::LanguageModule::String(stringId).toStdString();
}

// The rows of one entry: its extended name or else its name, then its alias.
void AddRows(const zax::EntrySummary& e, std::vector<DirectoryRow>& rows) {
    if (!HasSpokenNames(e.Type))
        return;
    const std::string number = zax::GetText(e.Number);
    const std::string extended = zax::GetText(e.ExtendedName);
    const bool enable = e.SpeechDisabled == 0;
    const bool homonym = e.Homonym != 0;
    if (extended.empty())
        rows.push_back({zax::GetText(e.Name), number + "/D", DirectoryRow::Default, enable, homonym});
    else
        rows.push_back({extended, number + "/E", DirectoryRow::Extended, enable, homonym});
    if (std::string alias = zax::GetText(e.Alias); !alias.empty())
        rows.push_back({std::move(alias), number + "/A", DirectoryRow::Alias, enable, homonym});
}

} // namespace

SpeechDirectoryDialog::SpeechDirectoryDialog(zax::Session& session, DirectoryVoice voice,
                                             QWidget* parent)
    : TemplateDialog(ui::DialogId::SpeechRecDirectory, parent), session_(session),
      voice_(std::move(voice)), form_(std::make_unique<Ui::SpeechDirectoryDialog>()) {
    form_->setupUi(this);
    ui::ReportListView* list = form_->list;
    rows_ = new DirectoryRows(&DirectoryRow::key, list);
    list->SetRowModel(rows_);
    list->header()->setStretchLastSection(false);
    CreateColumns();
    form_->properties->setEnabled(true); // the columns exist
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.isEmpty())
                    OnRowSelected();
            });
    connect(list, &QAbstractItemView::doubleClicked, this, [this] { OnProperties(); });
    connect(form_->properties, &QPushButton::clicked, this, [this] { OnProperties(); });
    connect(form_->playName, &QPushButton::clicked, this, [this] { OnPlayName(); });
}

SpeechDirectoryDialog::SpeechDirectoryDialog(zax::Session& session, QWidget* parent)
    : SpeechDirectoryDialog(session, DirectoryVoice{}, parent) {}

SpeechDirectoryDialog::~SpeechDirectoryDialog() = default;

ui::ReportListView* SpeechDirectoryDialog::List() const {
    return form_->list;
}

int SpeechDirectoryDialog::RowCount() const {
    return rows_->RowCount();
}

const DirectoryRow* SpeechDirectoryDialog::RowAt(int index) const {
    return index >= 0 && index < RowCount() ? &rows_->At(index) : nullptr;
}

const DirectoryRow* SpeechDirectoryDialog::SelectedRow() const {
    return RowAt(form_->list->SelectedRow());
}

void SpeechDirectoryDialog::CreateColumns() {
    using ui::LanguageModule;
    using ui::TextEncoding;
    using namespace ui::StringId;
    kindTexts_ = {Utf8(SpeechString::NameDefault), Utf8(SpeechString::NameExtended),
                  Utf8(SpeechString::NameAlias)};
    yes_ = Utf8(SpeechString::Yes);
    // A flag shows the module's "Y" or nothing, so sorting by its text puts
    // the rows without it first.
    auto flag = [this](bool DirectoryRow::*field) {
        return [this, field](const DirectoryRow& r) {
            return r.*field ? std::string_view(yes_) : std::string_view();
        };
    };
    rows_->SetColumns({
        {LanguageModule::String(ColumnName), &DirectoryRow::name},
        {LanguageModule::String(ColumnType),
         [this](const DirectoryRow& r) { return std::string_view(kindTexts_[r.kind]); },
         TextEncoding::Utf8},
        {LanguageModule::String(ColumnNumber), [](const DirectoryRow& r) { return r.Number(); }},
        {LanguageModule::String(SpeechString::ColumnEnable), flag(&DirectoryRow::enable),
         TextEncoding::Utf8},
        {LanguageModule::String(SpeechString::ColumnHomonym), flag(&DirectoryRow::homonym),
         TextEncoding::Utf8},
    });
}

bool SpeechDirectoryDialog::Load() {
    ui::WaitCursor wait;
    Reload();
    return !ui::ProgramIsEnding();
}

void SpeechDirectoryDialog::Reload() {
    std::vector<DirectoryRow> rows;
    zax::RetryProxy proxy(session_.Server());
    // The proxy answers 32-bit codes (a transport failure comes back as its
    // RPC status); the one that stopped the reading is shown as it came.
    uint32_t stoppedBy = 0;
    auto keep = [&stoppedBy](uint32_t status) -> zax::ServerStatus {
        if (status == 0 || status == zax::StatusNoEntry)
            return static_cast<zax::ServerStatus>(status);
        stoppedBy = status;
        return 1;
    };
    form_->list->setUpdatesEnabled(false);
    // The rows read before a failure stay listed.
    ui::GuardServerCall(
        [&]() -> uint32_t {
            zax::EnumerateBatches<zax::EntrySummary, zax::EntryBatchSize>(
                [&](zax::EntrySummary& first) { return keep(proxy.FindFirstEntry(first)); },
                [&](std::span<zax::EntrySummary> batch, int16_t& count) {
                    return keep(proxy.FindNextEntries(batch, static_cast<int16_t>(batch.size()),
                                                      count));
                },
                [&](const zax::EntrySummary& e) { AddRows(e, rows); });
            return stoppedBy;
        },
        kEnumerationStatuses);
    rows_->SetRows(std::move(rows));
    if (RowCount() > 0) {
        form_->list->SortByColumn(0);
        form_->list->SelectRow(0);
    } else {
        form_->playName->setEnabled(false);
    }
    form_->list->setUpdatesEnabled(true);
}

bool SpeechDirectoryDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    // "Name" takes a third of the list, every other column its heading's
    // width; "Type" also fits the longest of its three words, which a
    // heading as short as "Type" would otherwise cut off.
    layout()->activate();
    ui::ReportListView* list = form_->list;
    const QFontMetrics metrics(list->font());
    const QFontMetrics headings(list->header()->font());
    constexpr int kPadding = 16;
    list->setColumnWidth(0, list->maximumViewportSize().width() / 3);
    for (int c = 1; c < list->ColumnCount(); ++c) {
        const QString heading = list->model()->headerData(c, Qt::Horizontal).toString();
        list->setColumnWidth(c, headings.horizontalAdvance(heading) + kPadding);
    }
    int typeWidth = list->columnWidth(1);
    for (int id : {SpeechString::NameDefault, SpeechString::NameExtended, SpeechString::NameAlias})
        typeWidth = std::max(typeWidth, metrics.horizontalAdvance(ui::LanguageModule::String(id)) +
                                            kPadding);
    list->setColumnWidth(1, typeWidth);
    list->setFocus();
    return true;
}

void SpeechDirectoryDialog::OnRowSelected() {
    const DirectoryRow* row = SelectedRow();
    const bool recorded =
        row != nullptr && voice_.isRecorded && voice_.isRecorded(session_, std::string(row->Number()));
    form_->playName->setEnabled(recorded);
}

void SpeechDirectoryDialog::OnProperties() {
    const DirectoryRow* row = SelectedRow();
    if (row == nullptr)
        return;
    const std::string number(row->Number());
    zax::MailboxRecord record{};
    zax::SetText(record.Number, number);
    zax::RetryProxy proxy(session_.Server());
    if (!ui::GuardServerCall([&] { return proxy.GetMailbox(record); }).Succeeded())
        return;
    CMbxProps sheet(session_, number, nullptr, this, SlotSpeechRec);
    sheet.Run();
    if (sheet.WasChanged() && !ui::ProgramIsEnding()) {
        ui::WaitCursor wait;
        Reload();
    }
    if (ui::ProgramIsEnding())
        EndDialog(ui::ControlId::Cancel);
}

void SpeechDirectoryDialog::OnPlayName() {
    const DirectoryRow* row = SelectedRow();
    if (row == nullptr)
        return;
    if (!voice_.play) {
        ui::ShowMessage(ui::LanguageModule::String(SpeechString::PlayingUnavailable));
        return;
    }
    form_->playName->setEnabled(false);
    voice_.play(session_, this, std::string(row->Number()));
    form_->playName->setEnabled(true);
}

} // namespace mailbox
