#include "MessageDialog.h"

#include "LanguageModule.h"
#include "Messages.h"
#include "ResourceIds.h"
#include "StringIds.h"
#include "ui_MessageDialog.h"

#include <QStyle>

namespace ui {

MessageDialog::MessageDialog(const QString& text, int style, QWidget* parent)
    : TemplateDialog(DialogId::Message, parent), form_(std::make_unique<Ui::MessageDialog>()),
      text_(text), warning_(style == kStyleWarning) {
    form_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

MessageDialog::~MessageDialog() = default;

bool MessageDialog::OnInitDialog() {
    setWindowTitle(LanguageModule::String(StringId::ProgramTitle));
    SetControlText(MessageCtl::Text, text_);
    const auto icon = warning_ ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxQuestion;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    form_->icon->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
    ShowControl(ControlId::Cancel, !warning_);
    form_->okButton->setDefault(true);
    form_->okButton->setFocus();
    adjustSize();
    return TemplateDialog::OnInitDialog();
}

} // namespace ui
