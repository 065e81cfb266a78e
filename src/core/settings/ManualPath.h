// Where the local manual readme.htm is: beside the program for portable use, else in the data
// folder of an installed program. F1 opens it; a missing manual is quietly ignored.
#pragma once

#include <QString>

#include "core/settings/InterfaceLanguage.h"

namespace vek {

// The first existing readme.htm of: the program folder (where Vek.ini lives), the executable's
// folder, and the installed data folder next to the executable (../share/vek unless the build
// chose other install folders; not share/doc, which minimal systems leave out when they install
// packages). In English, each folder's readme-en.htm comes before its readme.htm, so a folder
// holding only the Japanese manual still answers. Empty when none exists.
QString manualPath(const QString& programFolder, const QString& executableFolder,
                   InterfaceLanguage language = installedInterfaceLanguage());

// The same for the running program.
QString manualPath();

}  // namespace vek
