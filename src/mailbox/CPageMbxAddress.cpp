// The Address page (173): where a remote mailbox is reached, by the
// telephone number of an AMIS system or by the prefix of a network site.
#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxAddress.h"

namespace mailbox {
namespace {

using namespace AddressCtl;
using zax::MailboxRecord;
using zax::MailboxType;

bool IsNetwork(const MailboxRecord& r) {
    return r.Type == static_cast<int16_t>(MailboxType::Network);
}
bool IsDialled(const MailboxRecord& r) {
    return !IsNetwork(r);
}
bool IsSitePrefix(const std::string& text) {
    return core::CheckDigits(text) == core::FieldValid;
}
bool IsDialString(const std::string& text) {
    std::string dialled;
    return core::CheckDialString(text, dialled) == core::FieldValid;
}
// 1 to 16 digits.
bool IsRemoteMailbox(const std::string& text) {
    uint16_t unused = 0;
    return core::CheckNumberField(text, 1, 16, false, 0, 0, unused) == core::FieldValid;
}

class CPageMbxAddress : public ui::FormPage<Ui::CPageMbxAddress, MailboxPage> {
public:
    explicit CPageMbxAddress(const PageContext& c) : FormPage(ui::DialogId::PageMbxAddress, c) {
        using namespace ui::StringId;
        using ui::bind::Text;
        Bind({
            Text(SitePrefix, &MailboxRecord::SitePrefix, InvalidSitePrefix, IsSitePrefix)
                .If(IsNetwork),
            Text(RemotePhone, &MailboxRecord::RemotePhoneNumber,
                 MailboxString::InvalidRemotePhoneNumber, IsDialString)
                .If(IsDialled),
            Text(RemoteMailbox, &MailboxRecord::RemoteMailbox, MailboxString::InvalidRemoteMailbox,
                 IsRemoteMailbox),
        });
    }

    void UpdateControlStates() override {
        if (IsNetwork(Record()))
            HideControls({RemotePhoneLabel, RemotePhone});
        else
            HideControls({SitePrefixLabel, SitePrefix});
    }
};

} // namespace

MailboxPage* MakeAddressPage(const PageContext& context) {
    return new CPageMbxAddress(context);
}

} // namespace mailbox
