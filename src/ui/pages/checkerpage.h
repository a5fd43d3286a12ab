#pragma once

#include "rates/compare.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace aethrian::ui {

class PathBox;
class Workspace;

// NPCData Checker: the rates of an npcdata file from three reference monsters.
class CheckerPage : public QWidget {
    Q_OBJECT
public:
    CheckerPage(Workspace* workspace, QWidget* parent);
    void Button1Click();

private:
    Workspace* workspace_;
    PathBox* path_;
    QPushButton* check_;
    QPlainTextEdit* memo_;
    std::array<QLineEdit*, 15> references_{};
    std::array<QLineEdit*, 15> results_{};
};

} // namespace aethrian::ui
