// The program's icon, built into the window library in the sizes the windows use.
#pragma once

#include <QIcon>

namespace vek {

QIcon programIcon();

}  // namespace vek
