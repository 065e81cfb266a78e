// The create operation of the Text/CSV export, shared by the dialog and the batch run.
#pragma once

#include <QString>

#include "core/FileList.h"
#include "core/Interaction.h"
#include "core/Settings.h"
#include "core/TextCodec.h"

namespace vek {

// Writes the ticked rows of list to path as a CSV file (textType false) or a text file with
// separatorText (see TextListWriter), with the Csv options of settings. Checks the columns
// first (nothing selected: the message, no file touched). The file replaces path only when
// written completely; otherwise the old file stays and the person gets the warning. After a
// file in a non-Unicode encoding that had to replace characters, a notice says so.
// True when the file was written. Opening the file afterwards is the caller's business.
bool createTextList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextCodec& codec = TextCodec::system());

}  // namespace vek
