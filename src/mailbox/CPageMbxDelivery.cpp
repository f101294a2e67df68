#include "mailbox/CPageMbxDelivery.h"

#include "mailbox/MailboxIds.h"
#include "ui_CPageMbxDelivery.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace mailbox {

using namespace DeliveryCtl;

namespace {
// One or two digits with a value within the bounds; stores it when it is.
bool CheckTwoDigits(const QString& text, uint16_t high, int16_t& field) {
    uint16_t value = 0;
    if (core::CheckNumberField(ui::RecordBytes(text), 1, 2, true, 1, high, value) != core::FieldValid)
        return false;
    field = static_cast<int16_t>(value);
    return true;
}
} // namespace

CPageMbxDelivery::CPageMbxDelivery(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxDelivery, record, system),
      form_(std::make_unique<Ui::CPageMbxDelivery>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxDelivery::~CPageMbxDelivery() = default;

void CPageMbxDelivery::LoadFromRecord() {
    retries_ = QString::number(Record().FaxRetries);
    interval_ = QString::number(Record().FaxInterval);
}

void CPageMbxDelivery::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeText(dx, Retries, retries_);
    ui::ExchangeText(dx, Interval, interval_);
}

bool CPageMbxDelivery::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    // Both are checked; when both are wrong the interval is reported.
    const bool retriesValid = CheckTwoDigits(retries_, 99, Record().FaxRetries);
    const bool intervalValid = CheckTwoDigits(interval_, 60, Record().FaxInterval);
    if (!intervalValid)
        return Refuse(Interval, InvalidIntervalValue);
    if (!retriesValid)
        return Refuse(Retries, InvalidRetriesValue);
    return Accept();
}

} // namespace mailbox
