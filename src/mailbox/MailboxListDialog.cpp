#include "mailbox/MailboxListDialog.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListRow.h"
#include "mailbox/MailboxTypes.h"
#include "ui_MailboxListDialog.h"

#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace mailbox {
namespace {

constexpr int kColumns = 3;

// The list entry carries its row: the tree owns the item and the item the
// row, so both go when the entry is removed or the dialog is destroyed.
class MailboxListItem : public QTreeWidgetItem {
public:
    explicit MailboxListItem(MailboxListRow r)
        : QTreeWidgetItem(
              QStringList{Latin1(r.name), Latin1(r.number), QString::fromUtf8(r.typeText.c_str())}),
          row(std::move(r)) {}

    const std::string& Column(int column) const {
        return column == 0 ? row.name : column == 1 ? row.number : row.typeText;
    }
    static QString Latin1(const std::string& s) {
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    }

    MailboxListRow row;
};

MailboxListItem* ItemOf(QTreeWidgetItem* item) {
    return static_cast<MailboxListItem*>(item);
}

MailboxListRow RowOf(const zax::EntrySummary& e) {
    return {zax::GetText(e.Name), zax::GetText(e.Number),
            MailboxTypeText(e.Type).toUtf8().toStdString()};
}

} // namespace

MailboxListDialog::MailboxListDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::MailboxAdministration, parent), session_(session),
      form_(std::make_unique<Ui::MailboxListDialog>()) {
    form_->setupUi(this);
    ui::ReportListView* list = form_->list;
    // No columns until the server has delivered a first entry.
    list->setColumnCount(0);
    list->setHeaderHidden(true);
    // Sorting is ours: ascending only, byte by byte, on every header click.
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(true);
    list->header()->setStretchLastSection(false);
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int c) { SortBy(c); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OnChange(); });
    connect(form_->change, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(form_->remove, &QPushButton::clicked, this, [this] { OnDelete(); });
}

MailboxListDialog::~MailboxListDialog() = default;

ui::ReportListView* MailboxListDialog::List() const {
    return form_->list;
}

int MailboxListDialog::RowCount() const {
    return form_->list->topLevelItemCount();
}

MailboxListRow* MailboxListDialog::RowAt(int index) const {
    QTreeWidgetItem* item = form_->list->topLevelItem(index);
    return item ? &ItemOf(item)->row : nullptr;
}

int MailboxListDialog::Run() {
    return Load() ? DoModal() : ui::ControlId::Cancel;
}

bool MailboxListDialog::Load() {
    ui::WaitCursor wait;
    zax::VoiceMailServer& server = session_.Server();
    const ui::StatusMessage endOfList[] = {{zax::StatusNoEntry, 0}};
    QList<QTreeWidgetItem*> items;
    bool ending = false;

    zax::EntrySummary first{};
    const auto kind = static_cast<int16_t>(zax::EntryKind::Mailbox);
    const ui::CallResult start =
        ui::GuardServerCall([&] { return server.FindFirstEntry(first, kind, 0); }, endOfList);
    ending = start.outcome == ui::CallOutcome::TransportFailure;
    if (start.Succeeded()) {
        CreateColumns();
        items.append(new MailboxListItem(RowOf(first)));
        std::array<zax::EntrySummary, kBatchSize> batch{};
        int16_t count = 0;
        do {
            count = 0;
            const ui::CallResult next = ui::GuardServerCall(
                [&] { return server.FindNextEntries(batch, kBatchSize, count); }, endOfList);
            ending = next.outcome == ui::CallOutcome::TransportFailure;
            if (!next.Succeeded())
                break;
            // The count comes from the server: never read past the batch.
            count = std::clamp<int16_t>(count, 0, kBatchSize);
            for (int16_t i = 0; i < count; ++i)
                items.append(new MailboxListItem(RowOf(batch[static_cast<size_t>(i)])));
        } while (count > kBatchSize - 1);
    }
    form_->list->addTopLevelItems(items);

    if (RowCount() == 0) {
        EnableRowButtons(false);
    } else {
        SortBy(0);
        form_->list->setFocus();
        form_->list->setCurrentItem(form_->list->topLevelItem(0));
    }
    if (ending)
        EndDialog(ui::ControlId::Cancel);
    return !ending;
}

void MailboxListDialog::CreateColumns() {
    using namespace ui::StringId;
    form_->list->setColumnCount(kColumns);
    form_->list->setHeaderLabels({ui::LanguageModule::String(ColumnName),
                                  ui::LanguageModule::String(ColumnNumber),
                                  ui::LanguageModule::String(ColumnType)});
    form_->list->setHeaderHidden(false);
}

bool MailboxListDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    if (form_->list->columnCount() > 0) {
        // Three equal columns that together just fit the list, beside the
        // vertical scroll bar when the rows need one. The texts just filled
        // in change the buttons' widths, so the layout is settled first; the
        // scroll bar itself only shows later, so its room is reserved here.
        layout()->activate();
        QTreeWidget* list = form_->list;
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
    QTreeWidget* list = form_->list;
    if (column < 0 || column >= kColumns || list->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* current = list->currentItem();
    QList<QTreeWidgetItem*> items = list->invisibleRootItem()->takeChildren();
    // std::string compares its bytes as unsigned characters.
    std::stable_sort(items.begin(), items.end(), [column](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return ItemOf(a)->Column(column) < ItemOf(b)->Column(column);
    });
    list->addTopLevelItems(items);
    list->header()->setSortIndicatorShown(true);
    list->header()->setSortIndicator(column, Qt::AscendingOrder);
    if (current != nullptr)
        list->setCurrentItem(current);
}

void MailboxListDialog::OnChange() {
    const auto selected = form_->list->selectedItems();
    if (selected.isEmpty())
        return;
    MailboxListItem* item = ItemOf(selected.front());
    CMbxProps sheet(session_, item->row.number, &item->row, this, SlotGeneral);
    sheet.Run();
    item->setText(0, MailboxListItem::Latin1(item->row.name));
}

void MailboxListDialog::OnDelete() {
    const auto selected = form_->list->selectedItems();
    if (selected.isEmpty())
        return;
    MailboxListItem* item = ItemOf(selected.front());
    const QString question = ui::LanguageModule::String(ui::StringId::DeletePrefix) +
                             MailboxListItem::Latin1(item->row.number) + QStringLiteral(", ") +
                             MailboxListItem::Latin1(item->row.name);
    if (ui::ShowMessage(question, ui::kStyleQuestion) != ui::kAnswerOk)
        return;
    zax::MailboxRecord record{};
    zax::SetText(record.Number, item->row.number);
    const ui::StatusMessage statuses[] = {
        {zax::StatusStillReferenced, ui::StringId::MailboxInUse},
        {zax::StatusSystemMailbox, ui::StringId::CannotDeleteSystemMailbox},
    };
    const ui::CallResult result =
        CallServer([&] { return session_.Server().DeleteMailbox(record); }, statuses);
    if (!result.Succeeded())
        return;
    delete item;
    if (RowCount() == 0)
        EnableRowButtons(false);
}

} // namespace mailbox
