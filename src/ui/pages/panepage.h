#pragma once

#include "checks/skilltools.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QListWidget;

namespace aethrian::ui {

class PathBox;

// A pane's whole text with CR LF line ends, as the checks read it, and the reverse.
std::string paneText(const QPlainTextEdit* pane);
void setPaneText(QPlainTextEdit* pane, const std::string& crlfText);
QPlainTextEdit* makePane(const QString& objectName, const QString& accessibleName, QWidget* parent,
                         bool wrap = false);

struct PaneButton {
    QString name, caption;
};

// A side-file page: path box, Load, a text pane, an optional Save button, and whatever extra
// buttons, progress label and result list later tools need.
struct PanePageSpec {
    PanePageSpec(QString subject_, QString pathBox_, QString load_, QString pane_,
                 QString save_ = {})
        : subject(std::move(subject_)), pathBox(std::move(pathBox_)), load(std::move(load_)),
          pane(std::move(pane_)), save(std::move(save_)) {}
    QString subject; // the page's caption, which the accessible names start with
    QString pathBox, load, pane;
    QString save; // empty: no Save button
    QString saveCaption = QStringLiteral("Save");
    std::vector<PaneButton> extraButtons;
    QString progressLabel, progressCaption;
    QString resultList;
    // A skill file's pane: the first extra button sorts it by identifier and level.
    std::optional<SkillPane> skillSort;
};

class PanePage : public QWidget {
    Q_OBJECT
  public:
    PanePage(const PanePageSpec& spec, QWidget* parent);

    PathBox* pathBox() const { return pathBox_; }
    QPlainTextEdit* pane() const { return pane_; }
    QPushButton* extraButton(const QString& name) const;
    QLabel* progressLabel() const { return progress_; }
    QListWidget* resultList() const { return results_; }

    void loadClick();
    void saveClick();
    void sortClick();
    // The page's progress label and result list as the skill tools report to them.
    SkillToolOutput skillToolOutput();

  private:
    std::optional<SkillPane> skillSort_;
    PathBox* pathBox_;
    QPushButton* loadBtn_;
    QPlainTextEdit* pane_;
    QLabel* progress_ = nullptr;
    QListWidget* results_ = nullptr;
    std::vector<QPushButton*> extra_;
};

// Loads and saves a pane as every side file is: decoded by its byte-order mark, saved as UTF-16LE.
void loadPaneFile(QPlainTextEdit* pane, const std::string& path);
void savePaneToChosenFile(QWidget* parent, QPlainTextEdit* pane, const QString& filter,
                          const QString& suffix);

} // namespace aethrian::ui
