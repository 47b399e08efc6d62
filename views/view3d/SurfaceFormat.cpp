#include "views/view3d/SurfaceFormat.h"

#include <QSurfaceFormat>
#include <QVTKOpenGLNativeWidget.h>

namespace velor {

void UseSurfaceFormatFor3dViews() { QSurfaceFormat::setDefaultFormat(QVTKOpenGLNativeWidget::defaultFormat()); }

}  // namespace velor
