#pragma once

#include "records/tableio.h"

#include <QPointer>
#include <QPushButton>

class QLabel;

namespace aethrian::ui {

// The busy state of a long operation on the button that started it: disabled with "Working" while it
// runs, the dots caption at each progress step, and always the idle caption and enabled state again
// when the object goes out of scope, also when the operation throws.
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
};

} // namespace aethrian::ui
