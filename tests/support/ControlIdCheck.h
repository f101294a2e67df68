#pragma once
// The control ids of a window have one source of truth, its form: every id a
// language module gives a text for is a control of the form, and every
// control that shows a text has one in every module. (The code asking for an
// id the form lacks fails, through the warning it raises, the test that
// meets it.)

#include "ui/ControlAccess.h"
#include "ui/LanguageModule.h"
#include "ui/LanguageTables.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace testsupport {

struct TemplateWindow {
    int templateId;
    std::unique_ptr<QWidget> widget;
    std::set<int> filledByCode = {}; // labels the window fills itself (a version, a picture)
};

inline void
ExpectFormsAndModulesAgree(const std::function<std::vector<TemplateWindow>()>& makeWindows) {
    const auto showsText = [](const QWidget* w) {
        return qobject_cast<const QLabel*>(w) != nullptr ||
               qobject_cast<const QAbstractButton*>(w) != nullptr ||
               qobject_cast<const QGroupBox*>(w) != nullptr;
    };
    for (const char* module : {"", "frenchca.dll", "spanish.dll", "englishuk.dll"}) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        for (const TemplateWindow& w : makeWindows()) {
            SCOPED_TRACE(w.templateId);
            std::set<int> formIds;
            for (const QWidget* c : w.widget->findChildren<QWidget*>()) {
                const QVariant id = c->property(ui::kCtrlIdProperty);
                if (!id.isValid()) {
                    continue;
                }
                formIds.insert(id.toInt());
                if (showsText(c) && !w.filledByCode.count(id.toInt())) {
                    EXPECT_TRUE(ui::LanguageModule::HasDialogText(w.templateId, id.toInt()))
                        << "no text for control " << id.toInt();
                }
            }
            EXPECT_FALSE(formIds.empty());
            for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
                if (key.first == w.templateId && key.second != ui::ControlId::Caption) {
                    EXPECT_TRUE(formIds.count(key.second))
                        << "the module names control " << key.second << ", which the form lacks";
                }
            }
        }
    }
    ui::LanguageModule::Release();
}

} // namespace testsupport
