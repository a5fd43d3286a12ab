#pragma once

#include "records/table.h"
#include "ui/models/tablemodel.h"

#include <QObject>

namespace aethrian::ui {

class ClientItemPage;
class NpcPchPage;
class PanePage;

// The pages holding the side files that the checks read, set as the window builds them.
struct SidePanes {
    NpcPchPage* npcPch = nullptr;
    PanePage* itemPch = nullptr;
    PanePage* npcpos = nullptr;
    PanePage* npcgrp = nullptr;
    PanePage* npcname = nullptr;
    ClientItemPage* weaponGrp = nullptr;
    ClientItemPage* armorGrp = nullptr;
    ClientItemPage* etcItemGrp = nullptr;
    ClientItemPage* itemName = nullptr;
    PanePage* skilldata = nullptr;
    PanePage* skillPch = nullptr;
    PanePage* skillname = nullptr;
    PanePage* skillgrp = nullptr;
};

// What the main window owns for the whole run and every page may use: the data tables with their
// models, the side-file panes next to them, and the decimal divider of the Settings page.
class Workspace : public QObject {
    Q_OBJECT
  public:
    Workspace()
        : npcModel(npc), itemModel(item), petModel(pet), skillModel(skill),
          npcCompareModel(npcCompare), itemCompareModel(itemCompare),
          skillCompareModel(skillCompare), weaponGrpModel(weaponGrp), armorGrpModel(armorGrp),
          etcItemGrpModel(etcItemGrp), itemNameModel(itemName) {
        for (TableModel* m : {&npcCompareModel, &itemCompareModel, &skillCompareModel}) {
            m->setEditable(false);
            m->setHighlightDifferences(true);
        }
    }

    Table npc;
    Table item;
    Table pet;
    Table skill;
    TableModel npcModel;
    TableModel itemModel;
    TableModel petModel;
    TableModel skillModel;
    // The comparison results.
    Table npcCompare;
    Table itemCompare;
    Table skillCompare;
    TableModel npcCompareModel;
    TableModel itemCompareModel;
    TableModel skillCompareModel;
    // The client item dumps' Table Views.
    Table weaponGrp;
    Table armorGrp;
    Table etcItemGrp;
    Table itemName;
    TableModel weaponGrpModel;
    TableModel armorGrpModel;
    TableModel etcItemGrpModel;
    TableModel itemNameModel;
    SidePanes panes;
    char divider = ',';
};

} // namespace aethrian::ui
