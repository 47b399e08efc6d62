#pragma once
// The program as the desktop knows it: the desktop file's name, by which a Wayland compositor
// groups its windows with the launcher, and the icon in every window's title bar (instead of
// the toolkit's own).

namespace velor {

// On the running application; before the first window opens.
void ApplyDesktopIdentity();

}  // namespace velor
