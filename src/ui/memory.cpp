#include "ui/memory.h"

#include <QMainWindow>
#include <QSettings>
#include <QTabWidget>

namespace aethrian::ui {

namespace {

const QString kRecentGroup = QStringLiteral("recentPaths/");
const QString kFolderGroup = QStringLiteral("dialogFolders/");

// Settings keys may not hold '/' or '\' as part of one name.
QString keyPart(QString name) {
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return name;
}

} // namespace

QStringList recentPaths(const QString& box) {
    QStringList paths = QSettings().value(kRecentGroup + keyPart(box)).toStringList();
    paths.removeAll(QString());
    if (paths.size() > kRecentPaths)
        paths.resize(kRecentPaths);
    return paths;
}

void rememberPath(const QString& box, const QString& path) {
    if (path.isEmpty() || box.isEmpty())
        return;
    QStringList paths = recentPaths(box);
    paths.removeAll(path);
    paths.prepend(path);
    if (paths.size() > kRecentPaths)
        paths.resize(kRecentPaths);
    QSettings().setValue(kRecentGroup + keyPart(box), paths);
}

QString lastFolder(const QString& dialog) {
    return QSettings().value(kFolderGroup + keyPart(dialog)).toString();
}

void rememberFolder(const QString& dialog, const QString& folder) {
    if (!folder.isEmpty())
        QSettings().setValue(kFolderGroup + keyPart(dialog), folder);
}

void forgetRecentFiles() {
    QSettings settings;
    settings.remove(QStringLiteral("recentPaths"));
    settings.remove(QStringLiteral("dialogFolders"));
}

void saveWindowState(const QMainWindow& window) {
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
    settings.beginGroup(QStringLiteral("pages"));
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>())
        if (!tabs->objectName().isEmpty())
            settings.setValue(keyPart(tabs->objectName()), tabs->currentIndex());
    settings.endGroup();
}

void restoreWindowState(QMainWindow& window) {
    QSettings settings;
    const QByteArray geometry = settings.value(QStringLiteral("window/geometry")).toByteArray();
    if (!geometry.isEmpty())
        window.restoreGeometry(geometry);
    settings.beginGroup(QStringLiteral("pages"));
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        if (tabs->objectName().isEmpty())
            continue;
        const QVariant index = settings.value(keyPart(tabs->objectName()));
        // A page that a later version removed leaves the control on its usual page.
        if (index.isValid() && index.toInt() >= 0 && index.toInt() < tabs->count())
            tabs->setCurrentIndex(index.toInt());
    }
    settings.endGroup();
}

} // namespace aethrian::ui
