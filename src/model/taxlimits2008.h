#pragma once

// Limits, rates and budget classification codes of the personal income tax for
// tax year 2008 (Tax Code of the Russian Federation, chapter 23, as in force for
// 2008). The sheet computations use these names only.

#include <cstdint>

#include "storage/money.h"

namespace zorv::limits2008 {

// Standard deductions, article 218, item 1 (amounts per month).
inline constexpr Money kStdDeduction3000 = Money::Rubles(3000);  // sub-item 1
inline constexpr Money kStdDeduction500 = Money::Rubles(500);    // sub-item 2
inline constexpr Money kStdDeduction400 = Money::Rubles(400);    // sub-item 3
// Income from the start of the year up to which sub-item 3 applies.
inline constexpr Money kStdPersonalIncomeLimit = Money::Rubles(20000);  // sub-item 3

// Children, article 218, item 1, sub-item 4 (amounts per child and month).
inline constexpr Money kChildParent = Money::Rubles(600);
inline constexpr Money kChildSingleParent = Money::Rubles(1200);  // double: single parent,
                                                                  // guardian, trustee
inline constexpr Money kDisabledChildParent = Money::Rubles(1200);
inline constexpr Money kDisabledChildSingleParent = Money::Rubles(2400);
// Income from the start of the year up to which sub-item 4 applies.
inline constexpr Money kChildIncomeLimit = Money::Rubles(40000);

// Social deductions, article 219.
inline constexpr int kCharityPercent = 25;  // item 1, sub-item 1: share of the income
inline constexpr Money kChildEducationLimit = Money::Rubles(50000);  // item 1, sub-item 2
inline constexpr Money kSocialLimit = Money::Rubles(100000);  // item 2: sub-items 2-5 together

// Authors' fees, article 221, third paragraph: the norms of expenses in percent of
// the fee, where the expenses are not confirmed.
inline constexpr int kAuthorLiteraryWorks = 20;
inline constexpr int kAuthorGraphicArt = 30;
inline constexpr int kAuthorWorksOfArt = 40;
inline constexpr int kAuthorAudiovisual = 30;
inline constexpr int kAuthorMusicalStage = 40;
inline constexpr int kAuthorOtherMusic = 25;
inline constexpr int kAuthorPerformances = 20;
inline constexpr int kAuthorScientificWorks = 20;
inline constexpr int kAuthorInventions = 30;

// Exempt parts of income, article 217: gifts, prizes, material aid and the like,
// up to 4000 rubles a year for each kind (item 28); aid under item 33, up to 10 000.
inline constexpr Money kExemptIncomeLimit = Money::Rubles(4000);
inline constexpr Money kExemptItem33Limit = Money::Rubles(10000);

// Property sale, article 220, item 1, sub-item 1.
inline constexpr Money kSaleHousingLimit = Money::Rubles(1000000);
inline constexpr Money kSaleOtherPropertyLimit = Money::Rubles(125000);

// Building or buying housing, article 220, item 1, sub-item 2: the expense limit
// by the year of the transfer act or registration of ownership (2 000 000 from
// income of 2008, Federal law of 26.11.2008 No. 224-FZ).
inline constexpr Money kHousingLimitBefore2008 = Money::Rubles(1000000);
inline constexpr Money kHousingLimitFrom2008 = Money::Rubles(2000000);
inline constexpr int kHousingLimitFirstYear = 2008;

// Rates, article 224, in percent.
inline constexpr int kRateMain = 13;             // item 1
inline constexpr int kRateDividendsRes = 9;      // item 4
inline constexpr int kRateDividendsNonRes = 15;  // item 3, dividends of non-residents
inline constexpr int kRateNonResident = 30;      // item 3
inline constexpr int kRatePrizes = 35;           // item 2

// Budget classification codes of the personal income tax (order of the Ministry
// of Finance on budget classification for 2008).
inline constexpr const char* kKbkDividends = "18210102010011000110";        // 9 %
inline constexpr const char* kKbkDividendsNonRes = "18210102011011000110";  // 15 %
inline constexpr const char* kKbkAgents = "18210102021011000110";        // 13 %, withheld by agents
inline constexpr const char* kKbkSelfEmployed = "18210102022011000110";  // 13 %, art. 227
inline constexpr const char* kKbkNonResident = "18210102030011000110";   // 30 %
inline constexpr const char* kKbkPrizes = "18210102040011000110";        // 35 %
inline constexpr const char* kKbkNineOther = "18210102050011000110";  // 9 %, other than dividends

}  // namespace zorv::limits2008
