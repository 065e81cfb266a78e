// The create operation of the JSON export, shared by the dialog and the batch run.
#pragma once

#include <optional>

#include <QString>

#include "core/list/FileList.h"
#include "core/list/ListWalk.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "writers/ListDelivery.h"

namespace vek {

// Writes the ticked rows of list to path as Vek's JSON list, with the hash and relative-path
// choices of the Csv column options; title and inputFolder go into its header. The file
// replaces path only when written completely; otherwise the old file stays and the person gets
// the warning. withState adds each row's comparison state; walk, how a batch run walked the
// folder; readAhead, the digests when read already (see ListDelivery::prepare). True when the
// file was written.
bool createJsonList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, const QString& title, const QString& inputFolder,
                    bool withState = false, const std::optional<ListWalk>& walk = std::nullopt,
                    const ListDigests* readAhead = nullptr);

}  // namespace vek
