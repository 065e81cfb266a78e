// The pictures of docs/ that show one dialog or page each, for the screenshot tool.
#pragma once

#include <QPixmap>
#include <QString>

namespace vek::screenshots {

// The writers' and settings dialogs, the command builder and the about box, each rendered by
// itself into folder. False when a picture could not be written.
bool takeDialogPictures(const QString& folder);

// An HTML list of file names made of markup, as headless Chromium shows it. False when the page
// or the picture could not be made (Chromium missing, say).
bool takeHtmlPagePicture(const QString& folder);

// Writes a picture to folder/name and says so on standard output.
bool savePicture(const QPixmap& picture, const QString& folder, const QString& name);

}  // namespace vek::screenshots
