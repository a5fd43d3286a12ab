#pragma once

#include <QString>
#include <QStringList>

class QMainWindow;

namespace aethrian::ui {

// What the editor remembers between runs, in the user's settings (QSettings under the application's
// organisation and name): the recent paths of each path box, the last folder of each file dialog,
// and the window's geometry and pages. The Float divider is deliberately not among them: a divider
// left from another server's files would silently change how numbers are written.

inline constexpr int kRecentPaths = 10;

// Newest first, at most kRecentPaths, for the box with this object name.
QStringList recentPaths(const QString& box);
// Puts `path` first in the box's list (once), dropping the oldest beyond kRecentPaths.
void rememberPath(const QString& box, const QString& path);

// The folder a file dialog last accepted a file in; "" when none.
QString lastFolder(const QString& dialog);
void rememberFolder(const QString& dialog, const QString& folder);

// "Forget recent files": every box's list and every dialog's folder.
void forgetRecentFiles();

// The window's geometry and the current page of each page control, by object name.
void saveWindowState(const QMainWindow& window);
void restoreWindowState(QMainWindow& window);

} // namespace aethrian::ui
