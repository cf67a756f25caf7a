#include "core/sims/outfit_table.hpp"

#include "core/base/failure.hpp"

namespace fw {

namespace {

// The light-toned cells; the other tones are the same texts with "lgt" replaced by their code.
// Columns: adult male, adult female, child male, child female. Rows follow kOutfitEntries.
constexpr const char* kLightCells[16][4] = {
    // 2: normal outfit
    {"B001MAFit_01,BODY=b001mafitlgt_relax", "B001FAFit_01,BODY=b001fafitlgt_Shannon01",
     "B001MCChd_01,BODY=B001MCChdlgt_boy01", "B001FCChd_01,BODY=B001FCChdlgt_girl01"},
    // 16: outfit of kind n
    {"nmfit_01,nmfitlgt_01", "nffit_01,nffitlgt_01", "nuchd_01,nuchdlgt_01", "nuchd_01,nuchdlgt_01"},
    // 17: underwear
    {"nmfit_01,umfitlgt_undies01", "nffit_01,uffitlgt_undies01", "nuchd_01,umchdlgt_undies01",
     "nuchd_01,ufchdlgt_undies01"},
    // 28: outfit of kind f (adults only)
    {"fmfit_01,fmfitlgt_01", "fffit_01,fffitlgt_01", "", ""},
    // 18 to 23: hands LO, RO, LP, RP, LC, RC
    {"HmLO,HAND=huaolgt", "HfLO,HAND=huaolgt", "HuLO,HAND=huaolgt", "HuLO,HAND=huaolgt"},
    {"HmRO,HAND=huaolgt", "HfRO,HAND=huaolgt", "HuRO,HAND=huaolgt", "HuRO,HAND=huaolgt"},
    {"HmLP,HAND=huaplgt", "HfLP,HAND=huaplgt", "HuLP,HAND=huaplgt", "HuLP,HAND=huaplgt"},
    {"HmRP,HAND=huaplgt", "HfRP,HAND=huaplgt", "HuRP,HAND=huaplgt", "HuRP,HAND=huaplgt"},
    {"HmLC,HAND=huaclgt", "HfLC,HAND=huaclgt", "HuLC,HAND=huaclgt", "HuLC,HAND=huaclgt"},
    {"HmRC,HAND=huaclgt", "HfRC,HAND=huaclgt", "HuRC,HAND=huaclgt", "HuRC,HAND=huaclgt"},
    // 29, 30: formal hands (adult females only)
    {"", "HfLO,HAND=gfao_bride", "", ""},
    {"", "HfRO,HAND=gfao_bride", "", ""},
    // 31: formal outfit
    {"f100mafit_original,BODY=f100mafitlgt_original", "f100fafit_original,BODY=f100fafitlgt_original",
     "ADDED", "ADDED"},
    // 32: swimsuit
    {"s100mafit_original,BODY=s100mafitlgt_original", "s100fafit_original,BODY=s100fafitlgt_original",
     "s100mcchd_original,BODY=s100mcchdlgt_original", "s100fcchd_original,BODY=s100fcchdlgt_original"},
    // 33: pajamas
    {"l100mafit_original,BODY=l100mafitlgt_original", "l100fafit_original,BODY=l100fafitlgt_original",
     "l100mcchd_original,BODY=l100mcchdlgt_original", "l100fcchd_original,BODY=l100fcchdlgt_original"},
    // 34: outfit of kind w
    {"w100mafit_original,BODY=w100mafitlgt_original", "w100fafit_original,BODY=w100fafitlgt_original",
     "w100mcchd_original,BODY=w100mcchdlgt_original", "w100fcchd_original,BODY=w100fcchdlgt_original"},
};

std::string in_tone(const char* light_cell, Tone tone) {
    std::string cell = light_cell;
    const size_t at = cell.find("lgt");
    if (at != std::string::npos) cell.replace(at, 3, tone_code(tone));
    return cell;
}

}  // namespace

std::vector<std::pair<size_t, std::string>> outfit_row(bool adult, bool male, Tone tone) {
    const size_t column = (adult ? 0 : 2) + (male ? 0 : 1);
    std::vector<std::pair<size_t, std::string>> row;
    row.reserve(kOutfitEntries.size());
    for (size_t i = 0; i < kOutfitEntries.size(); ++i) {
        row.emplace_back(kOutfitEntries[i], in_tone(kLightCells[i][column], tone));
    }
    return row;
}

void apply_outfit_table(STRList& appearance) {
    const bool adult = appearance.item(entry::age).value == "adult";
    const bool male = appearance.item(entry::gender).value == "male";
    const std::optional<Tone> tone = tone_from_code(appearance.item(entry::tone).value);
    if (!tone) return;
    if (appearance.item_count() < kOutfitLastEntry) fail(ErrorKind::SubscriptOutOfRange);
    for (const auto& [n, value] : outfit_row(adult, male, *tone)) appearance.item(n).value = value;
}

}  // namespace fw
