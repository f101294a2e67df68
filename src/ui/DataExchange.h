#pragma once
// Dialog data exchange: one routine per dialog moves its fields into the
// controls (loading) or back (saving), pair by pair.

#include "ui/TimeText.h"

#include <QString>

#include <functional>
#include <initializer_list>

namespace ui {

class ControlAccess;

class DataExchange {
public:
    DataExchange(ControlAccess& host, bool saving) : host_(host), saving_(saving) {}

    bool Saving() const { return saving_; }
    ControlAccess& Host() const { return host_; }

    // A saved value was refused: focus the control; the exchange reports failure.
    void Fail(int controlId);
    bool Failed() const { return failed_; }

private:
    ControlAccess& host_;
    bool saving_;
    bool failed_ = false;
};

// Text of an edit, combo box or label. maxChars >= 0 keeps at most that many
// characters when saving, as a fixed-size field of the record would.
void ExchangeText(DataExchange& dx, int controlId, QString& value, int maxChars = -1);
void ExchangeCheck(DataExchange& dx, int controlId, bool& checked);
// A group of radio buttons: index of the checked one in ids, -1 for none.
void ExchangeRadio(DataExchange& dx, std::initializer_list<int> ids, int& index);

// The data exchange of a time edit. Loading shows the time; saving reads at
// most 99 characters and parses them. A text that cannot be read shows
// "Invalid time", focuses the control and sets seconds to -1; the exchange
// itself does not fail, callers test for -1.
void ExchangeTimeField(DataExchange& dx, int controlId, int& seconds);

} // namespace ui
