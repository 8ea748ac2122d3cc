#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "pages/businesspage.h"
#include "shell/shelltest.h"
#include "storage/daynumber.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::Type;

namespace {

// A section, a class, a group and its one subgroup, which share their name.
const QString kOkved = QStringLiteral(
    "<OKVED>"
    "<Item GRUP=\"1\" Kod=\"A\" OKVED=\"A\" Name=\"Сельское хозяйство\"/>"
    "<Item GRUP=\"2\" Kod=\"A01\" OKVED=\"01\" Name=\"Растениеводство\"/>"
    "<Item GRUP=\"4\" Kod=\"A0111\" OKVED=\"01.11\" Name=\"Выращивание зерна\"/>"
    "<Item GRUP=\"5\" Kod=\"A01111\" OKVED=\"01.11.1\" Name=\"Выращивание зерна\"/>"
    "<Item GRUP=\"6\" Kod=\"A011111\" OKVED=\"01.11.11\" Name=\"Выращивание пшеницы\"/>"
    "<Item GRUP=\"4\" Kod=\"A0112\" OKVED=\"01.12\" Name=\"Овощеводство\"/>"
    "<Item GRUP=\"1\" Kod=\"B\" OKVED=\"B\" Name=\"Рыболовство\"/>"
    "</OKVED>");

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

struct Page {
    explicit Page(const QString& okved = kOkved) {
        ctx.references.activityXml = okved;
        ctx.Decl().SetIncomeFlags(kIncomeBusiness);
    }
    TfrBusinessNew* Open() {
        page = std::make_unique<TfrBusinessNew>(ctx, nullptr);
        return page.get();
    }
    ScriptedDialogs dialogs;
    TShellContext ctx;
    std::unique_ptr<TfrBusinessNew> page;
};

void Retype(TMaskedEdit* edit, const QString& text) {
    edit->selectAll();
    edit->del();
    Type(edit, text);
}

}  // namespace

TEST(OkvedForm, ChoosesEntriesByTheirOwnElement) {
    ScriptedDialogs dialogs;
    const TOkvedTable table = TOkvedTable::Parse(kOkved);
    ASSERT_EQ(table.Entries().size(), 7u);
    TFormOKVED form(nullptr, table);
    EXPECT_EQ(Items(form.List(1)), QStringList({"нет", "Сельское хозяйство", "Рыболовство"}));
    form.List(1)->setCurrentIndex(1);
    form.List(2)->setCurrentIndex(1);
    EXPECT_EQ(form.Code(), "01");
    EXPECT_EQ(Items(form.List(4)), QStringList({"нет", "Выращивание зерна", "Овощеводство"}));
    EXPECT_EQ(Items(form.List(5)), QStringList({"нет", "Выращивание зерна"}));
    // The subgroup has its group's name: choosing it gives its own code.
    form.List(5)->setCurrentIndex(1);
    EXPECT_EQ(form.Code(), "01.11.1");
    EXPECT_EQ(Items(form.List(6)), QStringList({"нет", "Выращивание пшеницы"}));
    // "нет" in list 2 empties the deeper lists and keeps the code.
    form.List(2)->setCurrentIndex(0);
    for (int level = 3; level <= 6; ++level)
        EXPECT_EQ(Items(form.List(level)), QStringList({"нет"}));
    EXPECT_EQ(form.Code(), "01.11.1");

    // A class is too coarse: "Исправить" keeps the window open.
    form.List(2)->setCurrentIndex(1);
    form.open();
    dialogs.checkAnswers = {TCheckAnswer::Correct};
    form.accept();
    EXPECT_EQ(dialogs.CheckMessages(),
              QStringList({"Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку"}));
    EXPECT_EQ(dialogs.checks[0].canSkipAll, false);
    EXPECT_TRUE(form.isVisible());
    dialogs.checkAnswers = {TCheckAnswer::Skip};
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(BusinessPage, WithoutTheClassificationTheCodeIsTyped) {
    Page p{QString()};
    TfrBusinessNew* page = p.Open();
    p.dialogs.run = [](QDialog& d) {
        auto& activity = static_cast<TfmInputBusinessIncome&>(d);
        EXPECT_FALSE(activity.bnIncomeCod->isEnabled());
        EXPECT_FALSE(activity.me1->isReadOnly());
        Type(activity.me1, "52.48.23");
        EXPECT_EQ(activity.Code(), "52.48.23");
        return true;
    };
    page->AddRecord();
    ASSERT_EQ(p.ctx.Decl().BusinessCount(), 1u);
    EXPECT_EQ(p.ctx.Decl().Business(0).ActivityCode, "52.48.23");
    // An entrepreneur without a code is not added.
    p.dialogs.run = [](QDialog&) { return true; };
    page->AddRecord();
    EXPECT_EQ(p.ctx.Decl().BusinessCount(), 1u);
}

TEST(BusinessPage, FlatNormYearAndDeletingTheLast) {
    Page p;
    TfrBusinessNew* page = p.Open();
    p.dialogs.run = [](QDialog& d) {
        static_cast<TfmInputBusinessIncome&>(d).rbNota->click();
        return true;
    };
    page->AddRecord();
    Retype(page->MaskedEdit1, "123456,78");
    EXPECT_EQ(page->Panel5->text(), "24691,36");
    Retype(page->meBeginninFH, "0");
    Retype(page->meActualPrepayment, "500");
    page->StoreToModel();
    const mTDeclaration& d = p.ctx.Decl();
    EXPECT_EQ(d.FarmStartDate, DayNumber(2000, 1, 1)) << "year 0 is stored as an empty year";
    EXPECT_EQ(d.Business(0).ExpenseTotal, Money::FromRaw(246913600));
    EXPECT_EQ(d.AdvanceActual, Money::Rubles(500));
    page->DeleteRecord();
    EXPECT_TRUE(page->List()->selectedItems().isEmpty());
    page->StoreToModel();
    EXPECT_EQ(d.BusinessCount(), 0u);
    EXPECT_TRUE(d.AdvanceActual.IsZero());
    EXPECT_TRUE(d.FarmExemptIncome.IsZero());
}

TEST(BusinessPage, CheckOfTheExpenses) {
    auto confirmed = [](mTBusinessNew& b, std::initializer_list<int64_t> items) {
        b.HasConfirmedExpenses = 1;
        size_t i = 0;
        for (int64_t v : items) b.ExpenseItems[i++] = Money::Rubles(v);
    };
    struct Case {
        const char* what;
        std::function<void(mTDeclaration&)> fill;
        QStringList messages;
        int result;
    } cases[] = {
        {"consistent",
         [&](mTDeclaration& d) {
             confirmed(d.Business(0), {1000, 300, 100, 500, 0, 100});
         },
         {},
         0},
        {"total against its parts",
         [&](mTDeclaration& d) {
             confirmed(d.Business(0), {1000, 300, 100, 500, 0, 50});
         },
         {"Общие расходы (1000) не совпадают с суммой расходов материальных, на оплату труда, "
          "прочих и амортизационных отчислений (950)"},
         1},
        {"labour contracts",
         [&](mTDeclaration& d) {
             confirmed(d.Business(0), {1100, 0, 0, 500, 600, 600});
         },
         {"Расходы по оплате трудовых договоров(600) превышают сумму расходов на оплату труда "
          "(500)"},
         1},
        {"mixed modes",
         [&](mTDeclaration& d) {
             confirmed(d.Business(0), {0});
             d.Business(d.AddBusiness()).HasConfirmedExpenses = 0;
         },
         {"Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%."},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Page p;
        p.ctx.Decl().AddBusiness();
        c.fill(p.ctx.Decl());
        TfrBusinessNew* page = p.Open();
        EXPECT_EQ(page->Validate(), c.result);
        EXPECT_EQ(p.dialogs.CheckMessages(), c.messages);
    }
}
