// The program's version, release date and home page, set in one place of the build (CMakeLists.txt)
// and shown alike by `vek --version` and the about box.
#pragma once

#include <QString>

namespace vek {

// "1.0.0"
QString programVersion();
// "YYYY/MM/DD"
QString releaseDate();
// Where to find the program, its news and its manual online; empty when the build names no home
// page (VEK_HOMEPAGE_URL).
QString homePage();
// The line `vek --version` prints, without its line end.
QString versionLine();

}  // namespace vek
