#include <gtest/gtest.h>

#include <string_view>

#include "calc/svodsum.h"
#include "model/jsonform.h"

namespace zorv {
namespace {

Money M(std::string_view text) {
    return *Money::Parse(text);
}

mTDeclaration Declaration(std::string_view json) {
    mTDeclaration d;
    DeclarationFromJson(Json::parse(json), d);
    return d;
}

kTSvodSum Computed(mTDeclaration& d) {
    kTSvodSum s;
    EXPECT_TRUE(s.Compute(d));
    return s;
}

// ---- Sheet А -------------------------------------------------------------------

constexpr std::string_view kTwoEmployers = R"({
  "IncomeFlags": 1,
  "Person": {"OKATO": "11111111111"},
  "ThirteenPercentList": [
    {"SourceName": "без ОКАТО", "TaxWithheld": "130", "TaxComputed": "130",
     "TaxableIncome": "1000",
     "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "600", "Month": 1},
                    {"IncomeCode": 2000, "IncomeSum": "400.5", "Month": 2}]},
    {"SourceName": "Б", "OKATO": "22222222222", "TaxWithheld": "65", "TaxComputed": "66",
     "TaxableIncome": "500",
     "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "500", "Month": 3}]},
    {"SourceName": "В", "OKATO": "33333333333",
     "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "1", "Month": 3}]}
  ],
  "StandartDeduct": {"Granted": 0}
})";

TEST(SheetA, ThirteenPercentSourcesGoToIncome13ForResidentAndIncome30ForNonResident) {
    for (uint8_t kind : {kResident3NDFL, kNonResident3NDFL}) {
        SCOPED_TRACE(int(kind));
        mTDeclaration d = Declaration(kTwoEmployers);
        d.DeclarationKind = kind;
        kTSvodSum s = Computed(d);
        const kTSheetATotals& filled =
            kind == kResident3NDFL ? static_cast<const kTSheetATotals&>(s.Income13) : s.Income30;
        const kTSheetATotals& empty =
            kind == kResident3NDFL ? static_cast<const kTSheetATotals&>(s.Income30) : s.Income13;
        // Income is the sum of the lines; the other totals are taken as entered.
        EXPECT_EQ(filled.Income, M("1501.5"));
        EXPECT_EQ(filled.TaxableIncome, M("1500"));
        EXPECT_EQ(filled.TaxComputed, M("196"));
        EXPECT_EQ(filled.TaxWithheld, M("195"));
        EXPECT_EQ(ToJson(empty), ToJson(kTSheetATotals()));
        // The first source that has a territory code gives the 13 % refund territory.
        EXPECT_EQ(s.OkatoThirteen, "22222222222");
    }
}

constexpr std::string_view kDividends = R"({
  "IncomeFlags": 1,
  "Person": {"OKATO": "11111111111"},
  "ThirtyPercentList": [
    {"OKATO": "44444444444", "IncomeCode": 1010, "IncomeTotal": "10.1",
     "TaxableIncome": "10.1", "TaxComputed": "1", "TaxWithheld": "1"},
    {"OKATO": "55555555555", "IncomeCode": 1010, "IncomeTotal": "10.1",
     "TaxableIncome": "10.1", "TaxComputed": "1", "TaxWithheld": "2"}
  ]
})";

TEST(SheetA, DividendsOfResidentTakeEnteredTaxAndNonResidentIsTaxedAtFifteenPerSource) {
    mTDeclaration d = Declaration(kDividends);
    kTSvodSum res = Computed(d);
    EXPECT_EQ(res.DividendsRes.Income, M("20.2"));
    EXPECT_EQ(res.DividendsRes.TaxableIncome, M("20.2"));
    EXPECT_EQ(res.DividendsRes.TaxComputed, M("2"));
    EXPECT_EQ(res.DividendsRes.TaxWithheld, M("3"));
    EXPECT_EQ(res.OkatoDividends, "44444444444");
    EXPECT_EQ(res.OkatoFifteen, "11111111111");  // taxpayer's default
    EXPECT_EQ(ToJson(res.DividendsNonRes), ToJson(kTSheetATotals()));

    d.DeclarationKind = kNonResident3NDFL;
    kTSvodSum non = Computed(d);
    // 10.10 × 15 % = 1.515 rounds to 2 for each source; the sum 20.20 would give 3.
    EXPECT_EQ(non.DividendsNonRes.TaxComputed, M("4"));
    EXPECT_EQ(non.DividendsNonRes.Income, M("20.2"));
    EXPECT_EQ(non.DividendsNonRes.TaxWithheld, M("3"));
    EXPECT_EQ(non.OkatoFifteen, "44444444444");
    EXPECT_EQ(non.OkatoDividends, "11111111111");
    EXPECT_EQ(ToJson(non.DividendsRes), ToJson(kTSheetATotals()));
}

// Advertising prizes share one 4000 limit (item 28 of article 217); the material
// benefit of code 2620 enters no sheet А total.
constexpr std::string_view kThirtyFive = R"({
  "IncomeFlags": 1,
  "Person": {"OKATO": "11111111111"},
  "ThirtyFivePercentList": [
    {"INN": "7701000001", "KPP": "770101001", "OKATO": "66666666666", "SourceName": "Приз 1",
     "IncomeCode": 2740, "IncomeTotal": "5000", "DeductCode": 505, "DeductSum": "3000",
     "TaxWithheld": "700"},
    {"OKATO": "77777777777", "SourceName": "Выгода", "IncomeCode": 2620,
     "IncomeTotal": "9000", "TaxWithheld": "3150"},
    {"SourceName": "Приз 2", "IncomeCode": 2740, "IncomeTotal": "3000.5",
     "DeductCode": 505, "DeductSum": "3000", "TaxWithheld": "350"},
    {"SourceName": "Прочее", "IncomeCode": 2610, "IncomeTotal": "1000.01", "TaxWithheld": "10"},
    {"SourceName": "Приз без вычета", "IncomeCode": 2740, "IncomeTotal": "100"}
  ]
})";

TEST(SheetA, ThirtyFivePercentIncomeLessExemptPrizesAndWithoutMaterialBenefit) {
    mTDeclaration d = Declaration(kThirtyFive);
    kTSvodSum s = Computed(d);

    ASSERT_EQ(s.Exempt.Rows.size(), 2u);
    EXPECT_EQ(s.Exempt.Rows[0].Exempt, M("3000"));
    EXPECT_EQ(s.Exempt.Rows[0].Income, M("5000"));
    EXPECT_EQ(s.Exempt.Rows[0].INN, "7701000001");
    EXPECT_EQ(s.Exempt.Rows[0].SourceIndex, 0u);
    EXPECT_EQ(s.Exempt.Rows[1].Exempt, M("1000"));
    EXPECT_EQ(s.Exempt.Rows[1].SourceIndex, 2u);
    EXPECT_EQ(s.Exempt.L170, M("4000"));

    EXPECT_EQ(s.Income35.Income, M("9100.51"));
    // (5000 − 3000) + (3000.50 − 1000) + 1000.01 + 100
    EXPECT_EQ(s.Income35.TaxableIncome, M("5100.51"));
    // Each source rounded alone: 2000 → 700, 2000.50 → 700.175 → 700,
    // 1000.01 → 350.0035 → 350, 100 → 35.
    EXPECT_EQ(s.Income35.TaxComputed, M("1785"));
    EXPECT_EQ(s.Income35.TaxWithheld, M("1060"));
    // The source of the material benefit gives the 35 % refund territory.
    EXPECT_EQ(s.OkatoThirtyFive, "77777777777");

    ASSERT_EQ(s.BenefitWithheld.Rows.size(), 1u);
    EXPECT_EQ(s.BenefitWithheld.Rows[0].OKATO, "77777777777");
    EXPECT_EQ(s.BenefitWithheld.Rows[0].Income, M("9000"));
    EXPECT_EQ(s.BenefitWithheld.Rows[0].SourceIndex, 1u);
    EXPECT_EQ(s.BenefitWithheld.TaxWithheld, M("3150"));

    d.DeclarationKind = kNonResident3NDFL;
    kTSvodSum non = Computed(d);
    EXPECT_EQ(ToJson(non.Income35), ToJson(kTSheetATotals()));
    EXPECT_TRUE(non.Exempt.Rows.empty());
    EXPECT_TRUE(non.BenefitWithheld.Rows.empty());
}

TEST(SheetA, WithoutMaterialBenefitTheFirstThirtyFivePercentSourceGivesTheTerritory) {
    mTDeclaration d = Declaration(R"({
      "IncomeFlags": 1,
      "ThirtyFivePercentList": [
        {"OKATO": "", "IncomeCode": 2610, "IncomeTotal": "10"},
        {"OKATO": "88888888888", "IncomeCode": 2610, "IncomeTotal": "10"},
        {"OKATO": "99999999999", "IncomeCode": 3020, "IncomeTotal": "10"}]})");
    EXPECT_EQ(Computed(d).OkatoThirtyFive, "88888888888");
}

// ---- Sheet Б -------------------------------------------------------------------

mTDeclaration CurrencyDeclaration() {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeForeign);
    return d;
}

mTCurrencyIncome& AddCurrency(mTDeclaration& d, uint32_t rate, uint32_t code, Money rubles,
                              Money taxRubles, Money deduct = Money(), uint32_t deductCode = 0) {
    mTCurrencyIncome& r = d.CurrencyIncome(d.AddCurrencyIncome());
    r.IncomeRate = rate;
    r.IncomeCode = code;
    r.IncomeInRubles = rubles;
    r.TaxInRubles = taxRubles;
    r.DeductSum = deduct;
    r.DeductCode = deductCode;
    return r;
}

TEST(SheetB, RussianTaxAndCreditOfTaxPaidAbroad) {
    struct Case {
        const char* income;
        const char* deduction;
        const char* taxAbroad;
        const char* taxRF;
        const char* credit;
    };
    const Case cases[] = {
        {"1000", "0", "200.4", "130", "130"},  // credit limited to the Russian tax
        {"1000", "0", "100.5", "130", "101"},  // tax abroad rounded half up to rubles
        {"1000", "0", "100.49", "130", "100"},
        {"1000", "1200", "50", "0", "0"},   // deduction above the income
        {"1003.85", "0", "0", "131", "0"},  // 130.5005 rounds up
        {"1000.04", "0.04", "130", "130", "130"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.income) + " " + c.deduction + " " + c.taxAbroad);
        mTDeclaration d = CurrencyDeclaration();
        AddCurrency(d, 13, 2000, M(c.income), M(c.taxAbroad), M(c.deduction), 403);
        kTSvodSum s = Computed(d);
        ASSERT_EQ(s.Foreign13.Rows.size(), 1u);
        EXPECT_EQ(s.Foreign13.Rows[0].TaxRF, M(c.taxRF));
        EXPECT_EQ(s.Foreign13.Rows[0].TaxCredit, M(c.credit));
        EXPECT_EQ(s.Foreign13.Income, M(c.income));
        EXPECT_EQ(s.Foreign13.TaxComputedRF, M(c.taxRF));
        EXPECT_EQ(s.Foreign13.TaxCredit, M(c.credit));
        EXPECT_EQ(s.Foreign13.TaxPaidAbroad, M(c.taxAbroad));
    }
}

TEST(SheetB, RecordsGoToTheSheetOfTheirRateExceptMaterialBenefit) {
    for (uint8_t kind : {kResident3NDFL, kNonResident3NDFL}) {
        mTDeclaration d = CurrencyDeclaration();
        d.DeclarationKind = kind;
        AddCurrency(d, 9, 1010, M("100"), M("0"));
        AddCurrency(d, 35, 2620, M("500"), M("0"));
        AddCurrency(d, 35, 2610, M("200"), M("10"));
        AddCurrency(d, 13, 2000, M("300"), M("0"));
        AddCurrency(d, 9, 1010, M("50"), M("5"));
        kTSvodSum s = Computed(d);
        EXPECT_EQ(s.Foreign9.Rows.size(), 2u);
        EXPECT_EQ(s.Foreign9.Income, M("150"));
        EXPECT_EQ(s.Foreign9.TaxComputedRF, M("14"));  // 9 + 4.5 → 5
        EXPECT_EQ(s.Foreign9.TaxCredit, M("5"));       // 9 > 0 → 0; 4.5 → 5 > 5? no → 5
        ASSERT_EQ(s.Foreign35.Rows.size(), 1u);
        EXPECT_EQ(s.Foreign35.Rows[0].IncomeCode, 2610u);
        EXPECT_EQ(s.Foreign35.TaxComputedRF, M("70"));
        EXPECT_EQ(s.Foreign13.Income, M("300"));
    }
}

TEST(SheetB, RateOfOneUnitIsRoundedHalfUpExactly) {
    struct Case {
        const char* rate;
        uint32_t units;
        const char* text;
    } cases[] = {
        {"18.45", 1000, "0.0185"},
        {"23.25", 1000, "0.0233"},
        {"24.3724", 1, "24.3724"},
        {"50", 100, "0.5"},
        {"100", 100, "1"},
        {"2446.5678", 100, "24.4657"},
        {"1.2344", 10, "0.1234"},
        {"1.2345", 10, "0.1235"},
        {"0.0001", 2, "0.0001"},
        {"0.0001", 3, "0"},
        {"9999.9999", 1, "9999.9999"},
        {"31.5678", 10000, "0.0032"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rate) + " / " + std::to_string(c.units));
        mTDeclaration d = CurrencyDeclaration();
        mTCurrencyIncome& r = AddCurrency(d, 13, 2000, M("100"), M("0"));
        r.IncomeRate1 = M(c.rate);
        r.IncomeUnits = c.units;
        r.TaxRate1 = M(c.rate);
        r.TaxUnits = c.units;
        const kTSvodSum s = Computed(d);
        ASSERT_EQ(s.Foreign13.Rows.size(), 1u);
        EXPECT_EQ(s.Foreign13.Rows[0].IncomeRateText, c.text);
        EXPECT_EQ(s.Foreign13.Rows[0].TaxRateText, c.text);
    }
}

TEST(SheetB, RowCopiesTheRecordAndFormatsRatesAndAmounts) {
    mTDeclaration d = CurrencyDeclaration();
    mTCurrencyIncome& r = AddCurrency(d, 13, 2000, M("3287.56"), M("493.13"), M("0"), 0);
    r.CountryCode = "840";
    r.CurrencyName = "Доллар США";
    r.CurrencyCode = "840";
    r.SourceName = "ACME Inc.";
    r.IncomeDate = DayNumber(2008, 3, 14);
    r.TaxDate = DayNumber(2008, 3, 15);
    r.IncomeRate1 = M("24.4567");
    r.IncomeUnits = 1;
    r.TaxRate1 = M("2446.5678");
    r.TaxUnits = 100;
    r.IncomeInCurrency = M("134.425");
    r.TaxInCurrency = M("20.1");
    AddCurrency(d, 13, 2000, M("10"), M("0")).IncomeUnits = 0;

    kTSvodSum s = Computed(d);
    ASSERT_EQ(s.Foreign13.Rows.size(), 2u);
    const DohodCur& row = s.Foreign13.Rows[0];
    EXPECT_EQ(row.CountryCode, "840");
    EXPECT_EQ(row.CurrencyName, "Доллар США");
    EXPECT_EQ(row.SourceName, "ACME Inc.");
    EXPECT_EQ(row.IncomeDate, DayNumber(2008, 3, 14));
    EXPECT_EQ(row.TaxDate, DayNumber(2008, 3, 15));
    EXPECT_EQ(row.IncomeRateText, "24.4567");
    EXPECT_EQ(row.TaxRateText, "24.4657");          // 24.465678 rounded to four decimals
    EXPECT_EQ(row.IncomeInCurrencyText, "134.42");  // kopecks cut, not rounded
    EXPECT_EQ(row.TaxInCurrencyText, "20.10");
    EXPECT_EQ(row.IncomeInRubles, M("3287.56"));
    EXPECT_EQ(row.TaxRF, M("427"));
    EXPECT_EQ(row.TaxCredit, M("427"));
    // Without units there is no rate text.
    EXPECT_EQ(s.Foreign13.Rows[1].IncomeRateText, "");
    EXPECT_EQ(s.Foreign13.Rows[1].TaxRateText, "");

    Json json = ToJson(s.Foreign13);
    EXPECT_EQ(json["Rows"][0]["IncomeDate"], "14.03.2008");
    EXPECT_EQ(json["Rows"][0]["IncomeCode"], 2000);
    EXPECT_EQ(json["TaxComputedRF"], Json("428"));  // 427 + 1 of the second record
}

// ---- Sheets В1 and В2 ------------------------------------------------------------

TEST(SheetV, ProfessionalDeductionIsCutToIncome) {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeBusiness | kIncomeRepetit);
    mTBusinessNew& confirmed = d.Business(d.AddBusiness());
    confirmed.HasConfirmedExpenses = 1;
    confirmed.Income = M("100000");
    confirmed.ExpenseItems[0] = M("60000");
    confirmed.ExpenseTotal = M("999");  // not used with confirmed expenses
    mTBusinessNew& norm = d.Business(d.AddBusiness());
    norm.HasConfirmedExpenses = 0;
    norm.Income = M("50000");
    norm.ExpenseItems[0] = M("999");  // not used without confirmed expenses
    norm.ExpenseTotal = M("10000");
    d.AdvanceActual = M("1500");
    d.AdvanceAccrued = M("2000");
    mTRepetitNew& practice = d.Repetit(d.AddRepetit());
    practice.Values[0] = M("30000");
    practice.Values[1] = M("45000.5");
    d.RepetitTotal1 = M("100");
    d.RepetitTotal2 = M("200");

    kTSvodSum s = Computed(d);
    EXPECT_EQ(s.Business.Income, M("150000"));
    EXPECT_EQ(s.Business.Deduction, M("70000"));
    EXPECT_EQ(s.Business.AdvancePaid, M("1500"));
    EXPECT_EQ(s.Business.AdvanceAccrued, M("2000"));
    EXPECT_EQ(s.PrivatePractice.Income, M("30000"));
    EXPECT_EQ(s.PrivatePractice.Deduction, M("30000"));  // 45000.50 cut to the income
    EXPECT_EQ(s.PrivatePractice.AdvancePaid, M("100"));
    EXPECT_EQ(s.PrivatePractice.AdvanceAccrued, M("200"));

    d.Business(0).ExpenseItems[0] = M("200000");
    EXPECT_EQ(Computed(d).Business.Deduction, M("150000"));
}

// ---- Sheet Г ---------------------------------------------------------------------

TEST(SheetG, ExemptPartsOfPartOneWithTheirLimits) {
    mTDeclaration d = Declaration(R"({
      "IncomeFlags": 3,
      "ThirteenPercentList": [
        {"SourceName": "А", "IncomeList": [
          {"IncomeCode": 2760, "IncomeSum": "3000", "DeductCode": 503, "DeductSum": "3000"},
          {"IncomeCode": 2790, "IncomeSum": "15000", "DeductCode": 507, "DeductSum": "10000"},
          {"IncomeCode": 2720, "IncomeSum": "1000"},
          {"IncomeCode": 2762, "IncomeSum": "60000", "DeductCode": 508, "DeductSum": "55000"},
          {"IncomeCode": 2770, "IncomeSum": "6000", "DeductCode": 504, "DeductSum": "4000"},
          {"IncomeCode": 2000, "IncomeSum": "50000", "DeductCode": 503, "DeductSum": "4000"}]},
        {"SourceName": "Б", "IncomeList": [
          {"IncomeCode": 2760, "IncomeSum": "2500", "DeductCode": 503, "DeductSum": "1000"},
          {"IncomeCode": 2761, "IncomeSum": "1500", "DeductCode": 506, "DeductSum": "1500"},
          {"IncomeCode": 2730, "IncomeSum": "700", "DeductCode": 502, "DeductSum": "700"}]}],
      "CurrencyIncomeList": [
        {"IncomeRate": 13, "IncomeCode": 2720, "IncomeInRubles": "3500.5", "DeductCode": 501,
         "DeductSum": "3500.5"},
        {"IncomeRate": 13, "IncomeCode": 2720, "IncomeInRubles": "3500", "DeductCode": 501,
         "DeductSum": "500"}]})");
    for (uint8_t kind : {kResident3NDFL, kNonResident3NDFL}) {
        d.DeclarationKind = kind;
        kTSvodSum s = Computed(d);
        const kTSvodSumPrilM& g = s.Exempt;
        EXPECT_EQ(g.L010, M("5500"));
        EXPECT_EQ(g.L020, M("4000"));  // 3000 + 2500 cut to the limit
        EXPECT_EQ(g.L030, M("1500"));
        EXPECT_EQ(g.L040, M("1500"));
        EXPECT_EQ(g.L050, M("8000.5"));  // the line without deduction counts as income
        EXPECT_EQ(g.L060, M("4000"));    // 3500.50 + 3500 cut
        EXPECT_EQ(g.L070, M("700"));
        EXPECT_EQ(g.L080, M("700"));
        EXPECT_EQ(g.L090, M("6000"));
        EXPECT_EQ(g.L100, M("4000"));  // each line at most 4000
        EXPECT_EQ(g.L110, M("15000"));
        EXPECT_EQ(g.L120, M("10000"));
        EXPECT_EQ(g.BirthAidIncome, M("60000"));
        EXPECT_EQ(g.BirthAidExempt, M("55000"));  // no limit on this sheet
        EXPECT_EQ(g.L130, M("79200"));
    }
}

TEST(SheetG, PrizeLinesOfThirteenPercentSourcesFollowThePrizeSources) {
    mTDeclaration d = Declaration(R"({
      "IncomeFlags": 1,
      "DeclarationKind": 1,
      "ThirteenPercentList": [
        {"INN": "7702000002", "SourceName": "Б", "IncomeList": [
          {"IncomeCode": 2740, "IncomeSum": "2000", "DeductCode": 505, "DeductSum": "2000"},
          {"IncomeCode": 2740, "IncomeSum": "900", "DeductCode": 0},
          {"IncomeCode": 2740, "IncomeSum": "5000", "DeductCode": 505, "DeductSum": "4000"}]}],
      "ThirtyFivePercentList": [
        {"SourceName": "А", "IncomeCode": 2740, "IncomeTotal": "1500", "DeductCode": 505,
         "DeductSum": "1500"}]})");
    kTSvodSum non = Computed(d);
    ASSERT_EQ(non.Exempt.Rows.size(), 2u);  // 35 % sources only for a resident
    EXPECT_EQ(non.Exempt.Rows[0].Exempt, M("2000"));
    EXPECT_EQ(non.Exempt.Rows[0].INN, "7702000002");
    EXPECT_EQ(non.Exempt.Rows[1].Income, M("5000"));
    EXPECT_EQ(non.Exempt.Rows[1].Exempt, M("2000"));
    EXPECT_EQ(non.Exempt.L170, M("4000"));

    d.DeclarationKind = kResident3NDFL;
    kTSvodSum res = Computed(d);
    ASSERT_EQ(res.Exempt.Rows.size(), 3u);
    EXPECT_EQ(res.Exempt.Rows[0].SourceName, "А");
    EXPECT_EQ(res.Exempt.Rows[0].Exempt, M("1500"));
    EXPECT_EQ(res.Exempt.Rows[1].Exempt, M("2000"));
    EXPECT_EQ(res.Exempt.Rows[2].Exempt, M("500"));
    EXPECT_EQ(res.Income35.TaxableIncome, M("0"));
}

}  // namespace
}  // namespace zorv
