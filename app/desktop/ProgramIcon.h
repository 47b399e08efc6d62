#pragma once
// The program's icon, drawn from its SVG: the same picture in the windows' title bars and, as
// PNG files rendered at build time, in the desktop's icon theme.

#include <QIcon>
#include <QImage>

namespace velor {

// The icon at size × size pixels, on a transparent background.
QImage RenderProgramIcon(int size);

// The icon at the sizes title bars, task switchers and docks ask for.
QIcon ProgramIcon();

}  // namespace velor
