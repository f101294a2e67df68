// The Fax page (171): the line the mailbox's faxes arrive on; empty for none.
#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui_CPageMbxFax.h"

namespace mailbox {
namespace {

class CPageMbxFax : public ui::FormPage<Ui::CPageMbxFax, MailboxPage> {
public:
    explicit CPageMbxFax(const PageContext& c) : FormPage(ui::DialogId::PageMbxFax, c) {
        const int maxLine = System().MaxLineNumber;
        const auto line = [maxLine](const std::string& text, int& value) {
            return core::CheckLineNumber(text, maxLine, value) == core::FieldValid;
        };
        Bind({ui::bind::Number(FaxCtl::FaxLine, &zax::MailboxRecord::FaxLine,
                               MailboxString::InvalidFaxLine, line, 0)});
    }
};

} // namespace

MailboxPage* MakeFaxPage(const PageContext& context) {
    return new CPageMbxFax(context);
}

} // namespace mailbox
