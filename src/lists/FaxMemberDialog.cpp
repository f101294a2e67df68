#include "lists/FaxMemberDialog.h"

#include "lists/ListsIds.h"
#include "ui_FaxMemberDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/StringIds.h"

#include <QRadioButton>

#include <array>

namespace lists {

using namespace FaxMemberCtl;
using zax::FaxRoute;
using zax::GroupListRecord;

namespace {

constexpr size_t kMaxFaxName = 16;

// Each route's radio button, the number box it enables, and whether the
// telephone number goes with it.
struct RouteControls {
    int radio;
    int box;
    bool phone;
};
constexpr std::array<RouteControls, 3> kRoutes = {{
    {Line, LineNumber, true},
    {Pool, PoolNumber, true},
    {Extension, ExtensionNumber, false},
}};

} // namespace

FaxMemberDialog::FaxMemberDialog(zax::Session& session, QWidget* parent)
    : EntryDialog(ui::DialogId::FaxGroupMember, ui::EntryMode::Add, parent), session_(session),
      form_(std::make_unique<Ui::FaxMemberDialog>()) {
    form_->setupUi(this);
    using namespace ui::StringId;
    using ui::bind::Rule;
    const zax::SystemInfo& si = session_.systemInfo;
    const auto text = [](const ui::ControlAccess& host, int id) {
        return ui::RecordBytes(host.ControlText(id));
    };
    Bind({
        ui::bind::Text(Name, &GroupListRecord::FaxMemberName, InvalidName,
                       [](const std::string& t) {
                           return core::CheckLabel(t, 1, kMaxFaxName) == core::FieldValid;
                       }),
        Rule<GroupListRecord>(Phone, InvalidDialableNumber,
                              [=](GroupListRecord& r, const ui::ControlAccess& host) {
                                  if (host.IsChecked(Extension))
                                      return true;
                                  std::string dial;
                                  if (core::CheckDialString(text(host, Phone), dial) !=
                                      core::FieldValid)
                                      return false;
                                  zax::SetText(r.DialString, dial);
                                  return true;
                              }),
        Rule<GroupListRecord>(LineNumber, InvalidLineNumber,
                              [=](GroupListRecord& r, const ui::ControlAccess& host) {
                                  int line = 0;
                                  if (!host.IsChecked(Line))
                                      return true;
                                  if (core::CheckLineNumber(text(host, LineNumber),
                                                            si.MaxLineNumber,
                                                            line) != core::FieldValid)
                                      return false;
                                  r.FaxRoute = static_cast<int16_t>(FaxRoute::ByLine);
                                  r.LineOrPoolNumber = static_cast<int16_t>(line);
                                  return true;
                              }),
        Rule<GroupListRecord>(PoolNumber, InvalidPoolNumber,
                              [=](GroupListRecord& r, const ui::ControlAccess& host) {
                                  int pool = 0;
                                  if (!host.IsChecked(Pool))
                                      return true;
                                  if (core::CheckPoolNumber(text(host, PoolNumber),
                                                            si.MaxPoolNumber,
                                                            pool) != core::FieldValid)
                                      return false;
                                  r.FaxRoute = static_cast<int16_t>(FaxRoute::ByPool);
                                  r.LineOrPoolNumber = static_cast<int16_t>(pool);
                                  return true;
                              }),
        Rule<GroupListRecord>(ExtensionNumber, InvalidExtension,
                              [=](GroupListRecord& r, const ui::ControlAccess& host) {
                                  if (!host.IsChecked(Extension))
                                      return true;
                                  const std::string extension = text(host, ExtensionNumber);
                                  if (core::CheckMailboxNumber(extension, si.ExtensionLength) !=
                                      core::FieldValid)
                                      return false;
                                  r.FaxRoute = static_cast<int16_t>(FaxRoute::ByExtension);
                                  r.LineOrPoolNumber = 0;
                                  zax::SetText(r.DialString, extension);
                                  return true;
                              }),
    });
    for (const RouteControls& route : kRoutes)
        connect(ControlAs<QRadioButton>(route.radio), &QRadioButton::clicked, this,
                [this, radio = route.radio] { ChooseRoute(radio); });
}

FaxMemberDialog::~FaxMemberDialog() = default;

bool FaxMemberDialog::OnInitDialog() {
    EntryDialog::OnInitDialog();
    ChooseRoute(Line);
    FocusControl(Name);
    return true;
}

void FaxMemberDialog::ChooseRoute(int radio) {
    for (const RouteControls& route : kRoutes) {
        if (route.radio != radio)
            continue;
        SetChecked(radio, true);
        EnableControl(Phone, route.phone);
        for (const RouteControls& other : kRoutes)
            EnableControl(other.box, other.radio == radio);
        FocusControl(route.box);
    }
}

} // namespace lists
