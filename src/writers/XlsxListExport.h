// The create operation of the Excel workbook export, shared by the dialog and the batch run.
#pragma once

#include <QString>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "writers/ListDelivery.h"

namespace vek {

// Writes the ticked rows of list to path as a workbook with the Csv column options of settings
// and title as the sheet name. Checks the columns first (nothing selected: the message, no file
// touched). The file replaces path only when written completely and read back whole; otherwise
// the old file stays and the person gets the warning, followed by the reason. A row with a cell
// longer than Excel takes is reported as incomplete (the cell is cut). When the rows needed
// more than one sheet, a notice says so. True when the file was written. readAhead: the
// digests, when read already (see ListDelivery::prepare).
bool createXlsxList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, const QString& title,
                    const ListDigests* readAhead = nullptr);

// Why a row of a workbook is incomplete: a cell was cut to Excel's longest.
QString cellCutReason();

// The notice after a workbook whose rows continue on further sheets.
Message sheetsSplitMessage(const QString& path, int sheets);

}  // namespace vek
