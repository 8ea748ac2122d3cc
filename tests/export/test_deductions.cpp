// The deduction half of СведДохВыч.

#include "exporttest.h"

namespace zorv::testing {
namespace {

using Names = std::vector<std::string>;

// A resident with the given lines on one 13 % source and the given extra keys;
// no deduction block is claimed unless the extra keys say so.
std::string WithLines(const std::string& lines, const std::string& extra = {}) {
    return R"({"IncomeFlags": 3, "StandartDeduct": {"Granted": 0}, )" + extra +
           R"( "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001",
             "SourceName": "Источник", "IncomeList": [)" +
           lines + "]}]}";
}

TEST(ExportDeductions, AuthorFeesAndContractsFromRussiaThenAbroad) {
    mTDeclaration d = FromJson(WithLines(
        R"({"IncomeCode": 2201, "IncomeName": "Литература", "IncomeSum": "10000",
            "DeductCode": 405, "DeductSum": "2000", "DeductPercent": 20},
           {"IncomeCode": 2010, "IncomeSum": "8000", "DeductCode": 403, "DeductSum": "3000"})",
        R"("CurrencyIncomeList": [
           {"IncomeRate": 13, "IncomeCode": 2204, "IncomeName": "Гонорар", "SourceName": "Verlag",
            "CountryCode": "276", "IncomeInRubles": "7300", "DeductCode": 404, "DeductSum": "1000"},
           {"IncomeRate": 13, "IncomeCode": 2010, "SourceName": "Verlag", "CountryCode": "276",
            "IncomeInRubles": "5000", "DeductCode": 403, "DeductSum": "500"}],)"));
    XmlView view(d);
    const std::string fees = kDetails + "/ВычВозн";
    EXPECT_EQ(view.AttrOfAll(fees, "ПрИст"), (Names{"1", "2"}));
    EXPECT_EQ(view.AttrOfAll(fees, "РасходОбщ"), (Names{"2000.00", "1000.00"}));
    const std::string row = fees + "[1]/РасхФактДок";
    EXPECT_EQ(view.AttrNames(row),
              (Names{"НаимВозн", "ВидВозн", "СумВозн", "КодРасход", "Норматив", "СумРасход"}));
    EXPECT_EQ(view.Attr(row, "СумВозн"), "10000.00");
    EXPECT_EQ(view.Attr(row, "СумРасход"), "2000.00");
    EXPECT_EQ(view.Count(row + "/ИстЮЛ"), 1u);
    EXPECT_EQ(view.AttrNames(fees + "[2]/РасхФактДок/ИстФЛИн"), Names{"ФИОИн"});

    const std::string contracts = kDetails + "/ВычДоговорГПХ";
    EXPECT_EQ(view.AttrOfAll(contracts, "ПрИст"), (Names{"1", "2"}));
    EXPECT_EQ(view.AttrOfAll(contracts, "РасходОбщ"), (Names{"3000.00", "500.00"}));
    EXPECT_EQ(view.AttrNames(contracts + "[1]/РасхФактДок"), (Names{"СумДох", "СумРасход"}));
    EXPECT_EQ(view.AttrOfAll(contracts + "/РасхФактДок", "СумДох"), (Names{"8000.00", "5000.00"}));

    // Order of the details: income first, then these deductions.
    EXPECT_EQ(view.Children(kDetails), (Names{"ДоходИстРФ", "ДоходИстИно", "ВычВозн", "ВычВозн",
                                              "ВычДоговорГПХ", "ВычДоговорГПХ"}));
}

TEST(ExportDeductions, SaleOfHousingAlone) {
    mTDeclaration d = FromJson(WithLines(
        R"({"IncomeCode": 1510, "IncomeSum": "1500000", "DeductCode": 901,
            "DeductSum": "1000000"})"));
    XmlView view(d);
    const std::string sale = kDetails + "/ВычПродИмущ";
    EXPECT_EQ(view.Attr(sale, "ВычетОбщ"), "1000000.00");
    EXPECT_EQ(view.Children(sale), Names{"ВычЖилИмущ"});
    const std::string housing = sale + "/ВычЖилИмущ";
    EXPECT_EQ(view.AttrNames(housing), (Names{"ДохИстИтог", "ВычИмущИтог"}));
    // The overall line 060 = min(020 + 040, 1 000 000) is positive too.
    EXPECT_EQ(view.Children(housing), (Names{"СумИмущ", "СумИмущОбщ"}));
    EXPECT_EQ(view.AttrNames(housing + "/СумИмущ"), (Names{"ДохВсехИст", "НалВычет"}));
    EXPECT_EQ(view.Attr(housing + "/СумИмущ", "ДохВсехИст"), "1500000.00");
    EXPECT_EQ(view.Attr(housing + "/СумИмущ", "НалВычет"), "1000000.00");
    EXPECT_EQ(view.Attr(housing + "/СумИмущОбщ", "НалВычет"), "1000000.00");
}

TEST(ExportDeductions, SaleOfOtherPropertyAndShares) {
    mTDeclaration d = FromJson(WithLines(
        R"({"IncomeCode": 1520, "IncomeSum": "300000", "DeductCode": 906, "DeductSum": "125000"},
           {"IncomeCode": 1520, "IncomeSum": "50000", "DeductCode": 903, "DeductSum": "40000"},
           {"IncomeCode": 1540, "IncomeSum": "100000", "DeductCode": 315, "DeductSum": "90000"},
           {"IncomeCode": 1550, "IncomeSum": "20000", "DeductCode": 314, "DeductSum": "20000"})"));
    XmlView view(d);
    const std::string sale = kDetails + "/ВычПродИмущ";
    EXPECT_EQ(view.Children(sale), Names{"ВычИноеИмущ"});
    EXPECT_EQ(view.AttrNames(sale + "/ВычИноеИмущ"), (Names{"ДохИстИтог", "ВычИнИмущИтог"}));
    EXPECT_EQ(view.Children(sale + "/ВычИноеИмущ"), (Names{"СумИнИмущ", "СумИнИмущДок"}));
    EXPECT_EQ(view.AttrNames(sale + "/ВычИноеИмущ/СумИнИмущДок"), (Names{"ДохВсехИст", "РасхДок"}));
    EXPECT_EQ(view.Attr(sale + "/ВычИноеИмущ/СумИнИмущДок", "РасхДок"), "40000.00");

    const std::string shares = kDetails + "/ВычИмущПрав";
    EXPECT_EQ(view.AttrOfAll(shares, "ПрИст"), Names{"1"});
    EXPECT_EQ(view.Attr(shares, "СумВычОбщ"), "110000.00");
    EXPECT_EQ(view.Children(shares), (Names{"РасхДокПродДол", "РасхДокУстПрав"}));
    EXPECT_EQ(view.Attr(shares + "/РасхДокПродДол", "РасхДокОбщ"), "90000.00");
    EXPECT_EQ(view.AttrNames(shares + "/РасхДокПродДол/ПродДолУстКап"),
              (Names{"ДохПродДол", "РасхДок"}));
    EXPECT_EQ(view.AttrNames(shares + "/РасхДокУстПрав/СумПолучУстПрав"),
              (Names{"ДохПолуч", "РасхДок"}));
    EXPECT_EQ(view.Count(shares + "/РасхДокУстПрав/СумПолучУстПрав/ИстЮЛ"), 1u);
}

TEST(ExportDeductions, SecuritiesFundUnitsOnly) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 1, "StandartDeduct": {"Granted": 0},
      "ThirteenPercentList": [
        {"INN": "7705012343", "KPP": "770501001", "SourceName": "Брокер 1", "IncomeList": [
          {"IncomeCode": 1533, "IncomeSum": "1000", "DeductCode": 306, "DeductSum": "1200"}]},
        {"INN": "7705012344", "KPP": "770501001", "SourceName": "Брокер 2", "IncomeList": [
          {"IncomeCode": 1533, "IncomeSum": "3000", "DeductCode": 306, "DeductSum": "1000"}]}]})");
    XmlView view(d);
    const std::string own = kDetails + "/НалБазОперЦБ";
    EXPECT_EQ(view.Count(kDetails + "/НалБазОперЦБДУ"), 0u);
    EXPECT_EQ(view.AttrNames(own), (Names{"ПрИст", "ДохПолуч16", "НалБаза16", "РасхДокИтог"}));
    EXPECT_EQ(view.Attr(own, "ДохПолуч16"), "4000.00");
    EXPECT_EQ(view.Attr(own, "НалБаза16"), "1800.00");
    EXPECT_EQ(view.Attr(own, "РасхДокИтог"), "2200.00");
    EXPECT_EQ(view.AttrOfAll(own + "/РасчОблДохУбыт", "ПрОпер"), (Names{"4", "4"}));
    EXPECT_EQ(view.AttrNames(own + "/РасчОблДохУбыт[1]"),
              (Names{"ПрОпер", "СумДохОпИст", "СумУбытИст", "СумОблДохИст"}));
    EXPECT_EQ(view.AttrOfAll(own + "/РасчОблДохУбыт", "СумУбытИст"), (Names{"200.00", "0.00"}));
    EXPECT_EQ(view.Children(own + "/РезОперИт"), Names{"РезОпер4"});
    const std::string result = own + "/РезОперИт/РезОпер4";
    EXPECT_EQ(view.AttrNames(result),
              (Names{"СумУбытВсИст", "СумУбытВыч", "СумОблДохВсИст", "НалБазаОпер"}));
    EXPECT_EQ(view.Attr(result, "СумУбытВсИст"), "200.00");
    EXPECT_EQ(view.Attr(result, "СумОблДохВсИст"), "2000.00");
    EXPECT_EQ(view.Attr(result, "НалБазаОпер"), "1800.00");
}

// Tables in the file's order T1, T2, T3, T5, T4, T6; the trust manager's loss
// reaches the own sheet.
TEST(ExportDeductions, SecuritiesTablesAndTrustLosses) {
    mTDeclaration d = FromJson(R"({"IncomeFlags": 1, "StandartDeduct": {"Granted": 0},
      "ThirteenPercentList": [
        {"INN": "7705012343", "KPP": "770501001", "SourceName": "Брокер", "IncomeList": [
          {"IncomeCode": 1530, "IncomeSum": "180", "DeductCode": 307, "DeductSum": "100"},
          {"IncomeCode": 1536, "IncomeSum": "200", "DeductCode": 309},
          {"IncomeCode": 1531, "IncomeSum": "300", "DeductCode": 308},
          {"IncomeCode": 1532, "IncomeSum": "400", "DeductCode": 305},
          {"IncomeCode": 1533, "IncomeSum": "500", "DeductCode": 306},
          {"IncomeCode": 1534, "IncomeSum": "600", "DeductCode": 305}]},
        {"INN": "7705012344", "KPP": "770501001", "SourceName": "Управляющий", "IncomeList": [
          {"IncomeCode": 9530, "IncomeSum": "100", "DeductCode": 307, "DeductSum": "150"},
          {"IncomeCode": 9531, "IncomeSum": "10", "DeductCode": 308, "DeductSum": "30"}]}]})");
    XmlView view(d);
    EXPECT_EQ(view.Children(kDetails), (Names{"ДоходИстРФ", "НалБазОперЦБ", "НалБазОперЦБДУ"}));
    const std::string own = kDetails + "/НалБазОперЦБ";
    EXPECT_EQ(view.AttrOfAll(own + "/РасчОблДохУбыт", "ПрОпер"),
              (Names{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(view.AttrOfAll(own + "/РасчОблДохУбыт", "СумДохОпИст"),
              (Names{"180.00", "200.00", "300.00", "500.00", "400.00", "600.00"}));
    EXPECT_EQ(view.Children(own + "/РезОперИт"),
              (Names{"РезОпер1", "РезОпер2", "РезОпер3", "РезОпер4", "РезОпер5", "РезОпер6"}));
    const Names full{"СумУбытВсИст", "СумУбытВыч", "СумОблДохВсИст", "НалБазаОпер",
                     "СумУбытУчРасч"};
    const Names noCarry{"СумУбытВсИст", "СумУбытВыч", "СумОблДохВсИст", "НалБазаОпер"};
    EXPECT_EQ(view.AttrNames(own + "/РезОперИт/РезОпер1"), full);
    EXPECT_EQ(view.AttrNames(own + "/РезОперИт/РезОпер2"), noCarry);
    EXPECT_EQ(view.AttrNames(own + "/РезОперИт/РезОпер5"), noCarry);
    EXPECT_EQ(view.AttrNames(own + "/РезОперИт/РезОпер6"), full);
    // The trust manager's T1 loss of 50 is set off against the own T1 profit of 80.
    EXPECT_EQ(view.Attr(own + "/РезОперИт/РезОпер1", "СумУбытВыч"), "50.00");
    EXPECT_EQ(view.Attr(own + "/РезОперИт/РезОпер1", "НалБазаОпер"), "30.00");
    EXPECT_EQ(view.Attr(own + "/РезОперИт/РезОпер3", "СумУбытВыч"), "20.00");
    EXPECT_EQ(view.Attr(own + "/РезОперИт/РезОпер4", "СумОблДохВсИст"), "500.00");

    const std::string trust = kDetails + "/НалБазОперЦБДУ";
    EXPECT_EQ(view.AttrNames(trust), (Names{"ПрИст", "ДохПолуч16", "НалБаза16", "РасхДокИт"}));
    EXPECT_EQ(view.Attr(trust, "РасхДокИт"), "110.00");
    EXPECT_EQ(view.Children(trust + "/РезОперИт"), (Names{"РезОпер1", "РезОпер3"}));
    EXPECT_EQ(view.AttrNames(trust + "/РезОперИт/РезОпер1"), full);
    EXPECT_EQ(view.Attr(trust + "/РезОперИт/РезОпер1", "СумУбытУчРасч"), "50.00");
    EXPECT_EQ(view.AttrNames(trust + "/РезОперИт/РезОпер3"),
              (Names{"СумУбытВсИст", "СумОблДохВсИст", "НалБазаОпер", "СумУбытУчРасч"}));
    EXPECT_EQ(view.Attr(trust + "/РезОперИт/РезОпер3", "СумУбытУчРасч"), "20.00");
}

TEST(ExportDeductions, StandardDeductionWithoutIncome) {
    mTDeclaration d = FromJson(R"({"StandartDeduct": {"Granted": 1}})");
    XmlView view(d);
    const std::string standard = kDetails + "/ВычСтанд";
    EXPECT_EQ(view.Children(kDetails), Names{"ВычСтанд"});
    EXPECT_EQ(view.Attr(standard, "ИтогВычСтанд"), "0.00");
    EXPECT_EQ(view.Children(standard), (Names{"ДохМес", "РасчВычСтанд"}));
    const Names months{"ИтогЯнв",     "ИтогЯнвФевр", "ИтогЯнвМарт", "ИтогЯнвАпр",  "ИтогЯнвМай",
                       "ИтогЯнвИюн",  "ИтогЯнвИюл",  "ИтогЯнвАвг",  "ИтогЯнвСент", "ИтогЯнвОкт",
                       "ИтогЯнвНояб", "ИтогЯнвДек",  "КолМес20000", "КолМес40000"};
    EXPECT_EQ(view.AttrNames(standard + "/ДохМес"), months);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(view.Attr(standard + "/ДохМес", months[i]), "0.00");
    }
    EXPECT_EQ(view.Attr(standard + "/ДохМес", "КолМес20000"), "0");
    EXPECT_EQ(view.Attr(standard + "/ДохМес", "КолМес40000"), "0");
    EXPECT_EQ(view.AttrNames(standard + "/РасчВычСтанд"), Names{});
}

TEST(ExportDeductions, StandardDeductionItems) {
    mTDeclaration d = FromJson(R"({"StandartDeduct": {"Granted": 1, "PersonalCode": 103,
        "ChildrenConstant": 1, "ChildrenCount": 2},
      "IncomeFlags": 1, "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001",
        "SourceName": "Работа", "IsPrimaryWorkplace": 1, "IncomeList": [
          {"IncomeCode": 2000, "IncomeSum": "15000", "Month": 1},
          {"IncomeCode": 2000, "IncomeSum": "15000", "Month": 2}]}]})");
    XmlView view(d);
    const std::string standard = kDetails + "/ВычСтанд";
    EXPECT_EQ(view.Attr(standard + "/ДохМес", "ИтогЯнв"), "15000.00");
    EXPECT_EQ(view.Attr(standard + "/ДохМес", "ИтогЯнвДек"), "30000.00");
    EXPECT_EQ(view.AttrNames(standard + "/РасчВычСтанд"),
              (Names{"ВычСтанд218.1.3", "ВычСтандРеб"}));
    // Whole rubles, not kopecks.
    EXPECT_EQ(view.Attr(standard + "/РасчВычСтанд", "ВычСтанд218.1.3"), "400");
    EXPECT_EQ(view.Attr(standard + "/РасчВычСтанд", "ВычСтандРеб"), "2400");
    EXPECT_EQ(view.Attr(standard, "ИтогВычСтанд"), "2800.00");
}

TEST(ExportDeductions, SocialDeductionParts) {
    const std::string income = R"("IncomeFlags": 1, "ThirteenPercentList": [{"INN": "7705012343",
        "KPP": "770501001", "SourceName": "Работа",
        "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "500000", "Month": 1}]}],
        "StandartDeduct": {"Granted": 0}, )";
    mTDeclaration own =
        FromJson("{" + income + R"("SocialDeduct": {"Granted": 1, "SelfEducationSum": "30000"}})");
    XmlView ownView(own);
    const std::string social = kDetails + "/ВычСоциал";
    EXPECT_EQ(ownView.Attr(social, "ИтогВычСоциал"), "30000.00");
    EXPECT_EQ(ownView.Children(social), Names{"РасчВычСоц219.2"});
    EXPECT_EQ(ownView.AttrNames(social + "/РасчВычСоц219.2"), (Names{"СумОбуч", "ИтогВычСоциал"}));
    EXPECT_EQ(ownView.Attr(social + "/РасчВычСоц219.2", "СумОбуч"), "30000.00");

    mTDeclaration charity =
        FromJson("{" + income + R"("SocialDeduct": {"Granted": 1, "CharitySum": "1000.5"}})");
    XmlView charityView(charity);
    EXPECT_EQ(charityView.Children(social), Names{"РасчВычСоцБез219.2"});
    EXPECT_EQ(charityView.AttrNames(social + "/РасчВычСоцБез219.2"),
              (Names{"СумБлагЦел", "ИтогВычСоциал"}));
    EXPECT_EQ(charityView.Attr(social + "/РасчВычСоцБез219.2", "СумБлагЦел"), "1000.50");
}

TEST(ExportDeductions, PensionContracts) {
    mTDeclaration d = FromJson(R"({"StandartDeduct": {"Granted": 0},
      "IncomeFlags": 1, "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001",
        "SourceName": "Работа",
        "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "500000", "Month": 1}]}],
      "SocialDeduct": {"Granted": 1, "PensList": [
        {"ContractKind": 2, "Name": "СК \"Жизнь\"", "INN": "7707000001", "KPP": "770701001",
         "ContractNumber": "12-А", "ContractDate": "01.02.2008", "Contributions": "10000"}]}})");
    XmlView view(d);
    EXPECT_EQ(view.Count(kDetails + "/ВычДогНПО"), 0u);
    const std::string insurance = kDetails + "/ВычДогДПС";
    EXPECT_EQ(view.Children(insurance), Names{"РасчВычДогДПСДр"});
    const std::string part = insurance + "/РасчВычДогДПСДр";
    EXPECT_EQ(view.Attr(part, "СумСВВычОбщ"), "10000.00");
    EXPECT_EQ(view.AttrNames(part + "/РасчСумСВВыч"),
              (Names{"ДатаДогДПС", "НомДогДПС", "СумСВОбщПер", "СумСВВыч"}));
    EXPECT_EQ(view.Attr(part + "/РасчСумСВВыч", "ДатаДогДПС"), "01.02.2008");
    EXPECT_EQ(view.Attr(part + "/РасчСумСВВыч", "НомДогДПС"), "12-А");
    EXPECT_EQ(view.AttrNames(part + "/РасчСумСВВыч/СведИст"), (Names{"Наим", "ИННЮЛ", "КПП"}));
    EXPECT_EQ(view.Attr(part + "/РасчСумСВВыч/СведИст", "Наим"), "СК \"Жизнь\"");

    d.SocialDeduct.Pens(0).ContractKind = 3;
    XmlView fund(d);
    EXPECT_EQ(fund.Count(kDetails + "/ВычДогДПС"), 0u);
    EXPECT_EQ(fund.Children(kDetails + "/ВычДогНПО"), Names{"РасчВычДогНПО"});
    EXPECT_EQ(fund.AttrNames(kDetails + "/ВычДогНПО/РасчВычДогНПО/РасчСумПВВыч"),
              (Names{"ДатаДогНПО", "НомДогНПО", "СумПВОбщПер", "СумПВВыч"}));
    EXPECT_EQ(fund.Attr(kDetails + "/ВычДогНПО/РасчВычДогНПО", "СумПВВычОбщ"), "10000.00");
}

TEST(ExportDeductions, HousingDeduction) {
    mTDeclaration d = FromJson(R"({"StandartDeduct": {"Granted": 0},
      "ConstructionDeduct": {"Granted": 1, "ObjectName": "Квартира", "RegionCode": "5",
        "City": "Махачкала", "Street": " ", "PurchaseDate": "01.08.2008",
        "RegistrationDate": "10.09.2008", "StartYearDate": "01.01.2008",
        "ObjectCost": "2500000", "ShareNumerator": 1, "ShareDenominator": 0}})");
    XmlView view(d);
    const std::string housing = kDetails + "/ВычИмущНовМ";
    EXPECT_EQ(view.Children(housing), (Names{"СвОбъектРасх", "РасчИмущВычНов"}));
    const std::string object = housing + "/СвОбъектРасх";
    EXPECT_EQ(view.AttrNames(object), (Names{"НаимОбъект", "ДатаПриобр", "ДатаПередач", "ДолСобств",
                                             "ГодНачИспВыч", "СумРасхФакт", "СумФактУплПроц"}));
    EXPECT_EQ(view.Attr(object, "ДатаПриобр"), "01.08.2008");
    EXPECT_EQ(view.Attr(object, "ДатаПередач"), "10.09.2008");
    EXPECT_EQ(view.Attr(object, "ГодНачИспВыч"), "2008");
    EXPECT_EQ(view.Attr(object, "СумРасхФакт"), "2000000.00");
    EXPECT_EQ(view.AttrNames(object + "/АдрОбъект"), (Names{"КодРегион", "Город"}));
    EXPECT_EQ(view.Attr(object + "/АдрОбъект", "КодРегион"), "05");
    // Every line of the calculation is written, zeros included.
    const Names lines{"ВычНовЗачПред",    "ВычНовЗачПредНД",  "ВычНовЗачПредУп", "ВычПроцЗачПред",
                      "ВычПроцЗачПредНД", "ВычПроцЗачПредУп", "РасхНовПршПред",  "ПроцПршПред",
                      "ВычНовУвед",       "ПроцУвед",         "НалБаз13БезВыч",  "РасхНовЗачНД",
                      "ПроцЗачНД",        "РасхДокПрхСлед",   "ПроцПрхСлед"};
    EXPECT_EQ(view.AttrNames(housing + "/РасчИмущВычНов"), lines);
    EXPECT_EQ(view.Attr(housing + "/РасчИмущВычНов", "ВычНовЗачПред"), "0.00");
    EXPECT_EQ(view.Attr(housing + "/РасчИмущВычНов", "РасхДокПрхСлед"), "2000000.00");

    // A share without a denominator is the whole object.
    const struct {
        uint32_t numerator, denominator;
        const char* text;
    } shares[] = {{1, 0, "1/1"}, {0, 0, "1/1"}, {1, 2, "1/2"}, {3, 4, "3/4"}};
    for (const auto& s : shares) {
        d.ConstructionDeduct.ShareNumerator = s.numerator;
        d.ConstructionDeduct.ShareDenominator = s.denominator;
        EXPECT_EQ(XmlView(d).Attr(object, "ДолСобств"), s.text);
    }
    d.ConstructionDeduct.RegionCode.clear();
    EXPECT_EQ(XmlView(d).Attr(object + "/АдрОбъект", "КодРегион"), "00");
}

TEST(ExportDeductions, NonResidentGetsNoDeductionBlocks) {
    mTDeclaration d = FromJson(R"({"DeclarationKind": 1, "IncomeFlags": 1,
      "StandartDeduct": {"Granted": 1}, "SocialDeduct": {"Granted": 1, "MedicalSum": "1000"},
      "ConstructionDeduct": {"Granted": 1, "ObjectCost": "100000"},
      "ThirteenPercentList": [{"INN": "7705012343", "KPP": "770501001", "SourceName": "Работа",
        "IncomeList": [{"IncomeCode": 2000, "IncomeSum": "50000"}]}]})");
    XmlView view(d);
    EXPECT_EQ(view.Children(kDetails), Names{"ДоходИстРФ"});
}

}  // namespace
}  // namespace zorv::testing
