#pragma once
// Icons drawn from SVG documents. The document is read once and kept in
// memory, so an icon stays drawable after the resource it came from (a
// language module) is released. It is rendered afresh for every size and
// device pixel ratio asked for, which keeps it sharp at any scale; the
// disabled and selected looks are made by the application style.

#include <QIcon>
#include <QString>

namespace ui {

// The icon drawn from the SVG file at path; a null icon when the file is
// missing or is not a valid SVG document.
QIcon SvgIcon(const QString& path);

} // namespace ui
