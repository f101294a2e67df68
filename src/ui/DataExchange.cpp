#include "ui/DataExchange.h"

#include "ui/ControlAccess.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"

#include <QAbstractButton>

namespace ui {
void DataExchange::Fail(int controlId) {
    failed_ = true;
    host_.FocusControl(controlId);
}

void ExchangeText(DataExchange& dx, int controlId, QString& value, int maxChars) {
    if (dx.Saving()) {
        value = dx.Host().ControlText(controlId);
        if (maxChars >= 0) {
            value.truncate(maxChars);
        }
    } else {
        dx.Host().SetControlText(controlId, value);
    }
}

void ExchangeCheck(DataExchange& dx, int controlId, bool& checked) {
    if (dx.Saving()) {
        checked = dx.Host().IsChecked(controlId);
    } else {
        dx.Host().SetChecked(controlId, checked);
    }
}

void ExchangeRadio(DataExchange& dx, std::initializer_list<int> ids, int& index) {
    if (dx.Saving()) {
        index = -1;
        int i = 0;
        for (int id : ids) {
            if (dx.Host().IsChecked(id)) {
                index = i;
                break;
            }
            ++i;
        }
        return;
    }
    int i = 0;
    for (int id : ids) {
        // Exclusive groups refuse to uncheck their checked button directly.
        if (auto* button = dx.Host().ControlAs<QAbstractButton>(id)) {
            const bool exclusive = button->autoExclusive();
            button->setAutoExclusive(false);
            button->setChecked(i == index);
            button->setAutoExclusive(exclusive);
        }
        ++i;
    }
}

void ExchangeTimeField(DataExchange& dx, int controlId, int& seconds) {
    if (!dx.Saving()) {
        dx.Host().SetControlText(controlId, FormatTimeForDisplay(seconds));
        return;
    }
    const QString text = dx.Host().ControlText(controlId).left(99);
    int parsed = 0;
    if (ParseTimeFromDisplay(text, parsed)) {
        seconds = parsed;
        return;
    }
    ShowMessage(LanguageModule::String(StringId::InvalidTime), kStyleWarning);
    dx.Host().FocusControl(controlId);
    seconds = -1;
}

} // namespace ui
