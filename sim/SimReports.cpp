// The simulated server's reports and statistics. A report is prepared from
// the state when it is requested: sent to the printer it is gone at once,
// returned to the client it is kept for this connection until the next
// request, and read with GetReportSize and GetReportText.

#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace zaxsim {

namespace {

constexpr int16_t kReportCount = 15;
constexpr int16_t kMailboxActivity = 5;

// The argument's text up to its first NUL.
std::string ArgumentText(const zax::Chars<8>& argument) {
    const auto end = std::find(argument.begin(), argument.end(), '\0');
    return std::string(argument.begin(), end);
}

bool AllDigits(const std::string& s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

zax::ServerStatus SimConnection::RequestReport(int16_t number, int16_t destination,
                                               const zax::Chars<8>& argument) {
    if (number < 1 || number > kReportCount)
        return StatusInvalidRecord;
    if (destination != zax::PrintOnKorPrinter && destination != zax::PrintDisplayLocally)
        return StatusInvalidRecord;
    // Only the activity report takes an argument: one mailbox, or none for all.
    std::string mailbox;
    if (number == kMailboxActivity) {
        mailbox = ArgumentText(argument);
        if (!AllDigits(mailbox))
            return StatusInvalidRecord;
        if (!mailbox.empty() && model_.state().FindMailbox(mailbox) == nullptr)
            return StatusNoEntry;
    }
    std::string text = BuildReportText(model_.state(), number, mailbox, std::time(nullptr));
    if (destination == zax::PrintOnKorPrinter)
        report_.reset(); // printed on the KOR: nothing to return
    else
        report_ = std::move(text);
    return 0;
}

zax::ServerStatus SimConnection::GetReportSize(int32_t& size) {
    size = report_ ? static_cast<int32_t>(report_->size()) : 0;
    return 0;
}

// As much of the prepared text as the buffer holds.
zax::ServerStatus SimConnection::GetReportText(int32_t bufferSize, int32_t& length,
                                               std::span<char> text) {
    length = 0;
    if (bufferSize < 0)
        return StatusInvalidRecord;
    if (!report_)
        return StatusNoEntry;
    const size_t n = std::min({report_->size(), static_cast<size_t>(bufferSize), text.size()});
    std::copy_n(report_->begin(), n, text.begin());
    length = static_cast<int32_t>(n);
    return 0;
}

zax::ServerStatus SimConnection::ResetStatistics() {
    StateChange change(model_);
    change.PutStatistics({}, {});
    return change.Commit();
}

} // namespace zaxsim
