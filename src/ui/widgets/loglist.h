#pragma once

#include "app/log.h"

#include <QListWidget>

namespace aethrian::ui {

// A page's log: each added line becomes the selected (and visible) last line; a double-click
// empties this list only.
class LogList : public QListWidget {
    Q_OBJECT
  public:
    LogList(const QString& objectName, const QString& accessibleName, QWidget* parent = nullptr);

    void append(const QString& line);
    void append(const std::string& line) { append(QString::fromUtf8(line)); }
    // Many lines at once, the last one selected once (a line at a time costs seconds for 10,000).
    void appendLines(const QStringList& lines);
    QStringList lines() const;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Core log sink writing into a LogList. Lines are added together when the sink goes out of scope
// (also when the operation throws) or at flush(): one at a time, 10,000 findings took seconds.
class LogListSink : public Log {
  public:
    explicit LogListSink(LogList* list) : list_(list) {}
    LogListSink(LogListSink&& other) noexcept
        : list_(other.list_), pending_(std::move(other.pending_)) {}
    LogListSink(const LogListSink&) = delete;
    LogListSink& operator=(const LogListSink&) = delete;
    ~LogListSink() override { flush(); }

    void add(const std::string& line) override { pending_ << QString::fromUtf8(line); }
    // Shows the lines so far, before the window is pumped.
    void flush() {
        list_->appendLines(pending_);
        pending_.clear();
    }

  private:
    LogList* list_;
    QStringList pending_;
};

} // namespace aethrian::ui
