#include "writers/RowInsertion.h"

namespace vek {

RowInsertion::RowInsertion(const ColumnOptions& options, bool countFirstRow)
    : m_mode(options.optHeadInsert == HeadInsert::Off                  ? Mode::Off
             : options.optHeadInsertType == HeadInsertAt::FolderChange ? Mode::FolderChange
                                                                       : Mode::EveryN),
      // An interval below 1 is never stored (loading replaces it by 15); guard the division
      // anyway for options built in code.
      m_interval(options.valHeadInterval >= 1 ? options.valHeadInterval : 15),
      m_countFirstRow(countFirstRow) {}

}  // namespace vek
