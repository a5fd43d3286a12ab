#pragma once

#include <QDialog>
#include <QPlainTextEdit>

namespace aethrian::ui {

// The export text box: a double-click selects the whole text and copies it to the clipboard.
class ExportTextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The Export text window: one plain text box, filled by the exports and shown beside the window.
class ExportWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ExportWindow(QWidget* parent);
    ExportTextBox* text() const { return text_; }

  private:
    ExportTextBox* text_;
};

} // namespace aethrian::ui
