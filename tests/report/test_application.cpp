// The application for a refund of overpaid tax: the amount in words, the pages
// and `zorv print --application`.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fixtures.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "report/amountwords.h"
#include "report/applicationsheets.h"
#include "report/refundapplication.h"
#include "storage/daynumber.h"
#include "tempdir.h"

namespace zorv {
namespace {

TEST(AmountInWords, EdgeAmounts) {
    struct Case {
        Money amount;
        const char* words;
    };
    const Case cases[] = {
        {Money(), "ноль рублей 00 копеек"},
        {Money::Rubles(1), "один рубль 00 копеек"},
        {Money::Rubles(2), "два рубля 00 копеек"},
        {Money::Rubles(11), "одиннадцать рублей 00 копеек"},
        {Money::Rubles(21), "двадцать один рубль 00 копеек"},
        {Money::Rubles(112), "сто двенадцать рублей 00 копеек"},
        {Money::Rubles(1000), "одна тысяча рублей 00 копеек"},
        {Money::Rubles(2000), "две тысячи рублей 00 копеек"},
        {Money::Rubles(11000), "одиннадцать тысяч рублей 00 копеек"},
        {Money::Rubles(1000000), "один миллион рублей 00 копеек"},
        {Money::Rubles(1001001), "один миллион одна тысяча один рубль 00 копеек"},
        {Money::Rubles(78000), "семьдесят восемь тысяч рублей 00 копеек"},
        {*Money::Parse("1234.5"), "одна тысяча двести тридцать четыре рубля 50 копеек"},
        {*Money::Parse("0.01"), "ноль рублей 01 копейка"},
        {*Money::Parse("0.22"), "ноль рублей 22 копейки"},
        {*Money::Parse("5.11"), "пять рублей 11 копеек"},
        {*Money::Parse("9.995"), "десять рублей 00 копеек"},  // half up to kopecks
        {*Money::Parse("2000000000"), "два миллиарда рублей 00 копеек"},
        {-Money::Rubles(3), "минус три рубля 00 копеек"},
    };
    for (const Case& c : cases) EXPECT_EQ(AmountInWords(c.amount), c.words) << c.amount.ToString();
}

mTDeclaration Fixture(const std::string& name) {
    mTDeclaration d;
    DeclarationFromJson(testing::ReadFixtureJson(name), d);
    return d;
}

TEST(RefundApplication, OnePerRefundRowWithTheBankDetails) {
    const mTDeclaration d = Fixture("report/housing_application.json");
    const std::vector<kTRefundApplication> all = RefundApplications(d);
    ASSERT_EQ(all.size(), 1u);
    const kTRefundApplication& a = all[0];
    EXPECT_EQ(a.BudgetCode, "18210102021011000110");
    EXPECT_EQ(a.OKATO, "45286560000");
    EXPECT_EQ(a.Amount, Money::Rubles(78000));
    EXPECT_EQ(a.Bank.Account, "40817810938001234567");
    EXPECT_EQ(a.ShortName, "Иванов И.П.");
    EXPECT_EQ(a.Address, "115035, Москва, ул. Садовническая, д. 7, кв. 21");
    // The ticked documents only.
    ASSERT_EQ(TickedDocuments(d).size(), 2u);

    // Dated as the declaration; without a date of its own (or with the limit of
    // the old hidden date picker) on the day of printing.
    for (double stored : {0.0, DayNumber(2012, 12, 31)}) {
        mTDeclaration undated = d;
        undated.FilingDate = stored;
        EXPECT_EQ(RefundApplications(undated)[0].Date, mTDeclaration::Today());
    }
    mTDeclaration dated = d;
    dated.FilingDate = DayNumber(2009, 4, 20);
    EXPECT_EQ(RefundApplications(dated)[0].Date, DayNumber(2009, 4, 20));

    // What is still lacking: the unticked document of the list (a housing
    // declaration lists four documents; the fixture ticks two of them).
    EXPECT_EQ(WhatRefundLacks(d),
              std::vector<std::string>{"не отмечены документы для приложения: 2 из 4"});
    mTDeclaration lacking = d;
    lacking.Refund.Bank.Account.clear();
    lacking.Refund.Bank.CorrAccount = "30101810400000000226";
    EXPECT_EQ(
        WhatRefundLacks(lacking).front().rfind("реквизиты банка с ошибкой: «Корреспондентский", 0),
        0u);
    lacking.Refund.Bank = {};
    EXPECT_EQ(WhatRefundLacks(lacking).front(),
              "не указаны реквизиты банка: Наименование банка, БИК, Корреспондентский счет, "
              "Номер счета, Получатель");

    // Nothing to refund: no application, no pages.
    mTDeclaration paying = d;
    paying.ConstructionDeduct.Granted = 0;
    EXPECT_TRUE(RefundApplications(paying).empty());
    EXPECT_TRUE(WhatRefundLacks(paying).empty());
    EXPECT_TRUE(RefundApplicationPages(paying, true).empty());
}

std::string Capture(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    pclose(pipe);
    return text;
}

std::string WithoutBlanks(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' '; }),
               text.end());
    return text;
}

TEST(PrintCommand, WritesTheApplicationAndTheListOrNothing) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (Debian poppler-utils) is not installed";
    }
    testing::TempDir dir;
    const std::string zorv = std::string(ZORV_BINARY_DIR) + "/bin/zorv print ";
    const std::string fixture = testing::FixturePath("report/housing_application.json");
    const std::string pdf = dir.File("application.pdf");
    ASSERT_EQ(
        std::system((zorv + fixture + " --application -o " + pdf + " >/dev/null 2>&1").c_str()), 0);
    const std::string first = Capture("pdftotext -f 1 -l 1 -layout " + pdf + " -");
    const std::string digits = WithoutBlanks(first);
    for (const char* text :
         {"78000,00руб.", "Семьдесятвосемьтысячрублей00копеек", "18210102021011000110",
          "45286560000", "40817810938001234567", "044525225", "ЗАЯВЛЕНИЕ"}) {
        EXPECT_NE(digits.find(text), std::string::npos) << text;
    }
    const std::string list = Capture("pdftotext -f 2 -l 2 -layout " + pdf + " -");
    EXPECT_NE(list.find("ОПИСЬ"), std::string::npos);
    EXPECT_NE(list.find("Договор о приобретении жилья (Квартира)"), std::string::npos);
    EXPECT_EQ(list.find("Платежные документы"), std::string::npos);  // not ticked
    EXPECT_NE(Capture("pdfinfo " + pdf + " | grep '^Pages:'").find(" 2\n"), std::string::npos);

    // Nothing to refund: exit 1, a message, no file.
    mTDeclaration paying = Fixture("report/housing_application.json");
    paying.ConstructionDeduct.Granted = 0;
    const std::string json = dir.File("paying.json");
    {
        std::ofstream out(json);
        out << DeclarationToJson(paying).dump();
    }
    const std::string none = dir.File("none.pdf");
    const std::string err = dir.File("err.txt");
    EXPECT_EQ(
        WEXITSTATUS(std::system(
            (zorv + json + " --application -o " + none + " 2>" + err + " >/dev/null").c_str())),
        1);
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_NE(Capture("cat " + err).find("нет суммы к возврату"), std::string::npos);
}

}  // namespace
}  // namespace zorv
