#include "network/SiteAdministrationDialog.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/NetworkIds.h"
#include "network/SiteFields.h"
#include "ui_SiteAdministrationDialog.h"

#include "server/Enumerate.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/RowTableModel.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace network {

using zax::NetworkSite;
using SiteRows = ui::RowTableModel<SiteListRow>;

SiteAdministrationDialog::SiteAdministrationDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::SiteAdministration, parent), session_(session),
      form_(std::make_unique<Ui::SiteAdministrationDialog>()) {
    form_->setupUi(this);
    ui::ReportListView* list = form_->list;
    rows_ = new SiteRows(&SiteListRow::prefix, list);
    list->SetRowModel(rows_);
    connect(list, &ui::ReportListView::RowActivated, this, [this] { OnChange(); });
    connect(form_->add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(form_->change, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(form_->remove, &QPushButton::clicked, this, [this] { OnDelete(); });
}

SiteAdministrationDialog::~SiteAdministrationDialog() = default;

ui::ReportListView* SiteAdministrationDialog::List() const {
    return form_->list;
}

int SiteAdministrationDialog::RowCount() const {
    return rows_->RowCount();
}

const SiteListRow* SiteAdministrationDialog::RowAt(int index) const {
    return index >= 0 && index < RowCount() ? &rows_->At(index) : nullptr;
}

const SiteListRow* SiteAdministrationDialog::Selected() const {
    return RowAt(form_->list->SelectedRow());
}

// The list opens, the enumeration then delivers one site per call until
// the server says there are no more.
bool SiteAdministrationDialog::Load() {
    ui::WaitCursor wait;
    std::vector<SiteListRow> rows;
    zax::VoiceMailServer& server = session_.Server();
    const ui::CallResult read = ui::GuardServerCall([&] {
        return zax::Enumerate<NetworkSite>(
                   [&](NetworkSite& site) {
                       const zax::ServerStatus status = server.OpenSiteList(site);
                       return status != 0 ? status : server.GetNextSite(site);
                   },
                   [&](NetworkSite& site) { return server.GetNextSite(site); },
                   [&](const NetworkSite& site) { rows.push_back(RowOfSite(site)); })
            .status;
    });
    if (!read.Succeeded())
        return false;
    using namespace ui::StringId;
    using ui::LanguageModule;
    rows_->SetColumns({
        {LanguageModule::String(ColumnName), &SiteListRow::name},
        {LanguageModule::String(NetworkString::ColumnSitePrefix), &SiteListRow::prefix},
        {LanguageModule::String(ColumnType), &SiteListRow::typeText, ui::TextEncoding::Utf8},
    });
    rows_->SetRows(std::move(rows));
    return true;
}

bool SiteAdministrationDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    // Room for a whole site name (16 characters) and a whole prefix (9),
    // or for the column's title where that is wider.
    const QFontMetrics metrics = form_->list->fontMetrics();
    const int letter = metrics.horizontalAdvance(QLatin1Char('W'));
    for (const auto& [column, letters] : {std::pair{0, 12}, std::pair{1, 7}}) {
        const QString title = rows_->headerData(column, Qt::Horizontal).toString();
        form_->list->setColumnWidth(
            column, std::max(letter * letters, metrics.horizontalAdvance(title) + letter * 2));
    }
    EnableRowButtons(RowCount() > 0);
    if (RowCount() > 0) {
        form_->list->setFocus();
        form_->list->SelectRow(0);
    }
    return true;
}

void SiteAdministrationDialog::EnableRowButtons(bool enable) {
    form_->change->setEnabled(enable);
    form_->remove->setEnabled(enable);
}

bool SiteAdministrationDialog::RunSiteDialog(bool adding) {
    if (site_.SiteType == static_cast<int16_t>(zax::SiteType::Amis))
        return AmisSiteDialog(session_, site_, adding, this).Run() == ui::ControlId::Ok;
    return DigitalSiteDialog(session_, site_, adding, this).Run() == ui::ControlId::Ok;
}

// A new site starts from an empty record, whatever the last site left.
void SiteAdministrationDialog::OnAdd() {
    site_ = NetworkSite{};
    if (AddNetworkSiteDialog(session_, site_, this).Run() != ui::ControlId::Ok)
        return;
    if (!RunSiteDialog(true))
        return;
    SiteListRow row = RowOfSite(site_);
    const std::string prefix = row.prefix;
    rows_->AppendRows({std::move(row)});
    form_->list->SelectKey(prefix);
    EnableRowButtons(true);
}

void SiteAdministrationDialog::OnChange() {
    const SiteListRow* selected = Selected();
    if (selected == nullptr) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::SelectEntryToChange));
        return;
    }
    const std::string prefix = selected->prefix;
    site_ = NetworkSite{};
    zax::SetText(site_.SitePrefix, prefix);
    if (!CallServer([&] { return session_.Server().GetSite(site_); }).Succeeded())
        return;
    if (!RunSiteDialog(false))
        return;
    rows_->UpdateRow(prefix, RowOfSite(site_));
    form_->list->SelectKey(prefix);
}

void SiteAdministrationDialog::OnDelete() {
    const SiteListRow* selected = Selected();
    if (selected == nullptr) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::SelectEntryToDelete));
        return;
    }
    const std::string prefix = selected->prefix;
    const QString question = ui::LanguageModule::String(ui::StringId::DeletePrefix) +
                             ui::FromRecordBytes(selected->name);
    if (ui::ShowMessage(question, ui::kStyleQuestion) != ui::kAnswerOk)
        return;
    site_ = NetworkSite{};
    zax::SetText(site_.SitePrefix, prefix);
    const ui::StatusMessage statuses[] = {
        {zax::StatusStillReferenced, ui::StringId::SiteReferenced},
    };
    if (!CallServer([&] { return session_.Server().DeleteSite(site_); }, statuses).Succeeded())
        return;
    rows_->RemoveRow(prefix);
    if (RowCount() == 0) {
        EnableRowButtons(false);
        return;
    }
    form_->list->SelectRow(0);
}

} // namespace network
