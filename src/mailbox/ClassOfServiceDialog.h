#pragma once
// Edit Class of Service (dialog 114): all 16 classes of service read when it
// opens, stepped through with the class list, and written back on OK.

#include "server/Records.h"
#include "ui/RecordBinding.h"
#include "ui/TemplateDialog.h"

#include <array>
#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class ClassOfServiceDialog;
}

namespace mailbox {

class ClassOfServiceDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit ClassOfServiceDialog(zax::Session& session, QWidget* parent = nullptr);
    ~ClassOfServiceDialog() override;

    // Reads the 16 classes; false when any could not be read (its message
    // was shown) or a transport failure is ending the program.
    bool Load() override;

    const std::array<zax::CosRecord, zax::ClassOfServiceCount>& Classes() const { return classes_; }
    // Index (0 to 15) of the class on display.
    int DisplayedIndex() const { return displayed_; }

    // The list's choice of another class: the one on display is checked
    // and stored first, and stays when that fails.
    void OnClassChosen(int index);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ShowClass(int index);
    bool CheckAndStore();
    void EnableNotificationFields(bool enable);

    zax::Session& session_;
    std::unique_ptr<Ui::ClassOfServiceDialog> form_;
    ui::BindingTable<zax::CosRecord> bindings_;
    std::array<zax::CosRecord, zax::ClassOfServiceCount> classes_{};
    int displayed_ = 0;
};

} // namespace mailbox
