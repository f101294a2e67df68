#include "mailbox/MailboxListDialog.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListRow.h"
#include "mailbox/MailboxTypes.h"
#include "ui_MailboxListDialog.h"

#include "server/Enumerate.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/RowTableModel.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

#include <string>
#include <utility>
#include <vector>

namespace mailbox {
namespace {

constexpr int kColumns = 3;

using MailboxRows = ui::RowTableModel<MailboxListRow>;

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// The type texts of one loading, each read from the language module the
// first time a code turns up: a list holds few distinct codes.
class TypeTexts {
public:
    const std::string& Of(int16_t type) {
        for (const auto& [code, text] : texts_)
            if (code == type)
                return text;
        return texts_.emplace_back(type, MailboxTypeText(type).toStdString()).second;
    }

private:
    std::vector<std::pair<int16_t, std::string>> texts_;
};

MailboxListRow RowOf(const zax::EntrySummary& e, TypeTexts& types) {
    return {zax::GetText(e.Name), zax::GetText(e.Number), types.Of(e.Type)};
}

} // namespace

MailboxListDialog::MailboxListDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::MailboxAdministration, parent), session_(session),
      form_(std::make_unique<Ui::MailboxListDialog>()) {
    form_->setupUi(this);
    ui::ReportListView* list = form_->list;
    // A row is known by its mailbox number. No columns until the server has
    // delivered a first entry.
    rows_ = new MailboxRows(&MailboxListRow::number, list);
    list->SetRowModel(rows_);
    list->header()->setStretchLastSection(false);
    connect(list, &QAbstractItemView::doubleClicked, this, [this] { OnChange(); });
    connect(form_->change, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(form_->remove, &QPushButton::clicked, this, [this] { OnDelete(); });
}

MailboxListDialog::~MailboxListDialog() = default;

ui::ReportListView* MailboxListDialog::List() const {
    return form_->list;
}

int MailboxListDialog::RowCount() const {
    return rows_->RowCount();
}

const MailboxListRow* MailboxListDialog::RowAt(int index) const {
    return index >= 0 && index < RowCount() ? &rows_->At(index) : nullptr;
}

bool MailboxListDialog::Load() {
    ui::WaitCursor wait;
    std::vector<MailboxListRow> rows;
    TypeTexts types;
    // The rows read before a failure stay listed.
    const ui::CallResult read = ui::GuardServerCall([&] {
        return zax::EnumerateEntries(
                   session_.Server(), zax::EntryKind::Mailbox, 0,
                   [&](const zax::EntrySummary& e) { rows.push_back(RowOf(e, types)); })
            .status;
    });
    const bool ending = read.outcome == ui::CallOutcome::TransportFailure;
    // Only a first entry brings the columns.
    if (!rows.empty())
        CreateColumns();
    rows_->SetRows(std::move(rows));

    if (RowCount() == 0) {
        EnableRowButtons(false);
    } else {
        SortBy(0);
        form_->list->setFocus();
        form_->list->SelectRow(0);
    }
    if (ending)
        EndDialog(ui::ControlId::Cancel);
    return !ending;
}

void MailboxListDialog::CreateColumns() {
    using namespace ui::StringId;
    using ui::LanguageModule;
    rows_->SetColumns({
        {LanguageModule::String(ColumnName), &MailboxListRow::name},
        {LanguageModule::String(ColumnNumber), &MailboxListRow::number},
        {LanguageModule::String(ColumnType), &MailboxListRow::typeText, ui::TextEncoding::Utf8},
    });
}

bool MailboxListDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    if (form_->list->ColumnCount() > 0) {
        // Three equal columns that together just fit the list, beside the
        // vertical scroll bar when the rows need one. The texts just filled
        // in change the buttons' widths, so the layout is settled first; the
        // scroll bar itself only shows later, so its room is reserved here.
        layout()->activate();
        ui::ReportListView* list = form_->list;
        list->doItemsLayout();
        int available = list->maximumViewportSize().width();
        if (list->verticalScrollBar()->maximum() > 0)
            available -= list->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < kColumns; ++c)
            list->setColumnWidth(c, available / kColumns - 1);
    }
    return true;
}

void MailboxListDialog::EnableRowButtons(bool enable) {
    form_->change->setEnabled(enable);
    form_->remove->setEnabled(enable);
}

void MailboxListDialog::SortBy(int column) {
    form_->list->SortByColumn(column);
}

void MailboxListDialog::OnChange() {
    const MailboxListRow* selected = RowAt(form_->list->SelectedRow());
    if (selected == nullptr)
        return;
    // The sheet writes the saved name into its row; the list shows it after.
    MailboxListRow row = *selected;
    CMbxProps sheet(session_, row.number, &row, this, SlotGeneral);
    sheet.Run();
    const std::string number = row.number;
    rows_->UpdateRow(number, std::move(row));
}

void MailboxListDialog::OnDelete() {
    const MailboxListRow* selected = RowAt(form_->list->SelectedRow());
    if (selected == nullptr)
        return;
    const std::string number = selected->number;
    const QString question = ui::LanguageModule::String(ui::StringId::DeletePrefix) +
                             Latin1(number) + QStringLiteral(", ") + Latin1(selected->name);
    if (ui::ShowMessage(question, ui::kStyleQuestion) != ui::kAnswerOk)
        return;
    zax::MailboxRecord record{};
    zax::SetText(record.Number, number);
    const ui::StatusMessage statuses[] = {
        {zax::StatusStillReferenced, ui::StringId::MailboxInUse},
        {zax::StatusSystemMailbox, ui::StringId::CannotDeleteSystemMailbox},
    };
    const ui::CallResult result =
        CallServer([&] { return session_.Server().DeleteMailbox(record); }, statuses);
    if (!result.Succeeded())
        return;
    rows_->RemoveRow(number);
    if (RowCount() == 0)
        EnableRowButtons(false);
}

} // namespace mailbox
