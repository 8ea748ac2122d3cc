#pragma once

// Income and deduction codes that the computation, the file and the paper form
// treat in a way of their own. The dictionary holds every code with its name;
// these name the ones the rules single out.

#include <cstdint>

namespace zorv::codes {

// Income codes.
inline constexpr uint32_t kSaleOfHousing = 1510;       // real estate, whole
inline constexpr uint32_t kSaleOfHousingShare = 1511;  // real estate, a share
inline constexpr uint32_t kSaleOfOtherProperty = 1520;
inline constexpr uint32_t kFirstSecurities = 1530;  // the five codes 1530-1534 of sheet З
inline constexpr uint32_t kCivilContract = 2010;
inline constexpr uint32_t kFirstAuthorFee = 2201;  // authors' fees run to 2209
inline constexpr uint32_t kLastAuthorFee = 2209;
inline constexpr uint32_t kOtherAuthorFee = 2299;
inline constexpr uint32_t kMaterialBenefit = 2620;  // exempt material benefit, 35 % list
inline constexpr uint32_t kGifts = 2720;
inline constexpr uint32_t kCompetitionPrizes = 2730;
inline constexpr uint32_t kAdvertisingPrizes = 2740;
inline constexpr uint32_t kEmployerAid = 2760;
inline constexpr uint32_t kDisabledAid = 2761;
inline constexpr uint32_t kBirthAid = 2762;
inline constexpr uint32_t kMedicines = 2770;
inline constexpr uint32_t kItem33Aid = 2790;

// Deduction codes of the property sale (sheet Ж1).
inline constexpr uint32_t kSaleHousingUnder3Years = 901;
inline constexpr uint32_t kSaleHousing3Years = 902;
inline constexpr uint32_t kSaleExpenses = 903;
inline constexpr uint32_t kSaleShareUnder3Years = 904;
inline constexpr uint32_t kSaleShare3Years = 905;
inline constexpr uint32_t kSaleOtherUnder3Years = 906;
inline constexpr uint32_t kSaleOther3Years = 907;
// The same deductions in the code list of earlier years.
inline constexpr uint32_t kOldSaleHousingUnder3Years = 301;
inline constexpr uint32_t kOldSaleHousing3Years = 302;
inline constexpr uint32_t kOldSaleOtherUnder3Years = 303;
inline constexpr uint32_t kOldSaleOther3Years = 304;
inline constexpr uint32_t kOldSaleExpenses = 305;
inline constexpr uint32_t kOldSaleShareUnder3Years = 313;
inline constexpr uint32_t kOldSaleShare3Years = 314;

// Other deduction codes.
inline constexpr uint32_t kSecuritiesExpenses = 307;  // expenses on securities of code 1530
inline constexpr uint32_t kBirthAidDeduction = 508;

}  // namespace zorv::codes
