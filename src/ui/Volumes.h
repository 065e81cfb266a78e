// The drive box's volumes: the mounted file systems a person keeps files on (not the kernel's
// own file systems), and which of them holds a path.
#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// Root paths of the mounted real volumes, "/" first, then in path order.
QStringList mountedVolumeRoots();

// The root among roots that holds path (the longest root that is path or a folder above it);
// empty when none does.
QString volumeHolding(const QString& path, const QStringList& roots);

}  // namespace vek
