#include "ui/widgets/pathbox.h"

#include "records/textfile.h"
#include "ui/memory.h"
#include "ui/messages.h"

#include <QAction>
#include <QCompleter>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringListModel>
#include <QStyle>
#include <QUrl>

namespace aethrian::ui {

PathBox::PathBox(const QString& objectName, const QString& accessibleName, QWidget* parent,
                 const QString& filter, const QString& defaultSuffix)
    : QLineEdit(parent), filter_(filter), suffix_(defaultSuffix) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setAcceptDrops(true);
    connect(this, &QLineEdit::returnPressed, this, &PathBox::requestLoad);
    recent_ = new QStringListModel(recentPaths(objectName), this);
    auto* completer = new QCompleter(recent_, this);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
    // A button inside the box: its clicks are not the box's, so the click rules above stay.
    recentAction_ =
        addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    recentAction_->setObjectName(objectName + QStringLiteral("Recent"));
    recentAction_->setToolTip(QStringLiteral("Recent files (Alt+Down)"));
    recentAction_->setEnabled(recent_->rowCount() > 0);
    connect(recentAction_, &QAction::triggered, this, &PathBox::showRecent);
}

std::string PathBox::usePath() {
    if (fileExists(path()))
        remember();
    return path();
}

void PathBox::remember() {
    rememberPath(objectName(), text());
    reloadRecent();
}

QStringList PathBox::recent() const {
    return recent_->stringList();
}

void PathBox::reloadRecent() {
    recent_->setStringList(recentPaths(objectName()));
    recentAction_->setEnabled(recent_->rowCount() > 0);
}

void PathBox::showRecent() {
    if (recent_->rowCount() == 0)
        return;
    QMenu menu(this);
    menu.setObjectName(objectName() + QStringLiteral("RecentMenu"));
    for (const QString& p : recent_->stringList())
        menu.addAction(p, this, [this, p] { setText(p); });
    menu.exec(mapToGlobal(QPoint(0, height())));
}

void PathBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
        showRecent();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool PathBox::browse() {
    FileRequest request(false, filter_, suffix_);
    request.dialog = objectName();
    const QString chosen = chooseFile(this, request);
    if (chosen.isEmpty())
        return false;
    setText(chosen);
    return true;
}

void PathBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && text().isEmpty())
        browse();
}

void PathBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        browse();
}

void PathBox::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void PathBox::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (!mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().first().isLocalFile()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const QString path = mime->urls().first().toLocalFile();
    setText(path);
    event->acceptProposedAction();
    emit fileDropped(path);
}

} // namespace aethrian::ui
