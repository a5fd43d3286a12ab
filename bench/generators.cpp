// A 10,000-record weapongrp dump loaded into its table and exported as PHP lines.
#include "harness.h"
#include "suites.h"

#include "generators/clientdump.h"
#include "records/textfile.h"

namespace aethrian::bench {

std::string weaponDump(size_t records) {
    std::string out;
    for (size_t i = 0; i < records; ++i) {
        const std::string n = "weapon_" + std::to_string(i);
        out += "item_begin\tobject_id=" + std::to_string(i) + "\tobject_name=[" + n +
               "]\tbody_part={rhand}\tanimation=sword\tdrop_type=1\tdrop_anim_type=1\tdrop_radius=5.5\tdrop_height=6"
               "\tprojectile=[none]\tcurvature=1000\tdrop_mesh={[dropitems.drop_sword_m00]}"
               "\tdrop_texture={[dropitemstex.drop_sword_t00]}\ticon={[icon." + n + "_i00];[icon." + n + "_i01]}"
               "\tmesh={[lineagew." + n + "_m00]}\ttexture={[lineageweapontex." + n + "_t00];[none]}\tcrystallizable=0"
               "\titem_sound={[itemsound.sword_small];[itemsound.sword_mid]}\tdrop_sound=[itemsound.itemdrop_sword]"
               "\tequip_sound=[itemsound.itemequip_sword]\tweight=1600\tsoulshot_count=1\tspiritshot_count=1"
               "\tmaterial_type=steel\tcrystal_type=none\tphysical_damage=8\trandom_damage=10\tweapon_type=sword"
               "\tcritical=8\thit_modify=0\tavoid_modify=0\tshield_defense=0\tshield_defense_rate=0\tattack_speed=379"
               "\tmp_consume=0\tmagical_damage=6\tdurability=95\titem_end\n";
    }
    return out;
}

void runGeneratorsSuite(const std::string& dir) {
    const size_t records = 10000;
    const std::string utf8 = weaponDump(records);
    const std::string path = writeGenerated(dir, "weapongrp.txt", utf8);
    const double mb = static_cast<double>(utf8.size()) / 1e6;
    const double floor = floorMs(path);
    printRow("load weapongrp dump + PHP export", records, mb, measure([&] {
                 const ClientDumpFile dump = loadClientDumpFile(path, kItemDumpMarks);
                 volatile size_t n =
                     exportPhpLines(dump.table, PhpExport::Weapon, 1, ',').lines.size();
                 (void)n;
             }),
             floor);
}

} // namespace aethrian::bench
