// The writers' choices that make a list prove a delivery: the relative-path column, the digest
// column, the checksum file, the delivery check's column and the XML names of the three columns.
// They live in Vek.ini's own section [VekDelivery], written only once a choice differs from its
// default (or the section is already there), so that a file Vek writes keeps the bytes and keys
// every other reader of Vek.ini knows.
#pragma once

namespace vek {

class IniFile;
struct Settings;

inline constexpr char16_t kDeliverySection[] = u"VekDelivery";

// Unknown or missing values keep what settings holds.
void readDeliverySettings(const IniFile& ini, Settings& settings);
void writeDeliverySettings(IniFile& ini, const Settings& settings);

}  // namespace vek
