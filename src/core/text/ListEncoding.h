// The text encoding a person picks for CSV and text lists: the system's (what Vek always
// wrote), UTF-8, UTF-8 with a byte-order mark (what Excel needs to read UTF-8), or Shift_JIS
// as Windows writes it (CP932, what Excel reads a CSV without a mark as on Japanese systems).
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "core/text/TextCodec.h"

namespace vek {

enum class ListEncoding { System, Utf8, Utf8WithMark, Cp932 };

// The codec that writes the list's text.
TextCodec listCodec(ListEncoding encoding);
// The bytes the file starts with (the UTF-8 byte-order mark, or nothing).
QByteArray listByteOrderMark(ListEncoding encoding);
// Where an encoding's name stands: in a message's sentence, or as an item of a choice box, in
// the dialogs' full-width brackets.
enum class EncodingCaption { Message, Choice };
// The name a person sees: "UTF-8", "UTF-8 (BOM付き)", "Shift_JIS (CP932)" or the system's
// encoding in messages; "UTF-8（BOM付き）", "Shift_JIS（CP932）", "システムの文字コード（UTF-8）"
// as choices.
QString listEncodingName(ListEncoding encoding, EncodingCaption caption = EncodingCaption::Message);

// The value of the batch switch and of the settings key: SYSTEM, UTF8, UTF8BOM, CP932.
QString listEncodingKeyword(ListEncoding encoding);
// Reads such a value as the output type is read: case and width do not matter ("ｕｔｆ８").
// nullopt for anything else.
std::optional<ListEncoding> listEncodingFromKeyword(const QString& text);

}  // namespace vek
