// Text helpers of the HTML writer: escaping of text put into the page, the colour text and
// the file address of a link.
#pragma once

#include <QString>

#include "core/settings/Settings.h"
#include "core/text/PathRules.h"

namespace vek {

// Appends text with & < > " ' written as references, so that any file name, caption or title
// shows as text and never as markup, in element content and in quoted attributes alike.
void appendHtmlEscaped(QString& out, QStringView text);
QString htmlEscaped(QStringView text);

// "#RRGGBB" in upper case from red + 256 * green + 65536 * blue (bits above 24 are ignored).
QString htmlColourText(Colour colour);

// A file URL that names exactly this file in a browser: every character but the unreserved
// ones (letters, digits, - . _ ~) and the separators is percent-encoded as UTF-8, so "#", "?",
// "%", spaces and quotes in a name still open that file; a name that is not UTF-8 keeps its
// own bytes. Windows paths give file:///C:/... and file://server/share/...; POSIX paths
// file:///... .
// The result holds only ASCII letters, digits, "-._~/:%", so it needs no escaping in an attribute.
QString fileUrl(QStringView fullPath, PathStyle style);
// Appends a file name percent-encoded the same way, so that fileUrl(folder) followed by the
// encoded name equals fileUrl(folder + name): a writer encodes each folder once.
void appendUrlEncoded(QString& out, QStringView name);

}  // namespace vek
