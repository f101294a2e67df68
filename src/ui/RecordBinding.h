#pragma once
// A dialog's or page's fields as a table: each row binds one control to one
// field of the record the window edits, with the check that guards it and
// the message shown when the check refuses what was typed. The window loads
// the whole table into its controls and stores it back in table order, so
// the table is also the order in which the checks run; the first refusal
// puts the focus on its control and shows its message.
//
// Special rules that do not fit a kind below are rows of their own (Rule),
// so they keep their place in the checking order.

#include "core/EntryChecks.h"
#include "ui/ControlAccess.h"
#include "ui/RecordText.h"
#include "ui/TimeText.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace ui {

template <class R> struct Binding {
    int control = 0; // focused when the value is refused
    int message = 0; // shown when the value is refused
    std::function<void(const R&, ControlAccess&)> load;
    std::function<bool(R&, const ControlAccess&)> store; // false: refused
    // The row counts only while this holds (null: always).
    std::function<bool(const R&)> when;

    bool Applies(const R& record) const { return !when || when(record); }
    // The same row, counted only while `condition` holds.
    Binding If(std::function<bool(const R&)> condition) && {
        when = std::move(condition);
        return std::move(*this);
    }
};

template <class R> using BindingTable = std::vector<Binding<R>>;

template <class R>
void LoadBindings(std::span<const Binding<R>> table, const R& record, ControlAccess& host) {
    for (const Binding<R>& b : table) {
        if (b.load && b.Applies(record)) {
            b.load(record, host);
        }
    }
}

// Stores the rows in order; the first row that refuses, or null.
template <class R>
const Binding<R>* StoreBindings(std::span<const Binding<R>> table, R& record,
                                const ControlAccess& host) {
    for (const Binding<R>& b : table) {
        if (b.store && b.Applies(record) && !b.store(record, host)) {
            return &b;
        }
    }
    return nullptr;
}

// A check of typed text (as the record's bytes).
using TextCheck = std::function<bool(const std::string& bytes)>;
// A check of typed digits that also yields their value.
using NumberCheck = std::function<bool(const std::string& bytes, int& value)>;

namespace bind {

// A fixed text field. The check sees the whole text as typed, so a text too
// long for the field is refused by a check that limits the length, never cut
// short behind the administrator's back; the field keeps at most N-1 bytes.
template <class R, size_t N>
Binding<R> Text(int control, char (R::*field)[N], int message = 0, TextCheck check = {}) {
    return {control,
            message,
            [=](const R& r, ControlAccess& host) {
                host.SetControlText(control, RecordText(r.*field));
            },
            [=](R& r, const ControlAccess& host) {
                const QString text = host.ControlText(control);
                if (check && !check(RecordBytes(text))) {
                    return false;
                }
                SetRecordText(r.*field, text);
                return true;
            },
            {}};
}

// A number typed as digits. `empty` is the value an empty box stands for,
// and the value that shows as an empty box (-1: an empty box is refused by
// the check like any other text).
template <class R, class T>
Binding<R> Number(int control, T R::*field, int message, NumberCheck check, int empty = -1) {
    static_assert(std::is_integral_v<T>);
    return {control,
            message,
            [=](const R& r, ControlAccess& host) {
                const int value = r.*field;
                host.SetControlText(control, value == empty && empty >= 0 ? QString()
                                                                          : QString::number(value));
            },
            [=](R& r, const ControlAccess& host) {
                const std::string text = RecordBytes(host.ControlText(control));
                int value = 0;
                if (text.empty() && empty >= 0) {
                    value = empty;
                } else if (!check(text, value)) {
                    return false;
                }
                r.*field = static_cast<T>(value);
                return true;
            },
            {}};
}

// minDigits..maxDigits decimal digits with a value in low..high.
inline NumberCheck Digits(size_t minDigits, size_t maxDigits, int low, int high) {
    return [=](const std::string& text, int& value) {
        std::uint16_t v = 0;
        const auto lo = static_cast<std::uint16_t>(low);
        const auto hi = static_cast<std::uint16_t>(high);
        if (core::CheckNumberField(text, minDigits, maxDigits, true, lo, hi, v) !=
            core::FieldValid) {
            return false;
        }
        value = v;
        return true;
    };
}

// A check box: ticked while the field is not `off`; stores `on` or `off`.
template <class R, class T> Binding<R> Check(int control, T R::*field, T on = 1, T off = 0) {
    return {control,
            0,
            [=](const R& r, ControlAccess& host) { host.SetChecked(control, r.*field != off); },
            [=](R& r, const ControlAccess& host) {
                r.*field = host.IsChecked(control) ? on : off;
                return true;
            },
            {}};
}

// Two radio buttons for one flag: `on` is checked while the field is
// nonzero, `off` while it is zero; stores 1 or 0. A flag whose zero stands
// for the first button of its pair names that button as `off`.
template <class R, class T> Binding<R> OnOff(int on, int off, T R::*field) {
    return {
        on,
        0,
        // The pair is exclusive: checking one clears the other.
        [=](const R& r, ControlAccess& host) { host.SetChecked(r.*field != 0 ? on : off, true); },
        [=](R& r, const ControlAccess& host) {
            r.*field = static_cast<T>(host.IsChecked(on) ? 1 : 0);
            return true;
        },
        {}};
}

// A group of radio buttons, one per value; a field with none of the values
// checks none and is left as it was.
template <class R, class T>
Binding<R> Radio(std::initializer_list<int> controls, T R::*field,
                 std::initializer_list<T> values) {
    std::vector<int> ids(controls);
    std::vector<T> codes(values);
    return {ids.front(),
            0,
            [=](const R& r, ControlAccess& host) {
                for (size_t i = 0; i < ids.size(); ++i) {
                    host.SetChecked(ids[i], r.*field == codes[i]);
                }
            },
            [=](R& r, const ControlAccess& host) {
                for (size_t i = 0; i < ids.size(); ++i) {
                    if (host.IsChecked(ids[i])) {
                        r.*field = codes[i];
                    }
                }
                return true;
            },
            {}};
}

// A drop-down list whose entry i stands for the value i + first. A value
// outside the list selects nothing and is kept rather than replaced.
template <class R, class T> Binding<R> ComboIndex(int control, T R::*field, int first = 0) {
    return {control,
            0,
            [=](const R& r, ControlAccess& host) {
                host.SetCurrentIndex(control, static_cast<int>(r.*field) - first);
            },
            [=](R& r, const ControlAccess& host) {
                const int index = host.CurrentIndex(control);
                if (index >= 0 && index < host.ItemCount(control)) {
                    r.*field = static_cast<T>(index + first);
                }
                return true;
            },
            {}};
}

// A time of day in seconds after midnight, shown and read with the active
// module's AM/PM texts. Typing marks the page modified; the time is read
// (and refused when unreadable) only when the page is applied.
template <class R, class T> Binding<R> Time(int control, T R::*field, int message) {
    return {control,
            message,
            [=](const R& r, ControlAccess& host) {
                host.SetControlText(control, FormatTimeForDisplay(static_cast<int>(r.*field)));
            },
            [=](R& r, const ControlAccess& host) {
                int seconds = 0;
                if (!ParseTimeFromDisplay(host.ControlText(control).left(99), seconds)) {
                    return false;
                }
                r.*field = static_cast<T>(seconds);
                return true;
            },
            {}};
}

// A rule of the window's own, in its place in the checking order.
template <class R>
Binding<R> Rule(int control, int message, std::function<bool(R&, const ControlAccess&)> store,
                std::function<void(const R&, ControlAccess&)> load = {}) {
    return {control, message, std::move(load), std::move(store), {}};
}

} // namespace bind

} // namespace ui
