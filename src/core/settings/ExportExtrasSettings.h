// The writers' totals and prefix replacement in Vek.ini's own sections [VekTotals] and
// [VekPathPrefix]: each written only once a choice in it differs from its default (or the
// section is already there), so a file Vek writes keeps the bytes every other reader knows.
#pragma once

namespace vek {

class IniFile;
struct Settings;

inline constexpr char16_t kTotalsSection[] = u"VekTotals";
inline constexpr char16_t kPathPrefixSection[] = u"VekPathPrefix";

// Missing or unreadable values keep what settings holds.
void readExportExtrasSettings(const IniFile& ini, Settings& settings);
void writeExportExtrasSettings(IniFile& ini, const Settings& settings);

}  // namespace vek
