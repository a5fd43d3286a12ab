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
    void showText(const QStringList& lines);

private:
    ExportTextBox* text_;
};

// The dialogs whose operations come with their features: created at start, hidden, captioned.
QDialog* makeDialogShell(const QString& objectName, const QString& caption, QWidget* parent);

} // namespace aethrian::ui
