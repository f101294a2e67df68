#include "prompts/PromptHooks.h"

#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace prompts {
namespace {

UploadAnswer AskInStandardBox(const QString& question) {
    using ui::LanguageModule;
    QMessageBox box(QMessageBox::Question, LanguageModule::String(ui::StringId::ProgramTitle),
                    question, QMessageBox::NoButton, QApplication::activeWindow());
    // Qt labels standard buttons in its own language; the module decides here.
    QPushButton* yes =
        box.addButton(LanguageModule::String(ui::StringId::ButtonYes), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(LanguageModule::String(ui::StringId::ButtonNo), QMessageBox::NoRole);
    QPushButton* cancel =
        box.addButton(LanguageModule::String(ui::StringId::ButtonCancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return UploadAnswer::Yes;
    return box.clickedButton() == no ? UploadAnswer::No : UploadAnswer::Cancel;
}

} // namespace

PromptHooks DefaultPromptHooks() {
    PromptHooks h;
    h.askUpload = AskInStandardBox;
    return h;
}

PromptHooks& Hooks() {
    static PromptHooks hooks = DefaultPromptHooks();
    return hooks;
}

} // namespace prompts
