#pragma once
// What the tests of the keyed lists share: a list opened against the
// in-process server as the command would open it, its rows by key, and the
// entry dialog the list opens answered from a timer.

#include "DialogTestSupport.h"

#include "ui/EntryListDialog.h"
#include "ui/ReportListView.h"

#include <QAbstractButton>

#include <memory>
#include <string>
#include <vector>

namespace liststest {

template <class List> std::unique_ptr<List> OpenList(zax::Session& session) {
    auto list = std::make_unique<List>(session);
    EXPECT_TRUE(list->Load());
    list->show();
    return list;
}

inline std::vector<std::string> Keys(const ui::EntryListDialog& list) {
    std::vector<std::string> keys;
    for (int i = 0; i < list.RowCount(); ++i)
        keys.push_back(list.RowAt(i).Key());
    return keys;
}

inline std::string SelectedKey(const ui::EntryListDialog& list) {
    const int row = list.List()->SelectedRow();
    return row < 0 ? std::string("(none)") : list.RowAt(row).Key();
}

inline void Select(ui::EntryListDialog& list, const std::string& key) {
    ASSERT_TRUE(list.List()->SelectKey(key)) << key;
}

inline bool Enabled(const ui::EntryListDialog& list, int id) {
    return list.Control(id)->isEnabled();
}

// "&Change" and "&Delete" go together.
inline bool RowButtonsEnabled(const ui::EntryListDialog& list) {
    const bool change = Enabled(list, ui::EntryListCtl::Change);
    EXPECT_EQ(change, Enabled(list, ui::EntryListCtl::Delete));
    return change;
}

} // namespace liststest
