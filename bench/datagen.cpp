#include "datagen.h"

#include <random>

namespace aethrian::bench {

namespace {

class Gen {
  public:
    explicit Gen(std::uint32_t seed) : rng_(seed) {}
    size_t below(size_t n) { return static_cast<size_t>(rng_() % n); }
    std::string num(size_t n) { return std::to_string(below(n)); }
    std::string decimal(size_t whole, int places) {
        std::string s = num(whole) + ".";
        for (int i = 0; i < places; ++i)
            s += static_cast<char>('0' + below(10));
        return s;
    }

  private:
    std::mt19937 rng_;
};

std::string entry(Gen& g, const std::string& item) {
    return "{[" + item + "];" + g.num(5) + ";" + std::to_string(5 + g.below(10)) + ";" +
           g.decimal(100, 4) + "}";
}

std::string flatList(Gen& g, size_t itemCount, size_t entries) {
    std::string s = "{{[adena];" + g.num(500) + ";" + std::to_string(500 + g.below(500)) + ";70}";
    for (size_t i = 0; i < entries; ++i)
        s += ";" + entry(g, itemName(g.below(itemCount)));
    return s + "}";
}

std::string groupedList(Gen& g, size_t itemCount, size_t groups) {
    if (groups == 0)
        return "{}";
    std::string s = "{";
    for (size_t k = 0; k < groups; ++k) {
        if (k)
            s += ";";
        s += "{{";
        const size_t entries = 1 + g.below(4);
        for (size_t i = 0; i < entries; ++i) {
            if (i)
                s += ";";
            s += entry(g, k == 0 && i == 0 ? std::string("adena") : itemName(g.below(itemCount)));
        }
        s += "};" + g.decimal(100, 3) + "}";
    }
    return s + "}";
}

} // namespace

std::string npcName(size_t index) {
    switch (index) {
    case 3:
        return "orc_grunt";
    case 7:
        return "porta";
    case 11:
        return "karik";
    default:
        return "npc_" + std::to_string(index);
    }
}

std::string itemName(size_t index) {
    return "item_" + std::to_string(index);
}

std::string generateNpcData(size_t records, size_t itemCount, std::uint32_t seed) {
    Gen g(seed);
    std::string out = "// npcdata generated for benchmarks\r\n";
    out.reserve(records * 2600);
    for (size_t r = 0; r < records; ++r) {
        std::string line = "npc_begin\t";
        line += (g.below(10) == 0 ? "boss" : "warrior");
        line += "\t" + std::to_string(20000 + r) + "\t[" + npcName(r) + "]\t";
        const auto field = [&](const std::string& key, const std::string& value) {
            line += key + "=" + value + "\t";
        };
        field("level", std::to_string(1 + g.below(80))); // 4
        field("acquire_exp_rate", g.decimal(20, 4));     // 5
        field("acquire_sp", g.num(1000));                // 6
        for (int k = 7; k < 18; ++k)
            field("param_" + std::to_string(k), g.decimal(1000, 2));                    // 7..17
        field("additional_make_list", groupedList(g, itemCount, g.below(3)));           // 18
        field("corpse_make_list", flatList(g, itemCount, 2 + g.below(6)));              // 19
        field("ex_item_drop_list", groupedList(g, itemCount, g.below(2)));              // 20
        field("additional_make_multi_list", groupedList(g, itemCount, 2 + g.below(5))); // 21
        for (int k = 22; k < 68; ++k) {
            if (k % 5 == 0)
                field("skill_list_" + std::to_string(k),
                      "{@s_" + g.num(9999) + ";@s_" + g.num(9999) + ";@s_" + g.num(9999) + "}");
            else
                field("param_" + std::to_string(k), g.decimal(10000, 3));
        }
        field("clan", g.below(3) == 0 ? "{@orc_clan;@undead_clan}" : "{}"); // 68
        for (int k = 69; k < 94; ++k)
            field("param_" + std::to_string(k), g.num(100000));
        line += "npc_end\r\n";
        out += line;
    }
    return out;
}

std::string generateItemData(size_t records, std::uint32_t seed) {
    Gen g(seed);
    std::string out = "// itemdata generated for benchmarks\r\n";
    out.reserve(records * 900);
    static const char* kTypes[] = {"weapon", "armor", "etcitem"};
    for (size_t r = 0; r < records; ++r) {
        const char* type = kTypes[g.below(3)];
        std::string line = std::string("item_begin\t") + type + "\t" + std::to_string(r + 1) +
                           "\t[" + itemName(r) + "]\t";
        const auto field = [&](const std::string& key, const std::string& value) {
            line += key + "=" + value + "\t";
        };
        field("item_type", type);
        field("slot_bit_type", "{rhand}");
        field("crystal_type", std::string(1, "nabcds"[g.below(6)]));
        field("weight", g.num(5000));
        for (int k = 0; k < 36; ++k)
            field("param_" + std::to_string(k), k % 4 == 0 ? g.decimal(100, 2) : g.num(10000));
        line += "item_end\r\n";
        out += line;
    }
    return out;
}

} // namespace aethrian::bench
