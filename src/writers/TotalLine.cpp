#include "writers/TotalLine.h"

#include <QCoreApplication>

namespace vek {

TotalLineShape totalLineShape(const std::vector<ColumnId>& selected) {
  TotalLineShape shape;
  for (std::size_t i = 0; i < selected.size(); ++i) {
    const int position = int(i);
    if (selected[i] == ColumnId::FileSize) {
      shape.size = position;
    } else if (shape.caption < 0) {
      shape.caption = position;
    } else if (shape.count < 0) {
      shape.count = position;
    }
  }
  if (shape.count < 0) shape.count = shape.caption;
  return shape;
}

QString totalCaption(TotalKind kind) {
  return kind == TotalKind::Total ? QCoreApplication::translate("TotalLine", "合計")
                                  : QCoreApplication::translate("TotalLine", "小計");
}

QString totalCountPattern() {
  return QCoreApplication::translate("TotalLine", "%1 件");
}

QString totalCountText(qint64 files) {
  return totalCountPattern().arg(files);
}

std::vector<QString> totalLineCells(const ColumnCells& cells, TotalKind kind,
                                    const RunningTotal& total) {
  const TotalLineShape shape = totalLineShape(cells.selected());
  std::vector<QString> texts(cells.selected().size());
  if (shape.caption >= 0) {
    texts[std::size_t(shape.caption)] = totalCaption(kind);
    if (shape.count == shape.caption) {
      texts[std::size_t(shape.caption)] += u' ' + totalCountText(total.files);
    } else {
      texts[std::size_t(shape.count)] = totalCountText(total.files);
    }
  }
  if (shape.size >= 0) texts[std::size_t(shape.size)] = cells.sizeTotalText(total.bytes);
  return texts;
}

}  // namespace vek
