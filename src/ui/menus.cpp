#include "ui/menus.h"

#include <QAbstractScrollArea>
#include <QAction>

#include <vector>

namespace aethrian::ui {

namespace {

struct Command {
    const char* name; // nullptr: a separator
    const char* caption;
    const char* shortcut = nullptr;
    bool isDefault = false;
};

constexpr Command kSeparator{nullptr, nullptr};

std::vector<Command> commandsOf(const QString& menu) {
    if (menu == QLatin1String("PopupMenu1"))
        return {{"Search1", "New Search...", "Ctrl+F"},
                {"Findnext1", "Find next", "F3"},
                kSeparator,
                {"SortbyID1", "Sort by this column"},
                kSeparator,
                {"N1", "Change values of this CELL...", nullptr, true},
                {"Changevalue1", "Change values of the entire COLUMN..."},
                {"Adddrop1", "Add drop..."},
                {"Addspoil1", "Add spoil..."},
                {"Fillwith1", "Fill with..."},
                kSeparator,
                {"GenerateNPCPCH1", "Generate NPC_PCH"},
                kSeparator,
                {"CheckifallitemsexistsinITEMData1", "Check if all items exists in ITEMData"},
                {"CheckifallIAexsists1", "Find drop number errors"},
                {"CheckpresenceinsideNPCPCH1", "Check presence inside NPC_PCH"},
                {"FindifallnpcsinsideNPCPOSexists1", "Find if all npcs inside NPCPOS exists"},
                {"CheckpresenceinsideNPCPOS1", "Check presence inside Client:npcgrp"},
                {"CheckpresenceinsideClientnpcname1", "Check presence inside Client:npcname"},
                {"FindDuplicates2", "Find Duplicates"},
                {"Correctlistdrops1", "Correct list drops"},
                kSeparator,
                {"RoundcolumntoINTEGER1", "Round column to INTEGER"},
                kSeparator,
                {"GoToItem1", "Go to item...", "F12"}};
    if (menu == QLatin1String("PopupMenu3"))
        return {{"NewSearch1", "New Search...", "Ctrl+F"},
                {"Findnext2", "Find next", "F3"},
                kSeparator,
                {"SortbyID2", "Sort by this column"},
                kSeparator,
                {"Duals1", "Make a duals..."},
                {"GenerateITEMPCH1", "Generate ITEM_PCH"},
                kSeparator,
                {"Showitemsnotused1", "Show items not dropped/spoiled (check on NPCData)"},
                {"CheckpresenceinsideITEMPCH1", "Check presence inside ITEM_PCH"},
                {"CheckpresenceinsideClientitemname1", "Check presence inside Client:itemname"},
                {"CheckpresenceinsideClient1",
                 "Check presence inside Client:WeaponGrp|ArmorGrp|EtcItemGrp (merged)"},
                {"Findduplicates1", "Find duplicates"},
                kSeparator,
                {"WhereDropped1", "Where is this item dropped?", "Shift+F12"}};
    if (menu == QLatin1String("compareMenu"))
        return {{"SendFirstFileDatatoRatesChanger1", "Send 1st File Data to NPCData Editor"}};
    if (menu == QLatin1String("PopupMenu2"))
        return {{"MenuItem1", "Send 1st File Data to ITEMData Editor"}};
    if (menu == QLatin1String("PopupMenu4"))
        return {{"Checkifallmonstersexists1", "Check if all monsters exists"}};
    if (menu == QLatin1String("PopupMenu5"))
        return {{"FindallinsideSkillPCH1", "Find all inside Skill_PCH"},
                {"FindallinsideSkillgrp1", "Find all inside Skillgrp"},
                {"FindallinsideSkillname1", "Find all inside Skillname"}};
    if (menu == QLatin1String("PopupMenu8"))
        return {{"WEAPONGRP1", "WEAPONGRP"}, kSeparator, {"MenuItem4", "Export as PHP..."}};
    if (menu == QLatin1String("PopupMenu6"))
        return {{"ETCITEMGRP1", "ETCITEMGRP"}, kSeparator, {"ExportasPHP1", "Export as PHP..."}};
    if (menu == QLatin1String("PopupMenu7"))
        return {{"ITEMNAME1", "ITEMNAME"}, kSeparator, {"ExportasPHP2", "Export as PHP..."}};
    return {};
}

} // namespace

QStringList popupMenuNames() {
    return {
        QStringLiteral("PopupMenu1"), QStringLiteral("PopupMenu3"), QStringLiteral("compareMenu"),
        QStringLiteral("PopupMenu2"), QStringLiteral("PopupMenu4"), QStringLiteral("PopupMenu5"),
        QStringLiteral("PopupMenu8"), QStringLiteral("PopupMenu6"), QStringLiteral("PopupMenu7")};
}

QMenu* buildPopupMenu(const QString& objectName, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(objectName);
    for (const Command& c : commandsOf(objectName)) {
        if (!c.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(c.caption));
        action->setObjectName(QString::fromLatin1(c.name));
        if (c.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        if (c.isDefault)
            menu->setDefaultAction(action);
    }
    return menu;
}

void attachPopupMenu(QWidget* widget, QMenu* menu) {
    // Shortcuts of the menu (Ctrl+F, F3) work while the widget has the focus.
    for (QAction* action : menu->actions())
        if (!action->shortcut().isEmpty())
            widget->addAction(action);
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                     [widget, menu](const QPoint& pos) {
                         menu->setProperty("sourceWidget", QVariant::fromValue<QObject*>(widget));
                         auto* area = qobject_cast<QAbstractScrollArea*>(widget);
                         const QPoint global =
                             area ? area->viewport()->mapToGlobal(pos) : widget->mapToGlobal(pos);
                         menu->popup(global);
                     });
}

} // namespace aethrian::ui
