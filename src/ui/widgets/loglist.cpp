#include "ui/widgets/loglist.h"

namespace aethrian::ui {

LogList::LogList(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setFrameShape(QFrame::NoFrame);
    // The list area is painted in the base colour: make that the button face.
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    setPalette(face);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUniformItemSizes(true);
}

void LogList::append(const QString& line) {
    addItem(line);
    const int last = count() - 1;
    if (currentRow() < last) {
        setCurrentRow(last);
        scrollToItem(item(last));
    }
}

void LogList::appendLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    addItems(lines);
    setCurrentRow(count() - 1);
    scrollToItem(item(count() - 1));
}

QStringList LogList::lines() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

void LogList::mouseDoubleClickEvent(QMouseEvent*) {
    clear();
}

} // namespace aethrian::ui
