#include "ui/widgets/pathbox.h"

#include "ui/messages.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace aethrian::ui {

PathBox::PathBox(const QString& objectName, const QString& accessibleName, QWidget* parent,
                 const QString& filter, const QString& defaultSuffix)
    : QLineEdit(parent), filter_(filter), suffix_(defaultSuffix) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setAcceptDrops(true);
    connect(this, &QLineEdit::returnPressed, this, &PathBox::requestLoad);
}

bool PathBox::browse() {
    const QString chosen = chooseFile(this, {false, filter_, suffix_});
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
