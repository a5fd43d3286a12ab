#pragma once

#include "app/log.h"

#include <QListWidget>

namespace aethrian::ui {

// A page's log: each added line becomes the selected (and visible) last line; a double-click
// empties this list only.
class LogList : public QListWidget {
    Q_OBJECT
public:
    explicit LogList(const QString& objectName, QWidget* parent = nullptr);

    void append(const QString& line);
    void append(const std::string& line) { append(QString::fromUtf8(line)); }
    // Many lines at once, the last one selected once (a line at a time costs seconds for 10,000).
    void appendLines(const QStringList& lines);
    QStringList lines() const;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Core log sink writing into a LogList.
class LogListSink : public Log {
public:
    explicit LogListSink(LogList* list) : list_(list) {}
    void add(const std::string& line) override { list_->append(line); }

private:
    LogList* list_;
};

} // namespace aethrian::ui
