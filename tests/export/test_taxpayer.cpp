// Документ, the taxpayer (СвНП) and the signer (Подписант).

#include "export/xmltree.h"
#include "exporttest.h"

namespace zorv::testing {
namespace {

using Names = std::vector<std::string>;

TEST(ExportTaxpayer, DocumentHead) {
    mTDeclaration d = FromJson(R"({"InspectionCode": "7705", "CorrectionNumber": 2,
                                   "Person": {"INN": "123456789012"}})");
    XmlView view(d);
    EXPECT_EQ(view.AttrNames(kDoc),
              (Names{"КНД", "ДатаДок", "Период", "ОтчетГод", "КодНО", "НомКорр"}));
    EXPECT_EQ(view.Attr(kDoc, "КНД"), "1151020");
    EXPECT_EQ(view.Attr(kDoc, "ДатаДок"), "15.03.2009");
    EXPECT_EQ(view.Attr(kDoc, "Период"), "34");
    EXPECT_EQ(view.Attr(kDoc, "ОтчетГод"), "2008");
    EXPECT_EQ(view.Attr(kDoc, "КодНО"), "7705");
    EXPECT_EQ(view.Attr(kDoc, "НомКорр"), "2");
    EXPECT_EQ(view.Children(kDoc), (Names{"СвНП", "Подписант", "НДФЛ3"}));

    d.Year = "2007";
    EXPECT_EQ(XmlView(d).Attr(kDoc, "ОтчетГод"), "2009");
}

TEST(ExportTaxpayer, DocumentDateIsTheDeclarationsOwnUnlessFixed) {
    const auto documentDate = [](mTDeclaration& d, double today) {
        ExportOptions options;
        options.today = today;
        options.guid = kGuid;
        const std::string xml = ExportXml({}, d, 2, options);
        return XmlView(xml).Attr(kDoc, "ДатаДок");
    };
    const std::string systemToday = DateText(mTDeclaration::Today());
    mTDeclaration d = FromJson(R"({"InspectionCode": "7705", "FilingDate": "20.04.2009"})");
    EXPECT_EQ(documentDate(d, 0), "20.04.2009");
    EXPECT_EQ(documentDate(d, Day(2009, 3, 15)), "15.03.2009") << "a fixed date wins";
    d.FilingDate = 0;
    EXPECT_EQ(documentDate(d, 0), systemToday) << "no date: the day of export";
    // Where the hidden picker of earlier versions stopped: no date of the user's.
    d.FilingDate = Day(2012, 12, 31);
    EXPECT_EQ(documentDate(d, 0), systemToday);
    d.DeclarationKind = kNonResident3NDFL;
    EXPECT_EQ(documentDate(d, 0), systemToday);
}

TEST(ExportTaxpayer, TaxpayerAttributes) {
    mTDeclaration d = FromJson(R"({"Person": {"SurName": "Иванов", "Name": "Пётр",
        "Patronymic": "  ", "OKATO": "45286560000", "HomePhone": "4951234567",
        "ForeignAddress": "Berlin, Unter den Linden 1", "INN": "123456789012"}})");
    XmlView view(d);
    EXPECT_EQ(view.AttrNames(kPayer), (Names{"ОКАТО", "Тлф", "ДокПредст", "Статус", "АдрИно"}));
    EXPECT_EQ(view.Attr(kPayer, "Тлф"), "4951234567");
    EXPECT_EQ(view.Attr(kPayer, "ДокПредст"), "760");
    EXPECT_EQ(view.Attr(kPayer, "Статус"), "1");
    EXPECT_EQ(view.Attr(kPayer, "АдрИно"), "Berlin, Unter den Linden 1");
    EXPECT_EQ(view.Children(kPayer), (Names{"ФИОФЛ", "СвАдрРФ", "СведФЛ1"}));
    EXPECT_EQ(view.AttrNames(kPayer + "/ФИОФЛ"), (Names{"Фамилия", "Имя"}));

    // Empty optional values leave their attributes out; the territory code stays.
    d.Person.HomePhone.clear();
    d.Person.ForeignAddress = " ";
    d.Person.OKATO.clear();
    d.Person.Patronymic = "Сергеевич";
    d.DeclarationKind = kNonResident3NDFL;
    XmlView second(d);
    EXPECT_EQ(second.AttrNames(kPayer), (Names{"ОКАТО", "ДокПредст", "Статус"}));
    EXPECT_EQ(second.Attr(kPayer, "ОКАТО"), "");
    EXPECT_EQ(second.Attr(kPayer, "Статус"), "2");
    EXPECT_EQ(second.Attr(kPayer + "/ФИОФЛ", "Отчество"), "Сергеевич");

    const char* const categories[] = {"720", "770", "730", "740", "750", "760", ""};
    for (uint8_t category = 0; category < 7; ++category) {
        d.TaxpayerCategory = category;
        EXPECT_EQ(XmlView(d).Attr(kPayer, "ДокПредст"), categories[category]);
    }
}

TEST(ExportTaxpayer, AddressWritesOnlyFilledFieldsAsStored) {
    mTDeclaration d = FromJson(R"({"Person": {"RegionCode": 5, "City": " Махачкала",
        "Street": "", "House": "7 ", "Flat": "   ", "IsTemporaryAddress": 1}})");
    XmlView view(d);
    const std::string address = kPayer + "/СвАдрРФ/АдрРФ";
    EXPECT_EQ(view.Attr(kPayer + "/СвАдрРФ", "ПрАдр"), "2");
    EXPECT_EQ(view.AttrNames(address), (Names{"КодРегион", "Город", "Дом"}));
    EXPECT_EQ(view.Attr(address, "КодРегион"), "05");
    EXPECT_EQ(view.Attr(address, "Город"), " Махачкала");
    EXPECT_EQ(view.Attr(address, "Дом"), "7 ");

    d = FromJson(R"({"Person": {"RegionCode": 77, "PostIndex": "119021", "District": "Р",
        "City": "Г", "Locality": "Н", "Street": "У", "House": "1", "Building": "2",
        "Flat": "3"}})");
    XmlView full(d);
    EXPECT_EQ(full.Attr(kPayer + "/СвАдрРФ", "ПрАдр"), "1");
    EXPECT_EQ(full.AttrNames(address), (Names{"Индекс", "КодРегион", "Район", "Город", "НаселПункт",
                                              "Улица", "Дом", "Корпус", "Кварт"}));
}

TEST(ExportTaxpayer, PersonWithInnGetsFirstKindAndDocumentOnlyWhenChosen) {
    mTDeclaration d = FromJson(R"({"Person": {"INN": "123456789012", "BirthDate": "12.04.1975",
        "BirthPlace": "г. Москва", "CitizenshipKind": "", "CitizenshipCode": "4",
        "DocTypeCode": 0, "DocNumber": "45 05 123456"}})");
    XmlView view(d);
    const std::string data = kPayer + "/СведФЛ1";
    EXPECT_EQ(view.AttrNames(data), (Names{"ИННФЛ", "ДатаРожд", "МестоРожд", "ПрГражд", "ОКСМ"}));
    EXPECT_EQ(view.Attr(data, "ИННФЛ"), "123456789012");
    EXPECT_EQ(view.Attr(data, "ДатаРожд"), "12.04.1975");
    EXPECT_EQ(view.Attr(data, "ПрГражд"), "1");  // empty kind reads as a citizen
    EXPECT_EQ(view.Attr(data, "ОКСМ"), "004");
    EXPECT_EQ(view.Count(data + "/*"), 0u);
    EXPECT_EQ(view.Count(kPayer + "/СведФЛ2"), 0u);

    d.Person.DocTypeCode = 1;
    d.Person.DocIssuedBy = "ОВД";
    d.Person.DocIssueDate = Day(2005, 6, 15);
    d.Person.BirthPlace = " ";
    d.Person.CitizenshipKind = "2";
    d.Person.CitizenshipCode = " ";
    XmlView withDocument(d);
    EXPECT_EQ(withDocument.AttrNames(data), (Names{"ИННФЛ", "ДатаРожд", "ПрГражд", "ОКСМ"}));
    EXPECT_EQ(withDocument.Attr(data, "ПрГражд"), "2");
    EXPECT_EQ(withDocument.Attr(data, "ОКСМ"), "643");
    EXPECT_EQ(withDocument.AttrNames(data + "/УдЛичн"),
              (Names{"КодВидДок", "СерНомДок", "ДатаДок", "ВыдДок"}));
    EXPECT_EQ(withDocument.Attr(data + "/УдЛичн", "КодВидДок"), "01");
    EXPECT_EQ(withDocument.Attr(data + "/УдЛичн", "СерНомДок"), "45 05 123456");
    EXPECT_EQ(withDocument.Attr(data + "/УдЛичн", "ДатаДок"), "15.06.2005");
    EXPECT_EQ(withDocument.Attr(data + "/УдЛичн", "ВыдДок"), "ОВД");
}

TEST(ExportTaxpayer, PersonWithoutInnGetsSecondKindWithDocumentAlways) {
    mTDeclaration d = FromJson(R"({"Person": {"INN": " ", "CitizenshipCode": " 40 "}})");
    XmlView view(d);
    const std::string data = kPayer + "/СведФЛ2";
    EXPECT_EQ(view.Count(kPayer + "/СведФЛ1"), 0u);
    EXPECT_EQ(view.AttrNames(data), (Names{"ДатаРожд", "МестоРожд", "ПрГражд", "ОКСМ"}));
    EXPECT_EQ(view.Attr(data, "МестоРожд"), "");
    EXPECT_EQ(view.Attr(data, "ДатаРожд"), "01.01.1977");
    EXPECT_EQ(view.Attr(data, "ОКСМ"), "040");
    EXPECT_EQ(view.Attr(data + "/УдЛичн", "КодВидДок"), "00");
    EXPECT_EQ(view.Attr(data + "/УдЛичн", "ДатаДок"), "01.01.1990");
}

TEST(ExportTaxpayer, SignerInPersonHasNoChildren) {
    mTDeclaration d = FromJson(R"({"SubmitterKind": 0, "RepresentativeName": "Петров Пётр"})");
    XmlView view(d);
    EXPECT_EQ(view.Attr(kDoc + "/Подписант", "ПрПодп"), "1");
    EXPECT_EQ(view.Children(kDoc + "/Подписант"), Names{});
}

TEST(ExportTaxpayer, RepresentativeSigner) {
    mTDeclaration d = FromJson(R"({"SubmitterKind": 1,
        "RepresentativeName": "  Аааа  Бббб   Вввв Гггг ",
        "RepresentativeDocument": "Доверенность № 5", "RepresentativeOrganisation": " "})");
    XmlView view(d);
    const std::string signer = kDoc + "/Подписант";
    EXPECT_EQ(view.Attr(signer, "ПрПодп"), "2");
    EXPECT_EQ(view.Children(signer), (Names{"ФИО", "СвПред"}));
    EXPECT_EQ(view.Attr(signer + "/ФИО", "Фамилия"), "Аааа");
    EXPECT_EQ(view.Attr(signer + "/ФИО", "Имя"), "Бббб");
    EXPECT_EQ(view.Attr(signer + "/ФИО", "Отчество"), "Вввв Гггг");
    EXPECT_EQ(view.AttrNames(signer + "/СвПред"), Names{"НаимДок"});
    EXPECT_EQ(view.Attr(signer + "/СвПред", "НаимДок"), "Доверенность № 5");

    d.SubmitterKind = 2;
    d.RepresentativeName = "Аааа";
    d.RepresentativeOrganisation = "ООО Право";
    XmlView organisation(d);
    EXPECT_EQ(organisation.Attr(signer, "ПрПодп"), "2");
    EXPECT_EQ(organisation.AttrNames(signer + "/ФИО"), (Names{"Фамилия", "Имя"}));
    EXPECT_EQ(organisation.Attr(signer + "/ФИО", "Имя"), " ");
    EXPECT_EQ(organisation.Attr(signer + "/СвПред", "НаимОрг"), "ООО Право");
}

TEST(ExportTaxpayer, RepresentativeNameSplit) {
    const std::string sixty(60, 'a');
    const std::string cyr60 = [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += "ж";
        return s;
    }();
    const struct {
        std::string name, surname, given, patronymic;
    } cases[] = {
        {"Аааа Бббб Вввв", "Аааа", "Бббб", "Вввв"},
        {"Аааа", "Аааа", " ", ""},
        {"", " ", " ", ""},
        {"   ", " ", " ", ""},
        {"Аааа Бббб", "Аааа", "Бббб", ""},
        // A first word of more than 60 characters is cut; its tail starts the rest.
        {cyr60 + "ЖЖ Бббб", cyr60, "ЖЖ", "Бббб"},
        {sixty + "bc d e", sixty, "bc", "d e"},
        // A word without a space after it is taken whole, however long.
        {sixty + "bc", sixty + "bc", " ", ""},
        {"A " + sixty + "bc", "A", sixty + "bc", ""},
        {"A B " + sixty + "tail", "A", "B", std::string(59, 'a')},
    };
    for (const auto& c : cases) {
        SplitName split = SplitRepresentativeName(c.name);
        EXPECT_EQ(split.surname, c.surname) << c.name;
        EXPECT_EQ(split.given, c.given) << c.name;
        EXPECT_EQ(split.patronymic, c.patronymic) << c.name;
    }
}

}  // namespace
}  // namespace zorv::testing
