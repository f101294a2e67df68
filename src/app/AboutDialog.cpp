#include "app/AboutDialog.h"

#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"
#include "ui_AboutDialog.h"

#include <QIcon>
#include <QLabel>

namespace app {

using namespace ui;

AboutDialog::AboutDialog(QWidget* parent)
    : TemplateDialog(DialogId::About, parent), form_(new Ui::AboutDialog) {
    form_->setupUi(this);
}

AboutDialog::~AboutDialog() = default;

bool AboutDialog::OnInitDialog() {
    form_->icon->setPixmap(LanguageModule::Icon().pixmap(32, 32));
    SetControlText(AboutCtl::Version, QStringLiteral(ZAX_PRODUCT_VERSION));
    return true;
}

} // namespace app
