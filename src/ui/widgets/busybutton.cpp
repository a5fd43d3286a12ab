#include "ui/widgets/busybutton.h"

#include "ui/messages.h"

#include <QLabel>

namespace aethrian::ui {

BusyButton::BusyButton(QPushButton* button, QString idleCaption, bool showWorking, bool pump)
    : button_(button), idle_(std::move(idleCaption)) {
    button_->setEnabled(false);
    if (showWorking)
        button_->setText(QStringLiteral("Working"));
    if (pump)
        pumpEvents();
}

// Only runs with a halt button end early on closing (a load, a comparison); a save has none and
// always completes.
bool BusyButton::halted() {
    return halt_ && (*halt_ || applicationClosing());
}

BusyButton::~BusyButton() {
    if (lastReadLabel_ && !lastName_.empty())
        lastReadLabel_->setText(QString::fromUtf8(lastName_));
    if (button_) {
        button_->setEnabled(true);
        button_->setText(idle_);
    }
}

void BusyButton::caption(const std::string& text) {
    if (!button_)
        return;
    // The texts follow every stage (cheap: the widgets only mark themselves for painting); the
    // painting itself waits for a due refresh, and the next pump paints what is current.
    button_->setText(QString::fromUtf8(text));
    // The last-read label is refreshed with the caption: painting it for every record would cost
    // more than parsing the record.
    if (lastReadLabel_)
        lastReadLabel_->setText(QString::fromUtf8(lastName_));
    if (!painted_.due())
        return;
    button_->repaint();
    if (lastReadLabel_)
        lastReadLabel_->repaint();
}

void BusyButton::pump() {
    // The halt button and the window's close are seen within one refresh period.
    if (pumped_.due())
        pumpEvents();
}

void BusyButton::lastRead(std::string_view name) {
    lastName_.assign(name);
}

} // namespace aethrian::ui
