#include "ui/PropertySheet.h"

#include "ui/LanguageModule.h"
#include "ui/RecordPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

PropertySheet::PropertySheet(const QString& caption, QWidget* parent)
    : ModalBase(parent), tabs_(new QTabWidget), ok_(new QPushButton), cancel_(new QPushButton),
      apply_(new QPushButton), help_(new QPushButton) {
    setWindowTitle(caption);
    ok_->setProperty(kCtrlIdProperty, ControlId::Ok);
    cancel_->setProperty(kCtrlIdProperty, ControlId::Cancel);
    apply_->setProperty(kCtrlIdProperty, ControlId::Apply);
    help_->setProperty(kCtrlIdProperty, ControlId::Help);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok_, cancel_, apply_, help_}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    ok_->setDefault(true);
    apply_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    connect(apply_, &QPushButton::clicked, this, [this] { OnApplyNow(); });
    connect(help_, &QPushButton::clicked, this, [this] { OnHelp(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
    Retranslate();
}

PropertySheet::~PropertySheet() = default;

void PropertySheet::Retranslate() {
    ok_->setText(LanguageModule::String(StringId::ButtonOk));
    cancel_->setText(LanguageModule::String(StringId::ButtonCancel));
    apply_->setText(LanguageModule::String(StringId::ButtonApply));
    help_->setText(LanguageModule::String(StringId::ButtonHelp));
}

void PropertySheet::AddPage(RecordPage* page) {
    page->SetSheet(this);
    pages_.push_back(page);
    const QSignalBlocker block(tabs_); // pages activate when shown, not when added
    tabs_->addTab(page, LanguageModule::DialogText(page->TemplateId(), ControlId::Caption));
}

RecordPage* PropertySheet::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

int PropertySheet::ActiveIndex() const {
    return tabs_->currentIndex();
}

void PropertySheet::SetActivePage(int index) {
    if (Page(index) == nullptr) {
        return;
    }
    if (tabs_->currentIndex() == index) {
        OnTabChanged(index);
    } else {
        tabs_->setCurrentIndex(index); // activates through OnTabChanged
    }
}

void PropertySheet::OnTabChanged(int index) {
    RecordPage* leaving = Page(shownIndex_);
    if (leaving != nullptr && index != shownIndex_ && !leaving->OnKillActive()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(shownIndex_);
        return;
    }
    shownIndex_ = index;
    if (RecordPage* page = Page(index)) {
        page->Activate();
        OnPageActivated(index);
    }
}

void PropertySheet::ActivateAllPages(int front) {
    for (int i = 0; i < PageCount(); ++i) {
        SetActivePage(i);
    }
    if (Page(front) != nullptr) {
        SetActivePage(front);
    }
}

void PropertySheet::KeepAllTabsInSight() {
    tabs_->setUsesScrollButtons(false);
}

void PropertySheet::SetModified(bool modified) {
    modified_ = modified;
    apply_->setEnabled(modified);
}

bool PropertySheet::ApplyPages() {
    // The page in front is left first, as switching tabs would leave it.
    if (RecordPage* front = Page(shownIndex_); front != nullptr && !front->OnKillActive()) {
        return false;
    }
    for (int i = 0; i < PageCount(); ++i) {
        RecordPage* page = pages_[static_cast<std::size_t>(i)];
        if (page->WasActivated() && !page->OnApply()) {
            const QSignalBlocker block(tabs_);
            tabs_->setCurrentIndex(i);
            shownIndex_ = i;
            return false;
        }
    }
    return true;
}

int PropertySheet::FirstInvalidPage() const {
    for (int i = 0; i < PageCount(); ++i) {
        if (!pages_[static_cast<std::size_t>(i)]->IsPageValid()) {
            return i;
        }
    }
    return -1;
}

void PropertySheet::reject() {
    EndSheet(ControlId::Cancel);
}

void PropertySheet::ShowApplyButton(bool show) {
    apply_->setVisible(show);
}

void PropertySheet::OnOK() {
    if (ApplyPages()) {
        EndSheet(ControlId::Ok);
    }
}

void PropertySheet::OnApplyNow() {
    if (ApplyPages()) {
        OnApplied();
    }
}

int PropertySheet::HelpContext() const {
    const RecordPage* page = Page(ActiveIndex());
    return page != nullptr ? DialogHelpContext(page->TemplateId()) : 0;
}

void PropertySheet::showEvent(QShowEvent* event) {
    Retranslate();
    if (shownIndex_ < 0 && PageCount() > 0) {
        SetActivePage(tabs_->currentIndex() < 0 ? 0 : tabs_->currentIndex());
    }
    QDialog::showEvent(event);
}

} // namespace ui
