#pragma once
// The greeting-table property sheet: one of the four tables, read whole
// when the sheet opens, edited by four pages on one shared copy, and written
// whole when the administrator confirms a change.

#include "greetings/PromptEditor.h"
#include "server/Records.h"
#include "ui/PropertySheet.h"

#include <array>

namespace zax {
struct Session;
}

namespace greetings {

class GreetingPage;

class CGtgTable : public ui::PropertySheet {
    Q_OBJECT
public:
    enum StartPage { FirstPage = 0, SpeechRecPage = 3 };
    static constexpr int kPageCount = 4;

    CGtgTable(zax::Session& session, int table, StartPage start, EditPrompt editPrompt,
              QWidget* parent = nullptr);
    ~CGtgTable() override;

    const zax::GreetingTableRecord& Record() const { return record_; }

protected:
    bool Load() override;
    void OnOK() override;
    void OnApplied() override;
    void showEvent(QShowEvent* event) override;

private:
    // Writes the record when a page has changed it; false when the server
    // refused it or the program is ending.
    bool Save();

    zax::Session& session_;
    StartPage start_;
    EditPrompt editPrompt_;
    zax::GreetingTableRecord record_{};
    bool prepared_ = false;
};

} // namespace greetings
