#include "attendant/LineAdministrationDialog.h"

#include "attendant/AttendantIds.h"
#include "attendant/LineDialogs.h"
#include "ui_LineAdministrationDialog.h"

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

#include <charconv>
#include <cstdio>
#include <new>
#include <vector>

namespace attendant {

namespace {

using LineRows = ui::RowTableModel<LineRow>;

std::string ThreeDigits(int line) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", line);
    return text;
}

// The number a row's key holds; none when it is not one.
std::optional<int> LineOfRow(const LineRow& row) {
    int line = 0;
    const char* end = row.line.data() + row.line.size();
    const auto [rest, error] = std::from_chars(row.line.data(), end, line);
    if (error != std::errc() || rest != end || line < 1)
        return std::nullopt;
    return line;
}

// The row as one line of text, its columns separated as the list's heading is.
QString RowText(const LineRow& row) {
    return QString::fromStdString(row.line + "\t" + row.answer + "\t\t" + row.rings + "\t\t" +
                                  row.table);
}

} // namespace

LineAdministrationDialog::LineAdministrationDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::LineAdministration, parent), session_(session),
      form_(std::make_unique<Ui::LineAdministrationDialog>()) {
    form_->setupUi(this);
    rows_ = new LineRows(&LineRow::line, form_->list);
    form_->list->SetRowModel(rows_);
    connect(form_->list, &QAbstractItemView::doubleClicked, this, [this] { OnChange(); });
    connect(form_->change, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(form_->changeMany, &QPushButton::clicked, this, [this] { OnChangeMany(); });
}

LineAdministrationDialog::~LineAdministrationDialog() = default;

ui::ReportListView* LineAdministrationDialog::List() const {
    return form_->list;
}

int LineAdministrationDialog::RowCount() const {
    return rows_->RowCount();
}

const LineRow* LineAdministrationDialog::RowAt(int index) const {
    return index >= 0 && index < RowCount() ? &rows_->At(index) : nullptr;
}

LineRow LineAdministrationDialog::RowOf(int line, const zax::LineEntry& e) const {
    const int answer = e.AnswerFlag != 0 ? LineString::Yes : LineString::No;
    return {ThreeDigits(line), ui::LanguageModule::String(answer).toStdString(),
            std::to_string(e.Rings), std::to_string(e.GreetingTable)};
}

bool LineAdministrationDialog::Load() {
    const ui::WaitCursor wait;
    const int count = session_.systemInfo.MaxLineNumber;
    std::vector<zax::LineEntry> entries;
    try {
        entries.resize(static_cast<size_t>(std::max(count, 0)));
    } catch (const std::bad_alloc&) {
        ui::ShowStatusMessage(ui::StringId::OutOfMemory);
        return false;
    }
    if (count > 0 && !ui::GuardServerCall([&] {
                          return session_.Server().GetLines(static_cast<int16_t>(count), entries);
                      }).Succeeded())
        return false;
    std::vector<LineRow> rows;
    rows.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        rows.push_back(RowOf(static_cast<int>(i + 1), entries[i]));
    using ui::LanguageModule;
    rows_->SetColumns({
        {LanguageModule::String(LineString::ColumnLine), &LineRow::line},
        {LanguageModule::String(LineString::ColumnAnswer), &LineRow::answer,
         ui::TextEncoding::Utf8},
        {LanguageModule::String(LineString::ColumnRings), &LineRow::rings},
        {LanguageModule::String(LineString::ColumnTable), &LineRow::table},
    });
    rows_->SetRows(std::move(rows));
    form_->list->SelectRow(0);
    return true;
}

bool LineAdministrationDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    form_->list->header()->setSectionResizeMode(QHeaderView::Stretch);
    form_->list->setFocus();
    return true;
}

void LineAdministrationDialog::OnChange() {
    const LineRow* selected = RowAt(form_->list->SelectedRow());
    if (selected == nullptr) {
        ui::ShowStatusMessage(ui::StringId::SelectEntryToChange);
        return;
    }
    const std::optional<int> line = LineOfRow(*selected);
    if (!line) {
        ui::ShowStatusMessage(ui::StringId::InternalError);
        EndDialog(ui::ControlId::Cancel);
        return;
    }
    LineSettingsDialog dialog(session_, static_cast<int16_t>(*line), RowText(*selected), this);
    if (dialog.Run() == ui::ControlId::Ok)
        RefreshLine(*line);
    else if (ui::ProgramIsEnding())
        EndDialog(ui::ControlId::Cancel);
}

void LineAdministrationDialog::OnChangeMany() {
    LineRangeDialog dialog(session_, this);
    if (dialog.Run() != ui::ControlId::Ok) {
        if (ui::ProgramIsEnding())
            EndDialog(ui::ControlId::Cancel);
        return;
    }
    for (int line = dialog.From(); line <= dialog.To(); ++line)
        if (!RefreshLine(line))
            return;
}

// The row keeps its place in the list, whatever order the list is in.
bool LineAdministrationDialog::RefreshLine(int line) {
    zax::LineEntry entry{};
    int16_t table = 0;
    int16_t rings = 0;
    const ui::CallResult result = CallServer([&] {
        return session_.Server().GetLine(static_cast<int16_t>(line), entry.AnswerFlag, table,
                                         rings);
    });
    if (!result.Succeeded()) {
        EndDialog(ui::ControlId::Cancel);
        return false;
    }
    entry.GreetingTable = static_cast<uint8_t>(table);
    entry.Rings = static_cast<uint8_t>(rings);
    const std::string key = ThreeDigits(line);
    LineRow row = RowOf(line, entry);
    row.table = std::to_string(table);
    row.rings = std::to_string(rings);
    rows_->UpdateRow(key, std::move(row));
    form_->list->SelectKey(key);
    return true;
}

} // namespace attendant
