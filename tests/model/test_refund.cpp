#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures.h"
#include "model/attachments.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "model/refund.h"
#include "tempdir.h"

namespace zorv {
namespace {

// Correspondent accounts of banks as the banks publish them, with their БИК.
struct Published {
    const char* bik;
    const char* account;
};
const Published kCorrespondent[] = {
    {"044525225", "30101810400000000225"},  // Сбербанк, Москва
    {"044030653", "30101810500000000653"},  // Сбербанк, Санкт-Петербург
    {"044525187", "30101810700000000187"},  // ВТБ
    {"044525593", "30101810200000000593"},  // Альфа-Банк
    {"044525823", "30101810200000000823"},  // Газпромбанк
    {"044525974", "30101810145250000974"},  // Тинькофф Банк
};
// Customers' accounts: the example of the Bank of Russia's procedure, and
// accounts in the banks above.
const Published kClient[] = {
    {"049805746", "40602810700000000025"},
    {"044525225", "40817810938001234567"},
    {"044030653", "40817810755012345678"},
    {"044525187", "42307810700001234567"},
};

// Every account with one digit mistyped, in each of its 20 positions.
std::vector<std::string> Mistyped(const std::string& account) {
    std::vector<std::string> out;
    for (size_t i = 0; i < account.size(); ++i) {
        std::string wrong = account;
        wrong[i] = static_cast<char>('0' + (account[i] - '0' + 1) % 10);
        out.push_back(wrong);
    }
    return out;
}

TEST(BankDetails, ControlKeyOfPublishedAccountsAndEveryMistypedDigit) {
    for (const Published& p : kCorrespondent) {
        const std::string number = CorrespondentConventionalNumber(p.bik);
        EXPECT_TRUE(ControlKeyMatches(number, p.account)) << p.bik << " " << p.account;
        for (const std::string& wrong : Mistyped(p.account))
            EXPECT_FALSE(ControlKeyMatches(number, wrong)) << p.bik << " " << wrong;
    }
    for (const Published& p : kClient) {
        const std::string number = ClientConventionalNumber(p.bik);
        EXPECT_TRUE(ControlKeyMatches(number, p.account)) << p.bik << " " << p.account;
        for (const std::string& wrong : Mistyped(p.account))
            EXPECT_FALSE(ControlKeyMatches(number, wrong)) << p.bik << " " << wrong;
    }
    // The same account checked against a correspondent's number, or a short one.
    EXPECT_FALSE(ControlKeyMatches("025", "40817810938001234567"));
    EXPECT_FALSE(ControlKeyMatches("225", "4081781093800123456"));
    EXPECT_FALSE(ControlKeyMatches("225", "4081781093800123456x"));
}

TEST(BankDetails, ProblemsNameTheField) {
    mTBankDetails bank{"ПАО Сбербанк", "044525225", "30101810400000000225", "40817810938001234567",
                       "Иванов Иван Иванович"};
    EXPECT_FALSE(FirstBankProblem(bank));

    struct Case {
        BankField field;
        std::string value;
        std::string expected;  // the beginning of the message
    };
    const Case cases[] = {
        {BankField::Bik, "04452522", "«БИК»: нужно 9 цифр"},
        {BankField::Bik, "144525225", "«БИК»: БИК банка в России начинается с цифр 04"},
        {BankField::CorrAccount, "30101810400000000226",
         "«Корреспондентский счет»: счет 30101810400000000226 не сходится"},
        {BankField::Account, "40817810938001234568", "«Номер счета»: счет 40817810938001234568"},
        {BankField::Account, "4081781093800123456", "«Номер счета»: нужно 20 цифр"},
    };
    for (const Case& c : cases) {
        mTBankDetails wrong = bank;
        wrong.Field(c.field) = c.value;
        auto problem = FirstBankProblem(wrong);
        ASSERT_TRUE(problem) << c.value;
        EXPECT_EQ(problem->field, c.field);
        EXPECT_EQ(problem->message.rfind(c.expected, 0), 0u) << problem->message;
    }
    // A field not yet filled in is not wrong; an account waits for a right БИК.
    EXPECT_FALSE(FirstBankProblem(mTBankDetails{}));
    mTBankDetails badBik = bank;
    badBik.Bik = "044535225";  // a digit of the settlement centre mistyped
    EXPECT_EQ(FirstBankProblem(badBik)->field, BankField::CorrAccount);
    badBik.Bik = "0445";
    EXPECT_EQ(FirstBankProblem(badBik)->field, BankField::Bik);
    EXPECT_TRUE(BankFieldProblem(badBik, BankField::Account).empty());
}

// ---- the list of documents ----

std::vector<std::string> Titles(const mTDeclaration& d) {
    std::vector<std::string> out;
    for (const RequiredDocument& r : RequiredDocuments(d)) out.push_back(r.Title);
    return out;
}

mTDeclaration Resident() {
    mTDeclaration d;
    d.SetIncomeFlags(kIncomeFromAgents);
    return d;
}

TEST(Attachments, ListForEachKindOfIncomeAndDeduction) {
    struct Case {
        const char* what;
        void (*fill)(mTDeclaration&);
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"nothing", [](mTDeclaration&) {}, {}},
        {"two employers, one of them twice, and a 35 % payer",
         [](mTDeclaration& d) {
             const std::pair<const char*, const char*> payers[] = {
                 {"ООО \"Ромашка\"", "7705012345"},
                 {"ООО \"Ромашка\"", "7705012345"},
                 {"ЗАО \"Лютик\"", "7701000001"}};
             for (const auto& [name, inn] : payers) {
                 auto& s = d.ThirteenPercent(d.AddThirteenPercent());
                 s.SourceName = name;
                 s.INN = inn;
             }
             d.ThirtyFivePercent(d.AddThirtyFivePercent()).SourceName = "Банк";
         },
         {"Справка о доходах по форме 2-НДФЛ: ООО \"Ромашка\" (ИНН 7705012345)",
          "Справка о доходах по форме 2-НДФЛ: ЗАО \"Лютик\" (ИНН 7701000001)",
          "Справка о доходах по форме 2-НДФЛ: Банк"}},
        {"a flat bought outright",
         [](mTDeclaration& d) { d.ConstructionDeduct.Granted = 1; },
         {"Договор о приобретении жилья",
          "Акт о передаче жилья или свидетельство о государственной регистрации права "
          "собственности",
          "Платежные документы об оплате жилья (квитанции, выписки банка, расписки)"}},
        {"a flat on a mortgage",
         [](mTDeclaration& d) {
             d.ConstructionDeduct.Granted = 1;
             d.ConstructionDeduct.ObjectName = "Квартира";
             d.ConstructionDeduct.CreditInterest = Money::Rubles(50000);
         },
         {"Договор о приобретении жилья (Квартира)",
          "Акт о передаче жилья или свидетельство о государственной регистрации права "
          "собственности",
          "Платежные документы об оплате жилья (квитанции, выписки банка, расписки)",
          "Кредитный (ипотечный) договор", "Справка банка об уплаченных процентах по кредиту"}},
        {"treatment",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.ExpensiveMedicalSum = Money::Rubles(1000);
         },
         {"Справка об оплате медицинских услуг для представления в налоговые органы",
          "Копия лицензии медицинского учреждения"}},
        {"a child's education",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.AddEducationSum(Money::Rubles(20000));
         },
         {"Договор на обучение", "Копия лицензии образовательного учреждения",
          "Платежные документы об оплате обучения"}},
        {"a pension contract",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             auto& p = d.SocialDeduct.Pens(d.SocialDeduct.AddPens());
             p.Name = "НПФ";
             p.ContractNumber = "12";
         },
         {"Пенсионный (страховой) договор № 12 с НПФ",
          "Платежные документы о взносах: договор № 12 с НПФ"}},
        {"social amounts without the deduction claimed",
         [](mTDeclaration& d) { d.SocialDeduct.MedicalSum = Money::Rubles(1000); },
         {}},
        {"tax paid abroad, and foreign income without it",
         [](mTDeclaration& d) {
             d.SetIncomeFlags(kIncomeFromAgents | kIncomeForeign);
             auto& taxed = d.CurrencyIncome(d.AddCurrencyIncome());
             taxed.SourceName = "Acme";
             taxed.CountryCode = "840";
             taxed.TaxInRubles = Money::Rubles(300);
             d.CurrencyIncome(d.AddCurrencyIncome()).SourceName = "Untaxed";
         },
         {"Документ об уплате налога за рубежом: Acme, страна 840"}},
        {"a non-resident's deductions",
         [](mTDeclaration& d) {
             d.DeclarationKind = kNonResident3NDFL;
             d.ConstructionDeduct.Granted = 1;
         },
         {}},
    };
    for (const Case& c : cases) {
        mTDeclaration d = Resident();
        c.fill(d);
        EXPECT_EQ(Titles(d), c.titles) << c.what;
    }
}

mTDeclaration HousingWithBank() {
    mTDeclaration d = Resident();
    auto& s = d.ThirteenPercent(d.AddThirteenPercent());
    s.SourceName = "ООО Ромашка";
    d.ConstructionDeduct.Granted = 1;
    d.Refund.Bank = {"ПАО Сбербанк", "044525225", "30101810400000000225", "40817810938001234567",
                     "Иванов Иван Иванович"};
    return d;
}

TEST(Attachments, TickedSheetsFillTheTitlePageCount) {
    mTDeclaration d = HousingWithBank();
    d.AppendixTotal = 4;
    std::vector<mTAttachedDocument> list = AttachmentList(d);
    ASSERT_EQ(list.size(), 4u);
    // Nothing ticked leaves the count the user typed.
    list[0].Sheets = 2;
    StoreAttachments(d, list);
    EXPECT_EQ(d.AppendixTotal, 4u);
    list[0].Ticked = 1;
    list[1].Ticked = 1;
    list[1].Sheets = 5;
    list[2].Sheets = 9;  // not ticked
    StoreAttachments(d, list);
    EXPECT_EQ(d.AppendixTotal, 7u);  // 2 + 5
    EXPECT_EQ(TickedSheets(list), 7u);
    // The stored state follows the document by its title.
    d.ThirteenPercent(0).SourceName = "ООО Лютик";
    std::vector<mTAttachedDocument> again = AttachmentList(d);
    EXPECT_EQ(again[0].Ticked, 0);
    EXPECT_EQ(again[1], list[1]);
}

// ---- kept with the declaration ----

TEST(Refund, SavedReopenedAndInTheJsonForm) {
    testing::TempDir dir;
    mTDeclaration d = HousingWithBank();
    std::vector<mTAttachedDocument> list = AttachmentList(d);
    list[0] = {list[0].Title, 1, 3};
    StoreAttachments(d, list);
    const std::string path = dir.File("refund.zv8");
    d.SaveToFile(path);
    EXPECT_EQ(testing::ReadBytes(path).size(), d.ComputeSize());

    mTDeclaration back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Refund.Documents, d.Refund.Documents);
    for (BankField f : kBankFields) EXPECT_EQ(back.Refund.Bank.Field(f), d.Refund.Bank.Field(f));

    const Json json = DeclarationToJson(back);
    EXPECT_EQ(json["Refund"]["Account"], "40817810938001234567");
    EXPECT_EQ(json["AttachedDocuments"][0]["Sheets"], 3);
    mTDeclaration fromJson;
    DeclarationFromJson(json, fromJson);
    EXPECT_EQ(fromJson.BuildImage(), d.BuildImage());
}

TEST(Refund, MistypedAccountInJsonIsRefusedNamingTheKey) {
    Json json = DeclarationToJson(HousingWithBank());
    json["Refund"]["Account"] = "40817810938001234576";
    mTDeclaration d;
    try {
        DeclarationFromJson(json, d);
        FAIL() << "a mistyped account was taken";
    } catch (const JsonFormError& e) {
        EXPECT_NE(std::string(e.what()).find("«Refund.Account»"), std::string::npos) << e.what();
    }
    json["Refund"]["Account"] = "40817810938001234567";
    json["Refund"]["Swift"] = "X";
    EXPECT_THROW(DeclarationFromJson(json, d), JsonFormError);
}

// A document saved before the refund was kept opens as it did and saves to the
// same bytes; one with a stream a reader does not know (what this program's
// own "@Refund" is to an older one) opens as if the stream were not there.
TEST(Refund, DocumentWithoutItOpensUnchanged) {
    const std::vector<uint8_t> old =
        testing::ReadBytes(std::string(ZORV_SOURCE_DIR) + "/fuzz/seeds/full.zv8");
    ASSERT_FALSE(old.empty());
    mTDeclaration d;
    d.LoadFromImage(old.data(), old.size());
    EXPECT_TRUE(d.Refund.IsEmpty());
    const std::vector<uint8_t> again = d.BuildImage();
    EXPECT_EQ(again, old);
    const Json json = DeclarationToJson(d);
    EXPECT_FALSE(json.contains("Refund"));
    EXPECT_FALSE(json.contains("AttachedDocuments"));

    std::vector<uint8_t> extended = again;
    for (const char* value : {"0012@FutureBlock", "0003abc", "000212"})
        extended.insert(extended.end(), value, value + std::char_traits<char>::length(value));
    mTDeclaration withUnknown;
    withUnknown.LoadFromImage(extended.data(), extended.size());
    EXPECT_EQ(DeclarationToJson(withUnknown), json);
}

}  // namespace
}  // namespace zorv
