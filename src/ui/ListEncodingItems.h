// The text encodings of a CSV or text list as the items of a choice box: the CSV/text dialog and
// the command builder offer the same ones under the same captions.
#pragma once

class QComboBox;

namespace vek {

// Adds one item per encoding (system, UTF-8, UTF-8 with its mark, Shift_JIS), each holding
// int(ListEncoding) as its data.
void addListEncodingItems(QComboBox& box);

}  // namespace vek
