#include "ui/dialogs/exportwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QVBoxLayout>

namespace aethrian::ui {

void ExportTextBox::mouseDoubleClickEvent(QMouseEvent*) {
    selectAll();
    QApplication::clipboard()->setText(toPlainText());
}

ExportWindow::ExportWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Export text (doubleclick to Copy To Clipboard)"));
    resize(674, 530);
    setModal(false);
    text_ = new ExportTextBox(this);
    text_->setObjectName(QStringLiteral("ExportMemo"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
}

} // namespace aethrian::ui
