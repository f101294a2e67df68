#pragma once
// The Options page (169): alternate extensions, message waiting and call
// screening, which only make sense for a mailbox with an extension.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxOptions;
}

namespace mailbox {

class CPageMbxOptions : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxOptions(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxOptions() override;

    void LoadFromRecord() override;
    void UpdateControlStates() override;
    bool OnApply() override;
    // The extension may have changed on the General page meanwhile.
    void OnPageShown() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    bool HasExtension() const;
    bool CheckAlternate(const QString& text) const;

    std::unique_ptr<Ui::CPageMbxOptions> form_;
    QString alternate1_;
    QString alternate2_;
    bool messageWaiting_ = false;
    bool callScreening_ = false;
};

} // namespace mailbox
