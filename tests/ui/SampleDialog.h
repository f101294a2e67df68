#pragma once
// A dialog on template 110 (the Language dialog's texts) used to exercise the
// framework: radio exchange, a time field, the standard buttons.

#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/TemplateDialog.h"
#include "ui_SampleDialog.h"

#include <memory>

class SampleDialog : public ui::TemplateDialog {
public:
    explicit SampleDialog(QWidget* parent = nullptr)
        : TemplateDialog(ui::DialogId::Language, parent), form_(new Ui::SampleDialog) {
        form_->setupUi(this);
    }
    static constexpr int kTimeCtl = 1007;
    int selection = 0;
    int seconds = 0;

protected:
    void DoDataExchange(ui::DataExchange& dx) override {
        using namespace ui::LanguageCtl;
        ui::ExchangeRadio(dx, {EnglishUs, French, Spanish, EnglishUk, EnglishAus}, selection);
        ui::ExchangeTimeField(dx, kTimeCtl, seconds);
    }

private:
    std::unique_ptr<Ui::SampleDialog> form_;
};
