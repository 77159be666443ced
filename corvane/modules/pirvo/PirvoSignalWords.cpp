#include "corvane/modules/pirvo/PirvoSignalWords.h"

namespace corvane {

const std::array<PirvoSignalWord, kPirvoSignalWordCount>& PirvoSignalWords() {
    static constexpr std::array<PirvoSignalWord, kPirvoSignalWordCount> words{{
        {0, "BB"},         {1, "BB_FREF"},    {2, "BB_NO_FREF"}, {3, "SYNC"},      {4, "BLANKING"},
        {9, "SUBCARRIER"}, {5, "H_DRIVE"},    {6, "V_DRIVE"},    {7, "FREF"},      {8, "PAL_PULSE"},
        {27, "BB_10FID"},  {28, "CB100PER"},  {29, "CB75PER"},   {30, "CB_SMPTE"}, {31, "FF40PER"},
        {12, "OTHER_ONE"}, {13, "OTHER_TWO"}, {32, "CB100_OR"},  {33, "CB75_OR"},
    }};
    return words;
}

std::string PirvoSignalKeyword(int code) {
    for (const PirvoSignalWord& word : PirvoSignalWords())
        if (word.code == code)
            return std::string(word.keyword);
    return "BB";
}

int PirvoSignalCode(std::string_view keyword) {
    for (const PirvoSignalWord& word : PirvoSignalWords())
        if (word.keyword == keyword)
            return word.code;
    return -1;
}

}  // namespace corvane
