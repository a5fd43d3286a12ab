#pragma once

#include "records/tableio.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>

class QLabel;

namespace aethrian::ui {

// Says when a refresh of the screen is due: the first time it is asked, then once at least
// kRefreshMs have passed since the last refresh. The core reports progress by counted steps, which
// on a fast machine or a small step count come far more often than anyone can see; painting or
// pumping at each of them made long operations spend more time on the screen than on the work.
class RefreshClock {
  public:
    static constexpr qint64 kRefreshMs = 50;
    bool due() {
        if (timer_.isValid() && timer_.elapsed() < kRefreshMs)
            return false;
        timer_.start();
        return true;
    }

  private:
    QElapsedTimer timer_;
};

// The busy state of a long operation on the button that started it: disabled with "Working" while
// it runs, the dots caption of each progress step (painted and pumped at most every
// RefreshClock::kRefreshMs, the first time at once), and always the idle caption and enabled state
// again when the object goes out of scope, also when the operation throws.
class BusyButton : public LoadObserver {
  public:
    BusyButton(QPushButton* button, QString idleCaption, bool showWorking = true, bool pump = true);
    ~BusyButton() override;
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

    void caption(const std::string& text) override;
    void pump() override;
    bool halted() override;
    void lastRead(std::string_view name) override;

    void setHaltFlag(const bool* flag) { halt_ = flag; }
    void setLastReadLabel(QLabel* label) { lastReadLabel_ = label; }

  private:
    QPointer<QPushButton> button_;
    QString idle_;
    const bool* halt_ = nullptr;
    QLabel* lastReadLabel_ = nullptr;
    std::string lastName_;
    RefreshClock painted_, pumped_;
};

} // namespace aethrian::ui
