#pragma once

#include "app/log.h"
#include "records/recordplace.h"

#include <QListWidget>

#include <functional>
#include <optional>
#include <vector>

class QGroupBox;
class QMenu;

namespace aethrian::ui {

// A page's log: each added line becomes the selected (and visible) last line; a double-click
// empties this list only. Its context menu copies, saves and clears the lines and goes to the
// record a line is about (Enter does too); the group box around it shows the line count.
class LogList : public QListWidget {
    Q_OBJECT
  public:
    LogList(const QString& objectName, const QString& accessibleName, QWidget* parent = nullptr);
    ~LogList() override;

    void append(const QString& line);
    void append(const std::string& line) { append(QString::fromUtf8(line)); }
    // Many lines at once, the last one selected once (a line at a time costs seconds for 10,000).
    // `places` (empty, or one per line) attach the records the lines are about; a place without
    // a table attaches nothing.
    void appendLines(const QStringList& lines, const std::vector<RecordPlace>& places = {});
    QStringList lines() const;

    // The record line `row` is about: the place attached when it was added, else the name and ID
    // its words give (without a table: the locator's own); nullopt when it names none.
    std::optional<RecordPlace> placeOf(int row) const;
    // Answers whether a place leads to a record and, with `go`, goes there.
    using Locator = std::function<bool(const RecordPlace& place, bool go)>;
    void setLocator(Locator locator) { locator_ = std::move(locator); }
    // "Go to record" on the current line; false when it leads nowhere.
    bool goToRecord();

    // The selected lines in list order, or every line, one per text line.
    QString selectedText() const;
    QString allText() const;
    // "Save log as...": the lines as UTF-8 text, each ending with a line feed.
    void saveAs();

    QMenu* contextMenu() const { return menu_; }

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void updateCaption();

    QMenu* menu_;
    QAction* goTo_;
    Locator locator_;
    QGroupBox* group_ = nullptr;
    QString caption_;
};

// "Log (2,738)": a group caption with the count of its log's lines, the caption alone when empty.
QString countedCaption(const QString& caption, int count);

// Core log sink writing into a LogList. Lines are added together when the sink goes out of scope
// (also when the operation throws) or at flush(): one at a time, 10,000 findings took seconds.
// With `rowsOf`, findings about a row (Log::addAbout) keep that record of the table as their place.
class LogListSink : public Log {
  public:
    explicit LogListSink(LogList* list, const Table* rowsOf = nullptr)
        : list_(list), rowsOf_(rowsOf) {}
    LogListSink(LogListSink&& other) noexcept
        : list_(other.list_), rowsOf_(other.rowsOf_), pending_(std::move(other.pending_)),
          places_(std::move(other.places_)) {}
    LogListSink(const LogListSink&) = delete;
    LogListSink& operator=(const LogListSink&) = delete;
    ~LogListSink() override { flush(); }

    void add(const std::string& line) override {
        pending_ << QString::fromUtf8(line);
        if (!places_.empty())
            places_.emplace_back();
    }
    void addAbout(size_t at, const std::string& line) override;
    // Shows the lines so far, before the window is pumped.
    void flush() {
        list_->appendLines(pending_, places_);
        pending_.clear();
        places_.clear();
    }

  private:
    LogList* list_;
    const Table* rowsOf_;
    QStringList pending_;
    std::vector<RecordPlace> places_; // empty while no line has a place
};

} // namespace aethrian::ui
