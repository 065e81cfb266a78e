#include "ui/ListEncodingItems.h"

#include <QComboBox>
#include <QCoreApplication>

#include "core/text/ListEncoding.h"

namespace vek {

void addListEncodingItems(QComboBox& box) {
  box.addItem(QCoreApplication::translate("ListEncodingItems", "システムの文字コード（%1）")
                  .arg(listEncodingName(ListEncoding::System)),
              int(ListEncoding::System));
  box.addItem(QStringLiteral("UTF-8"), int(ListEncoding::Utf8));
  box.addItem(QCoreApplication::translate("ListEncodingItems", "UTF-8（BOM付き）"),
              int(ListEncoding::Utf8WithMark));
  box.addItem(QCoreApplication::translate("ListEncodingItems", "Shift_JIS（CP932）"),
              int(ListEncoding::Cp932));
}

}  // namespace vek
