#include "app/ConnectingDialog.h"

#include "ui/ResourceIds.h"
#include "ui_ConnectingDialog.h"

#include <QApplication>

namespace app {

ConnectingDialog::ConnectingDialog(QWidget* parent)
    : TemplateDialog(ui::DialogId::Connecting, parent), form_(new Ui::ConnectingDialog) {
    form_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
}

ConnectingDialog::~ConnectingDialog() = default;

void ConnectingDialog::ShowNow() {
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace app
