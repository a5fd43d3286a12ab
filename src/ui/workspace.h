#pragma once

#include "records/table.h"
#include "ui/models/tablemodel.h"

#include <QObject>

namespace aethrian::ui {

// What the main window owns for the whole run and every page may use: the data tables with their
// models and the decimal divider of the Settings page.
class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace()
        : npcModel(npc), itemModel(item), petModel(pet), skillModel(skill), npcCompareModel(npcCompare),
          itemCompareModel(itemCompare), skillCompareModel(skillCompare), weaponGrpModel(weaponGrp),
          armorGrpModel(armorGrp), etcItemGrpModel(etcItemGrp), itemNameModel(itemName) {
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
    char divider = ',';
};

} // namespace aethrian::ui
