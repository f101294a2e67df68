#include "ui/EntryListDialog.h"

#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/RowTableModel.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"
#include "ui_EntryListDialog.h"

#include <QHeaderView>
#include <QPushButton>

#include <utility>

namespace ui {

using Rows = RowTableModel<EntryRow>;

EntryListDialog::EntryListDialog(int templateId, std::vector<int> headers, bool extraButton,
                                 QWidget* parent)
    : TemplateDialog(templateId, parent), headers_(std::move(headers)),
      form_(std::make_unique<Ui::EntryListDialog>()) {
    form_->setupUi(this);
    rows_ = new Rows([](const EntryRow& r) -> std::string_view { return r.Key(); }, form_->list);
    form_->list->SetRowModel(rows_);
    if (!extraButton) {
        delete form_->extra;
        form_->extra = nullptr;
    } else {
        connect(form_->extra, &QPushButton::clicked, this, [this] { OnExtra(); });
    }
    connect(form_->list, &ReportListView::RowActivated, this, [this] { OnChange(); });
    connect(form_->add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(form_->change, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(form_->remove, &QPushButton::clicked, this, [this] { OnDelete(); });
}

EntryListDialog::~EntryListDialog() = default;

ReportListView* EntryListDialog::List() const {
    return form_->list;
}

int EntryListDialog::RowCount() const {
    return rows_->RowCount();
}

const EntryRow& EntryListDialog::RowAt(int index) const {
    return rows_->At(index);
}

int EntryListDialog::FindRow(const std::string& key) const {
    return rows_->FindKey(key);
}

QString EntryListDialog::DeleteSubject(const EntryRow& row) const {
    return FromRecordBytes(row.Key());
}

bool EntryListDialog::Load() {
    std::vector<Rows::Column> columns;
    for (size_t c = 0; c < headers_.size(); ++c)
        columns.push_back(
            {LanguageModule::String(headers_[c]), [c](const EntryRow& r) -> std::string_view {
                 return c < r.cells.size() ? std::string_view(r.cells[c]) : std::string_view();
             }});
    rows_->SetColumns(std::move(columns));

    std::vector<EntryRow> rows;
    {
        WaitCursor wait;
        const CallResult read =
            ReadEntries([&rows](EntryRow row) { rows.push_back(std::move(row)); });
        if (!read.Succeeded())
            return false; // reported; the list closes
    }
    rows_->SetRows(std::move(rows));
    form_->list->SortByColumn(0);
    EnableRowButtons(RowCount() > 0);
    if (RowCount() > 0)
        form_->list->SelectRow(0);
    return true;
}

bool EntryListDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    form_->list->header()->setStretchLastSection(true);
    const int columns = static_cast<int>(headers_.size());
    const int width = form_->list->viewport()->width();
    for (int c = 0; c + 1 < columns; ++c)
        form_->list->setColumnWidth(c, width / columns);
    form_->list->setFocus();
    return true;
}

void EntryListDialog::EnableRowButtons(bool enable) {
    form_->change->setEnabled(enable);
    form_->remove->setEnabled(enable);
}

int EntryListDialog::SelectedIndex() const {
    return form_->list->SelectedRow();
}

// The row takes its sorted place and becomes the selected one.
void EntryListDialog::PutRow(EntryRow row) {
    const std::string key = row.Key();
    rows_->RemoveRow(key);
    rows_->AppendRows({std::move(row)});
    form_->list->SortByColumn(0);
    form_->list->SelectKey(key);
    EnableRowButtons(true);
}

void EntryListDialog::OnAdd() {
    if (std::optional<EntryRow> row = AddEntry())
        PutRow(std::move(*row));
}

void EntryListDialog::OnChange() {
    const int index = SelectedIndex();
    if (index < 0) {
        ShowMessage(LanguageModule::String(StringId::SelectEntryToChange));
        return;
    }
    const EntryRow old = RowAt(index);
    if (std::optional<EntryRow> row = ChangeEntry(old)) {
        rows_->RemoveRow(old.Key());
        PutRow(std::move(*row));
    }
}

void EntryListDialog::OnDelete() {
    const int index = SelectedIndex();
    if (index < 0) {
        ShowMessage(LanguageModule::String(StringId::SelectEntryToDelete));
        return;
    }
    const EntryRow row = RowAt(index);
    const QString question = LanguageModule::String(StringId::DeletePrefix) + DeleteSubject(row);
    if (ShowMessage(question, kStyleQuestion) != kAnswerOk)
        return;
    if (!DeleteEntry(row))
        return;
    rows_->RemoveRow(row.Key());
    EnableRowButtons(RowCount() > 0);
    if (RowCount() > 0)
        form_->list->SelectRow(0);
}

} // namespace ui
