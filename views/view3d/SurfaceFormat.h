#pragma once
// The OpenGL surface the 3D views render into. Qt fixes a window's format when the window is
// created, so this must run before the application object exists.

namespace velor {

void UseSurfaceFormatFor3dViews();

}  // namespace velor
