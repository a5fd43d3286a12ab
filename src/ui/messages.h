#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace aethrian {
struct CellPlace;
}

namespace aethrian::ui {

inline constexpr const char* kAppTitle = "Aethrian Script Editor";

// Filter lists of the file dialogs.
inline constexpr const char* kTextFilter = "*.txt|*.txt|*.*|*.*";
inline constexpr const char* kObjFilter = "*.obj|*.obj|*.*|*.*";

struct FileRequest {
    FileRequest(bool save_ = false, QString filter_ = {}, QString defaultSuffix_ = {})
        : save(save_), filter(std::move(filter_)), defaultSuffix(std::move(defaultSuffix_)) {}
    bool save = false;
    QString filter;        // "label|pattern|label|pattern"
    QString defaultSuffix; // appended to a typed name without extension
    QString suggestedPath; // a file: the dialog opens in its folder with its name filled in; a
                           // folder: opens there; "" = in the folder this dialog last used
    QString dialog;        // names the dialog whose last folder is remembered; "" = by its kind
};

// The answer to "Discard unsaved changes?" when a table is about to be closed or replaced.
enum class SaveChoice { Save, Discard, Cancel };

// Every message box, question and file dialog of the editor goes through these hooks, so tests can
// answer them without blocking. Unset hooks show the real dialogs.
struct Seams {
    std::function<void(const QString& text)> message;
    std::function<bool(const QString& text)> question;
    std::function<QString(const FileRequest& request)> fileDialog; // "" = cancelled
    std::function<QString(const QString& title)> folderDialog;     // "" = cancelled
    std::function<SaveChoice(const QString& text)> saveChoice;
    // A text prompt; nullopt = cancelled.
    std::function<std::optional<QString>(const QString& title, const QString& label,
                                         const QString& text)>
        prompt;
    // A choice among `items`; the chosen index, nullopt = cancelled.
    std::function<std::optional<int>(const QString& title, const QStringList& items)> choice;
};
Seams& seams();

void showMessage(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text);
// `text` with the buttons Save, Discard and Cancel; `detail` says which file the edits belong to.
SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& detail);
QString chooseFile(QWidget* parent, const FileRequest& request);
// An existing folder, "" when cancelled.
QString chooseFolder(QWidget* parent, const QString& title);
std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                               const QString& text);

// A small chooser: one of `items` (at least one), or nullopt when cancelled.
std::optional<int> chooseItem(QWidget* parent, const QString& title, const QStringList& items);

// What the window does after the message of a conversion error on a table cell: shows the cell.
// One handler at a time; an empty function removes it.
void setCellErrorHandler(std::function<void(const CellPlace& cell)> handler);

// The handler boundary: runs one user action and shows any error it raises as a message box.
// Clean-up belongs in RAII objects inside `action` (they run before the message is shown).
void runGuarded(QWidget* parent, const std::function<void()>& action);

// Processes the window events that are pending (the short message pump).
void pumpEvents();

// Set once the main window has accepted its close: loops that poll a halt flag end as if halted,
// so a long run does not go on out of sight after its window has gone.
bool applicationClosing();
void setApplicationClosing(bool closing);

} // namespace aethrian::ui
