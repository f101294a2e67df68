// The Delivery page (172): how often and how far apart a fax mailbox retries.
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxDelivery.h"

namespace mailbox {
namespace {

using namespace DeliveryCtl;
using zax::MailboxRecord;

class CPageMbxDelivery : public ui::FormPage<Ui::CPageMbxDelivery, MailboxPage> {
public:
    explicit CPageMbxDelivery(const PageContext& c) : FormPage(ui::DialogId::PageMbxDelivery, c) {
        using namespace ui::StringId;
        using ui::bind::Digits;
        // When both are wrong the interval is reported.
        Bind({
            ui::bind::Number(Interval, &MailboxRecord::FaxInterval, InvalidIntervalValue,
                             Digits(1, 2, 1, 60)),
            ui::bind::Number(Retries, &MailboxRecord::FaxRetries, InvalidRetriesValue,
                             Digits(1, 2, 1, 99)),
        });
    }
};

} // namespace

MailboxPage* MakeDeliveryPage(const PageContext& context) {
    return new CPageMbxDelivery(context);
}

} // namespace mailbox
