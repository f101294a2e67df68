#pragma once
// What the two site dialogs and the site list share: the site prefix (typed
// only when adding), the site name (a name that does not pass becomes
// "Site" and the prefix, without a message), and how the list shows a site.

#include "server/Records.h"
#include "ui/RecordBinding.h"

#include <string>

namespace network {

// The row of the site prefix: shown always, read and checked only when
// adding (a site's prefix is its key and does not change).
ui::Binding<zax::NetworkSite> SitePrefixRow(int control, bool adding);
// The row of the site name; it never refuses. Comes after the prefix row.
ui::Binding<zax::NetworkSite> SiteNameRow(int control);
// The row that sets the site type (first in the checking order).
ui::Binding<zax::NetworkSite> SiteTypeRow(zax::SiteType type);

// The name a site is saved under when the typed one does not pass.
std::string FallbackSiteName(const std::string& prefix);

// One line of the site list: name, prefix and type text, as bytes.
struct SiteListRow {
    std::string name;     // record bytes
    std::string prefix;   // record bytes; the row's key
    std::string typeText; // UTF-8, from the language module
};
SiteListRow RowOfSite(const zax::NetworkSite& site);

} // namespace network
