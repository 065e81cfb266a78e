// The create operation of the Text/CSV export, shared by the dialog and the batch run.
#pragma once

#include <map>

#include <QString>
#include <QStringList>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "core/text/TextCodec.h"
#include "writers/ListDelivery.h"
#include "writers/TextListWriter.h"

namespace vek {

// Writes the ticked rows of list to path as a CSV file (textType false) or a text file with
// separatorText (see TextListWriter), with the Csv options of settings. Checks the columns
// first (nothing selected: the message, no file touched). The file replaces path only when
// written completely; otherwise the old file stays and the person gets the warning. After a
// file in a non-Unicode encoding that had to replace characters, a notice says so.
// True when the file was written. Opening the file afterwards is the caller's business.
bool createTextList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextCodec& codec = TextCodec::system(),
                    const ListDigests* readAhead = nullptr);

// How a person hears of rows whose names the chosen encoding could not hold: the window tells
// how many and shows the first; the batch run names every one (a script's log keeps them).
enum class ReplacedRowsReport { FirstRow, EveryRow };

// The same with the person's encoding and formula guard. With an encoding chosen (not the
// system's), rows that came out with "?" are reported row by row, as report says. readAhead:
// the digests, when read already (see ListDelivery::prepare).
bool createTextList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextListChoices& choices, ReplacedRowsReport report,
                    const ListDigests* readAhead = nullptr);

// What the notice after such a file says: how many rows came out with "?", how many hold a
// character written as another one (and which), then the first or every row's path.
struct ReplacedRowsNotice {
  QString path;
  QString encodingName;
  bool headerReplaced = false;
  qint64 replacedRows = 0;
  qint64 bestFitRows = 0;
  std::map<char16_t, char16_t> bestFits;
  QStringList rowPaths;  // as they stand; the notice prints them escaped
  qint64 rowCount = 0;   // rows of either kind
};
Message replacedRowsMessage(const ReplacedRowsNotice& notice);

}  // namespace vek
