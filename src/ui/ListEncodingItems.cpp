#include "ui/ListEncodingItems.h"

#include <QComboBox>

#include "core/text/ListEncoding.h"

namespace vek {

void addListEncodingItems(QComboBox& box) {
  for (const ListEncoding encoding :
       {ListEncoding::System, ListEncoding::Utf8, ListEncoding::Utf8WithMark, ListEncoding::Cp932})
    box.addItem(listEncodingName(encoding, EncodingCaption::Choice), int(encoding));
}

}  // namespace vek
