// The writers' save question as the window asks it: the save-file dialog, starting in the
// remembered output folder, then "ﾌｧｲﾙ保存確認". The window installs it in its Session; tests
// install their own answers instead.
#pragma once

#include "core/Session.h"
#include "core/WindowState.h"

class QWidget;

namespace vek {

// "CSVﾌｧｲﾙ|*.csv" → "CSVﾌｧｲﾙ (*.csv)"; "HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html" → "HTMLﾄﾞｷｭﾒﾝﾄ (*.htm *.html)".
QString nameFilterText(const QString& filter);
// The extension a typed name without one gets: that of the filter's first pattern ("csv").
QString defaultSuffix(const QString& filter);
// The question asked after the file was chosen.
QString saveConfirmationText(const QString& path);
// Remembers the chosen file and its folder (ending in the separator) for the next save dialog,
// the command builder and the settings file.
void rememberSaveFile(WindowState& state, const QString& path);

// The question for Session::setSaveQuestion; state and parent must outlive the session's use.
Session::SaveQuestion windowSaveQuestion(WindowState& state, QWidget* parent);

}  // namespace vek
