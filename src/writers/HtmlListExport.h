// The HTML create operation used by the HTML dialog and the batch run, and the title the
// dialog proposes when it opens.
#pragma once

#include <QString>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "writers/ListDelivery.h"

namespace vek {

// With DefaultTitle 1 the folder of the list's first row (ticked or not, with its trailing
// separator); otherwise, and for an empty list, the stored Title.
QString htmlInitialTitle(const FileList& list, const Settings& settings);

// Writes the ticked rows of list as an HTML page to path with the Html options of settings and
// the given title. Says what went wrong through interaction (no column chosen, file not
// written) and returns true only when the file was written; an existing file is replaced only
// then. Does not open the file afterwards. readAhead: the digests, when read already (see
// ListDelivery::prepare).
bool createHtmlList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, const QString& title,
                    PathStyle pathStyle = nativePathStyle(),
                    const ListDigests* readAhead = nullptr);

}  // namespace vek
