#include "ui/MessageDialog.h"

#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_MessageDialog.h"

#include <QStyle>

namespace ui {
namespace {
constexpr int kMaxLineWidth = 420;
}

MessageDialog::MessageDialog(const QString& text, int style, QWidget* parent)
    : TemplateDialog(DialogId::Message, parent), form_(std::make_unique<Ui::MessageDialog>()),
      text_(text), warning_(style == kStyleWarning) {
    form_->setupUi(this);
    // The message is not a template text, so it is set before the first
    // layout. Only long messages wrap; a wrapped label would start narrow.
    form_->text->setText(text_);
    form_->text->ensurePolished();
    const int oneLine = form_->text->fontMetrics().horizontalAdvance(text_);
    form_->text->setWordWrap(oneLine > kMaxLineWidth || text_.contains(QLatin1Char('\n')));
    if (form_->text->wordWrap()) {
        form_->text->setMinimumWidth(kMaxLineWidth);
    }
    const auto icon = warning_ ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxQuestion;
    const int size = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    form_->icon->setPixmap(this->style()->standardIcon(icon, nullptr, this).pixmap(size, size));
    form_->cancelButton->setVisible(!warning_);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

MessageDialog::~MessageDialog() = default;

bool MessageDialog::OnInitDialog() {
    setWindowTitle(LanguageModule::String(StringId::ProgramTitle));
    form_->okButton->setDefault(true);
    form_->okButton->setFocus();
    return TemplateDialog::OnInitDialog();
}

} // namespace ui
