#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace aethrian::ui {

class PathBox;

// AI.obj Editor: the AI file as plain text, with its own *.obj dialogs.
class AiObjPage : public QWidget {
    Q_OBJECT
public:
    explicit AiObjPage(QWidget* parent);
    void loadClick();
    void saveClick();

private:
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPushButton* saveBtn_;
    QPlainTextEdit* pane_;
};

} // namespace aethrian::ui
