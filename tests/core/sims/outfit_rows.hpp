#pragma once
#include <map>
#include <string>

namespace fw::typed {

// The default outfit table typed cell by cell: entry -> value of the body's row in the tone ("lgt",
// "med", "drk"). The light-toned rows are typed; the other tones are the same texts with "lgt" replaced.
inline std::map<size_t, std::string> outfits(bool adult, bool male, const std::string& tone) {
    static const size_t kEntries[16] = {2, 16, 17, 18, 19, 20, 21, 22, 23, 28, 29, 30, 31, 32, 33, 34};
    static const char* const kLight[4][16] = {
        {"B001MAFit_01,BODY=b001mafitlgt_relax", "nmfit_01,nmfitlgt_01", "nmfit_01,umfitlgt_undies01",
         "HmLO,HAND=huaolgt", "HmRO,HAND=huaolgt", "HmLP,HAND=huaplgt", "HmRP,HAND=huaplgt",
         "HmLC,HAND=huaclgt", "HmRC,HAND=huaclgt", "fmfit_01,fmfitlgt_01", "", "",
         "f100mafit_original,BODY=f100mafitlgt_original", "s100mafit_original,BODY=s100mafitlgt_original",
         "l100mafit_original,BODY=l100mafitlgt_original", "w100mafit_original,BODY=w100mafitlgt_original"},
        {"B001FAFit_01,BODY=b001fafitlgt_Shannon01", "nffit_01,nffitlgt_01", "nffit_01,uffitlgt_undies01",
         "HfLO,HAND=huaolgt", "HfRO,HAND=huaolgt", "HfLP,HAND=huaplgt", "HfRP,HAND=huaplgt",
         "HfLC,HAND=huaclgt", "HfRC,HAND=huaclgt", "fffit_01,fffitlgt_01", "HfLO,HAND=gfao_bride",
         "HfRO,HAND=gfao_bride", "f100fafit_original,BODY=f100fafitlgt_original",
         "s100fafit_original,BODY=s100fafitlgt_original", "l100fafit_original,BODY=l100fafitlgt_original",
         "w100fafit_original,BODY=w100fafitlgt_original"},
        {"B001MCChd_01,BODY=B001MCChdlgt_boy01", "nuchd_01,nuchdlgt_01", "nuchd_01,umchdlgt_undies01",
         "HuLO,HAND=huaolgt", "HuRO,HAND=huaolgt", "HuLP,HAND=huaplgt", "HuRP,HAND=huaplgt",
         "HuLC,HAND=huaclgt", "HuRC,HAND=huaclgt", "", "", "", "ADDED",
         "s100mcchd_original,BODY=s100mcchdlgt_original", "l100mcchd_original,BODY=l100mcchdlgt_original",
         "w100mcchd_original,BODY=w100mcchdlgt_original"},
        {"B001FCChd_01,BODY=B001FCChdlgt_girl01", "nuchd_01,nuchdlgt_01", "nuchd_01,ufchdlgt_undies01",
         "HuLO,HAND=huaolgt", "HuRO,HAND=huaolgt", "HuLP,HAND=huaplgt", "HuRP,HAND=huaplgt",
         "HuLC,HAND=huaclgt", "HuRC,HAND=huaclgt", "", "", "", "ADDED",
         "s100fcchd_original,BODY=s100fcchdlgt_original", "l100fcchd_original,BODY=l100fcchdlgt_original",
         "w100fcchd_original,BODY=w100fcchdlgt_original"},
    };
    const char* const* row = kLight[(adult ? 0 : 2) + (male ? 0 : 1)];
    std::map<size_t, std::string> cells;
    for (int i = 0; i < 16; ++i) {
        std::string cell = row[i];
        if (const size_t at = cell.find("lgt"); at != std::string::npos) cell.replace(at, 3, tone);
        cells[kEntries[i]] = cell;
    }
    return cells;
}

}  // namespace fw::typed
