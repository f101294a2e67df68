#include "greetings/CGtgTable.h"

#include "greetings/GreetingIds.h"
#include "greetings/GreetingPage.h"

#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QShowEvent>

namespace greetings {
namespace {

constexpr ui::StatusMessage kSaveStatuses[] = {
    {zax::StatusNoSuchCcrTree, ui::StringId::InvalidCcrTree},
};

QString Caption(int table) {
    return ui::LanguageModule::String(GreetingString::SheetCaption) + QString::number(table);
}

// The pages in tab order; SpeechRecPage is the last.
constexpr GreetingPage* (*kPageMakers[CGtgTable::kPageCount])(const PageContext&) = {
    MakeNumbersPage, MakeHoursPage, MakeAnswerPage, MakeSpeechRecPage};

} // namespace

CGtgTable::CGtgTable(zax::Session& session, int table, StartPage start, EditPrompt editPrompt,
                     QWidget* parent)
    : PropertySheet(Caption(table), parent), session_(session), start_(start),
      editPrompt_(std::move(editPrompt)) {
    record_.TableNumber = static_cast<int16_t>(table);
    KeepAllTabsInSight();
}

CGtgTable::~CGtgTable() = default;

bool CGtgTable::Load() {
    const int16_t table = record_.TableNumber;
    record_ = {};
    record_.TableNumber = table;
    if (!CallServer([&] { return session_.Server().GetGreetingTable(record_); }).Succeeded())
        return false;
    const PageContext context{record_, session_, editPrompt_};
    for (auto make : kPageMakers)
        AddPage(make(context));
    return true;
}

void CGtgTable::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        setWindowTitle(Caption(record_.TableNumber));
        // Only the page in front loads; the others load when first shown.
        if (start_ == SpeechRecPage)
            SetActivePage(SpeechRecPage);
    }
    PropertySheet::showEvent(event);
}

// A save the server refuses keeps the sheet open, so that the administrator
// can correct the table rather than lose every change made to it.
void CGtgTable::OnOK() {
    if (ApplyPages() && Save())
        EndSheet(ui::ControlId::Ok);
}

void CGtgTable::OnApplied() {
    if (const int invalid = FirstInvalidPage(); invalid >= 0) {
        SetActivePage(invalid);
        return;
    }
    Save();
}

bool CGtgTable::Save() {
    if (!IsModified())
        return true;
    if (!CallServer([&] { return session_.Server().SetGreetingTable(record_); }, kSaveStatuses)
             .Succeeded())
        return false;
    SetModified(false);
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->SetModified(false);
    return true;
}

} // namespace greetings
