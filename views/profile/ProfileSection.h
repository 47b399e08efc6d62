#pragma once
// The rectangular profile view's section without its window.

#include "views/chart/ChartSection.h"
