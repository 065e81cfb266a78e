// The XML create operation used by the XML dialog and the batch run.
#pragma once

#include <QString>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "writers/ListDelivery.h"

namespace vek {

// Writes the ticked rows of list as an XML document to path with the Xml options and element
// names of settings. Refuses, before anything is written, when no column is chosen or an
// element name cannot be used; says what went wrong through interaction and returns true only
// when the file was written (an existing file is replaced only then). Does not open the file.
// readAhead: the digests, when read already (see ListDelivery::prepare).
bool createXmlList(const QString& path, const FileList& list, const Settings& settings,
                   Interaction& interaction, PathStyle pathStyle = nativePathStyle(),
                   const ListDigests* readAhead = nullptr);

}  // namespace vek
