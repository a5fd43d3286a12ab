#include "ui/pages/settingspage.h"

#include "app/errors.h"
#include "app/version.h"
#include "checks/pch.h"
#include "generators/clientdump.h"
#include "records/recordkind.h"
#include "records/tableio.h"
#include "ui/messages.h"
#include "ui/models/tablemodel.h"
#include "ui/pages/panepage.h"
#include "ui/pages/tablepage.h"
#include "ui/widgets/busybutton.h"
#include "ui/widgets/loglist.h"
#include "ui/widgets/named.h"
#include "ui/widgets/pathbox.h"
#include "ui/workspace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace aethrian::ui {

SettingsPage::SettingsPage(Workspace* workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
    auto* format = new QGroupBox(QStringLiteral("Format Settings"), this);
    auto* caption = new QLabel(QStringLiteral("Float divider"), format);
    divid_ = withAccessibleName(new QLineEdit(QStringLiteral(","), format),
                                QStringLiteral("Float divider"));
    divid_->setObjectName(QStringLiteral("divid"));
    divid_->setMaxLength(1);
    divid_->setFixedWidth(30);
    QFont bold = divid_->font();
    bold.setBold(true);
    divid_->setFont(bold);
    auto* formatLayout = new QHBoxLayout(format);
    formatLayout->addWidget(caption);
    formatLayout->addWidget(divid_);
    formatLayout->addStretch(1);

    auto* loadSettings =
        button(QStringLiteral("LoadSettings"), QStringLiteral("Load Settings"), this);
    auto* saveSettings =
        button(QStringLiteral("SaveSettings"), QStringLiteral("Save Settings"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(loadSettings);
    buttons->addWidget(saveSettings);
    auto* openFolder =
        button(QStringLiteral("OpenServerFolder"), QStringLiteral("Open server folder..."), this);
    openFolder->setToolTip(
        QStringLiteral("Fill every path box whose file is in a folder (Ctrl+Shift+O)"));
    connect(openFolder, &QPushButton::clicked, this, &SettingsPage::openServerFolderRequested);
    buttons->addWidget(openFolder);
    auto* forget =
        button(QStringLiteral("ForgetRecentFiles"), QStringLiteral("Forget recent files"), this);
    forget->setToolTip(
        QStringLiteral("Clear the recent paths of every path box and the folders the "
                       "file dialogs remember"));
    connect(forget, &QPushButton::clicked, this, &SettingsPage::forgetRecentFilesRequested);
    buttons->addWidget(forget);
    buttons->addStretch(1);

    auto* title = new QLabel(QStringLiteral("Aethrian - Script Editor\nKestrune Server"), this);
    title->setObjectName(QStringLiteral("InfoTitle"));
    title->setAlignment(Qt::AlignHCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    const QString help = QStringLiteral(
        "This program contains all the features needed for script editing (server side) of a\n"
        "Aethrian Official Server.\n"
        "\n"
        "Features are:\n"
        "- NPCData editing and comparison\n"
        "- NPC Check with other server files (NPC_PCH, NPCPOS, ITEMData, etc...)\n"
        "- ITEMData editing and comparison\n"
        "- ITEMData Check with other server files\n"
        "- SKILLData editing and comparison\n"
        "- SKILL Check with other server files\n"
        "- Check of Server<->Client files\n"
        "- AI editor and VornAI script language compiler\n"
        "\n"
        "Issue:\n"
        "Server files must don't use <spaces> for the separation of the values. Like:\n"
        "\tskillname = [something]\n"
        "\tmust be\n"
        "\tskillname=[something]\n"
        "Useful thing to find these errors is checking the \"Last Read\" record.");
    auto* info = new QLabel(help, this);
    info->setObjectName(QStringLiteral("InfoText"));
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("InfoPanel"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(title);
    panelLayout->addWidget(info);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(kVersion)), this);
    version->setObjectName(QStringLiteral("InfoVersion"));
    panelLayout->addWidget(version);
    panelLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addLayout(buttons);
    layout->addWidget(panel, 1);
    connect(divid_, &QLineEdit::textEdited, this, &SettingsPage::dividerEdited);
    connect(divid_, &QLineEdit::editingFinished, this, &SettingsPage::dividerFinished);
}

// Only "," and "." are dividers: any other character would be turned into "." wherever it
// occurs in a saved record line, keys and names included.
void SettingsPage::dividerEdited(const QString& text) {
    if (text == QStringLiteral(",") || text == QStringLiteral(".")) {
        workspace_->divider = text.at(0).toLatin1();
        return;
    }
    if (text.isEmpty())
        return; // the user is about to type the new divider
    divid_->setText(QString(QChar(workspace_->divider)));
    showMessage(this, QStringLiteral("The float divider can only be \",\" or \".\"."));
}

void SettingsPage::dividerFinished() {
    if (divid_->text().isEmpty())
        divid_->setText(QString(QChar(workspace_->divider)));
}

} // namespace aethrian::ui
