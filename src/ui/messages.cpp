#include "ui/messages.h"

#include "app/errors.h"
#include "ui/memory.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include <exception>

namespace aethrian::ui {

Seams& seams() {
    static Seams s;
    return s;
}

void showMessage(QWidget* parent, const QString& text) {
    if (seams().message) {
        seams().message(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& text) {
    if (seams().question)
        return seams().question(text);
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& detail) {
    if (seams().saveChoice)
        return seams().saveChoice(text);
    QMessageBox box(QMessageBox::Warning, kAppTitle, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(detail);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

namespace {

// "label|pattern|label|pattern" -> Qt name filters.
QStringList nameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return out;
}

QString showFileDialog(QWidget* parent, const FileRequest& request) {
    if (seams().fileDialog)
        return seams().fileDialog(request);
    QFileDialog dialog(parent);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.suggestedPath.isEmpty()) {
        const QFileInfo suggested(request.suggestedPath);
        if (suggested.isDir()) {
            dialog.setDirectory(suggested.absoluteFilePath());
        } else {
            dialog.setDirectory(suggested.absolutePath());
            if (request.save)
                dialog.selectFile(suggested.fileName());
        }
    }
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString chooseFile(QWidget* parent, const FileRequest& given) {
    FileRequest request = given;
    // Dialogs without a name of their own share a folder by kind: "save.txt", "open.obj", ...
    const QString key =
        !request.dialog.isEmpty()
            ? request.dialog
            : QStringLiteral("%1.%2").arg(request.save ? "save" : "open",
                                          request.defaultSuffix.isEmpty() ? QStringLiteral("any")
                                                                          : request.defaultSuffix);
    if (request.suggestedPath.isEmpty())
        request.suggestedPath = lastFolder(key);
    const QString chosen = showFileDialog(parent, request);
    if (!chosen.isEmpty())
        rememberFolder(key, QFileInfo(chosen).absolutePath());
    return chosen;
}

QString chooseFolder(QWidget* parent, const QString& title) {
    if (seams().folderDialog)
        return seams().folderDialog(title);
    const QString key = QStringLiteral("folder.") + title;
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, lastFolder(key));
    rememberFolder(key, chosen);
    return chosen;
}

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                               const QString& text) {
    if (seams().prompt)
        return seams().prompt(title, label, text);
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<int> chooseItem(QWidget* parent, const QString& title, const QStringList& items) {
    if (seams().choice)
        return seams().choice(title, items);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, kAppTitle, title, items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return static_cast<int>(items.indexOf(chosen));
}

namespace {
std::function<void(const CellPlace&)>& cellErrorHandler() {
    static std::function<void(const CellPlace&)> handler;
    return handler;
}
} // namespace

void setCellErrorHandler(std::function<void(const CellPlace& cell)> handler) {
    cellErrorHandler() = std::move(handler);
}

void runGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
    } catch (const OperationError& e) {
        showMessage(parent, QString::fromUtf8(e.what()));
        // After the message, so the operator reads it first and then sees the cell.
        if (e.cell && cellErrorHandler())
            cellErrorHandler()(*e.cell);
    } catch (const std::exception& e) {
        showMessage(parent, QString::fromUtf8(e.what()));
    }
}

void pumpEvents() {
    QCoreApplication::processEvents();
}

namespace {
bool closing = false;
}

bool applicationClosing() {
    return closing;
}
void setApplicationClosing(bool value) {
    closing = value;
}

} // namespace aethrian::ui
