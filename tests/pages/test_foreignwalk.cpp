// A new user's walks through the foreign-currency and business pages of the
// main window: what the pages store is what the export, the document and the
// command line see.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <deque>
#include <map>

#include "fixtures.h"
#include "model/jsonform.h"
#include "pages/businesspage.h"
#include "pages/codelists.h"
#include "pages/currencypage.h"
#include "shell/formmain.h"
#include "shell/initialdata.h"
#include "shell/walkharness.h"
#include "tempdir.h"
#include "widgets/flashbutton.h"
#include "widgets/maskededit.h"
#include "widgets/referencedata.h"
#include "widgets/shelltext.h"

using namespace zorv;
using zorv::testing::ScriptedDialogs;
using zorv::testing::Type;

namespace {

const QString kData = QStringLiteral(ZORV_SOURCE_DIR "/data");

// Answers the modal windows in turn by their object name.
struct DialogScript {
    explicit DialogScript(ScriptedDialogs& dialogs) {
        dialogs.run = [this](QDialog& dialog) {
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected window " << dialog.objectName().toStdString();
                return false;
            }
            auto [name, step] = steps.front();
            steps.pop_front();
            EXPECT_EQ(dialog.objectName().toStdString(), name);
            return step(dialog);
        };
    }
    void Then(const std::string& name, std::function<bool(QDialog&)> step) {
        steps.emplace_back(name, std::move(step));
    }
    std::deque<std::pair<std::string, std::function<bool(QDialog&)>>> steps;
};

template <typename W>
W* Find(QWidget* root, const char* name) {
    W* w = root->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Fill(QWidget* root, const char* name, const QString& text) {
    auto* edit = Find<TMaskedEdit>(root, name);
    edit->setFocus();
    edit->selectAll();
    edit->del();
    Type(edit, text);
}

bool PickCode(QDialog& dialog, const QString& code) {
    auto& lookup = static_cast<TfmLookup&>(dialog);
    return lookup.Select(code);
}

// The rate of the shipped file on a day, as the page must show it.
QString FileRate(const QString& currency, QDate day) {
    const TReferenceData data = LoadReferenceData(kData);
    const auto found = TRateTable::Parse(data.rateXml).Lookup(currency, day);
    return found ? found->rate : QString();
}

void AddSource(TfrCurrency* page, DialogScript& script, const QString& name,
               const QString& country) {
    script.Then("TfmInputCurrencySourseIncome", [=](QDialog& d) {
        Type(Find<TMaskedEdit>(&d, "meSourseName"), name);
        Type(Find<TMaskedEdit>(&d, "meGos"), country);
        return true;
    });
    page->fbAddSourseIncome->click();
}

void ChooseIncome(TfrCurrency* page, DialogScript& script, const QString& code) {
    script.Then("TfmInputIncomeCode", [=](QDialog& d) { return PickCode(d, code); });
    page->bnIncomeCod->click();
}

struct Walk {
    explicit Walk(const Json& start) {
        mTDeclaration d;
        DeclarationFromJson(start, d);
        d.SaveToFile(dir.File("start.zv8"));
        form.Start({QString::fromStdString(dir.File("start.zv8"))});
    }
    // The whole check passes, the export equals the command line's, and the
    // saved document reads back whole; then a visit without edits changes
    // no byte of it.
    void Finish() {
        EXPECT_EQ(form.RunCheck(), 0);
        EXPECT_TRUE(dialogs.wholeChecks.empty())
            << (dialogs.wholeChecks.empty() ? "" : dialogs.wholeChecks[0].message.toStdString());
        const Json json = DeclarationToJson(form.Declaration());
        EXPECT_EQ(zorv::testing::WithoutIdAndDate(zorv::testing::FormExportXml(form, dialogs)),
                  zorv::testing::WithoutIdAndDate(zorv::testing::CliExportXml(json)));
        const std::string path = dir.File("walk.zv8");
        dialogs.saveNames.push_back(QString::fromStdString(path));
        ASSERT_TRUE(form.SaveAsDoc());
        mTDeclaration back;
        back.LoadFromFile(path);
        EXPECT_EQ(DeclarationToJson(back).dump(1), json.dump(1));

        const std::string before = zorv::testing::ReadFileText(path);
        TFormMain again(kData);
        again.Start({QString::fromStdString(path)});
        for (TNavPage nav : {navForeignIncome, navBusinessIncome, navInitialData}) {
            again.NavButton(nav)->click();
            if (auto* list = again.CurrentPage()->findChild<QTreeWidget*>("lvSourseIncomeInfo"))
                for (int row = list->topLevelItemCount() - 1; row >= 0; --row)
                    list->setCurrentItem(list->topLevelItem(row));
        }
        EXPECT_TRUE(again.Saved()) << "a visit is no change";
        ASSERT_TRUE(again.SaveDoc());
        EXPECT_EQ(zorv::testing::ReadFileText(path), before) << "the document is byte-identical";
    }

    zorv::testing::TempDir dir;
    ScriptedDialogs dialogs;
    DialogScript script{dialogs};
    TFormMain form{kData};
};

// An employee whose declaration gets the income groups of the walk on the
// conditions page, as the user ticks them.
Json Employee() {
    return zorv::testing::ReadFixtureJson("export/employee.json");
}

void TickGroups(TFormMain& form, bool currency, bool business) {
    form.NavButton(navInitialData)->click();
    auto* conditions = qobject_cast<TfrInitialData*>(form.CurrentPage());
    ASSERT_NE(conditions, nullptr);
    if (currency) conditions->chbIncomeCurrency->click();
    if (business) conditions->chbIncomeBusiness->click();
}

}  // namespace

TEST(ForeignWalk, ForeignIncomeAndAnEntrepreneurWithConfirmedExpenses) {
    Walk w(Employee());
    TickGroups(w.form, true, true);

    // Foreign income: a USD dividend, a EUR salary taxed abroad, a GBP income
    // at a typed rate.
    ASSERT_TRUE(w.form.SwitchPage(navForeignIncome));
    auto* page = qobject_cast<TfrCurrency*>(w.form.CurrentPage());
    ASSERT_NE(page, nullptr);
    AddSource(page, w.script, "Dividend Corp", "840");
    page->dtIncomeGetDate->setDate(QDate(2008, 3, 16));  // a Sunday: the rate of the 15th
    page->dtSubtractDate->setDate(QDate(2008, 3, 16));
    Fill(page, "meCurrencyCode", "840");
    EXPECT_EQ(page->meCurrencyName->text(), "Доллар США");
    ASSERT_TRUE(page->chbAutoExchange->isEnabled());
    page->chbAutoExchange->click();
    EXPECT_EQ(page->meCurrencyExchange->text(), FileRate("840", QDate(2008, 3, 16)));
    EXPECT_TRUE(page->lbIncomeRate->text().startsWith("курс ЦБ РФ на 15.03.2008: "))
        << page->lbIncomeRate->text().toStdString();
    ChooseIncome(page, w.script, "1010");
    Fill(page, "meIncomeCurrencySum", "1000");
    Fill(page, "meTaxCurrencySum", "50");
    EXPECT_EQ(page->pnlIncomeRublSum->text(),
              RublesText("1000", "1", FileRate("840", QDate(2008, 3, 16))));

    AddSource(page, w.script, "Euro Employer GmbH", "276");
    page->dtIncomeGetDate->setDate(QDate(2008, 6, 10));
    page->dtSubtractDate->setDate(QDate(2008, 7, 1));
    Fill(page, "meCurrencyCode", "978");
    page->chbAutoExchange->click();
    EXPECT_EQ(page->meCurrencyExchange->text(), FileRate("978", QDate(2008, 6, 10)));
    EXPECT_EQ(page->meCurrencyExchange2->text(), FileRate("978", QDate(2008, 7, 1)));
    ChooseIncome(page, w.script, "2000");
    Fill(page, "meIncomeCurrencySum", "3000,50");
    Fill(page, "meTaxCurrencySum", "600");

    AddSource(page, w.script, "London Ltd", "826");
    Fill(page, "meCurrencyCode", "826");
    EXPECT_FALSE(page->chbAutoExchange->isEnabled());
    EXPECT_FALSE(page->meCurrencyName->isReadOnly());
    EXPECT_EQ(page->lbIncomeRate->text(), "Валюты нет в справочнике курсов: введите курс");
    Fill(page, "meCurrencyName", "Фунт стерлингов");
    Fill(page, "meCurrencyUnits", "1");
    Fill(page, "meCurrencyExchange", "48,9421");
    Fill(page, "meCurrencyUnits2", "1");
    Fill(page, "meCurrencyExchange2", "48,9421");
    ChooseIncome(page, w.script, "2000");
    Fill(page, "meIncomeCurrencySum", "500");
    EXPECT_EQ(page->pnlIncomeRublSum->text(), "24471,05");

    // Business: an entrepreneur whose code comes through the classification.
    ASSERT_TRUE(w.form.SwitchPage(navBusinessIncome));
    auto* business = qobject_cast<TfrBusinessNew*>(w.form.CurrentPage());
    ASSERT_NE(business, nullptr);
    w.script.Then("TfmInputBusinessIncome", [&w](QDialog& d) {
        auto& activity = static_cast<TfmInputBusinessIncome&>(d);
        w.script.Then("TFormOKVED", [](QDialog& o) {
            auto& okved = static_cast<TFormOKVED&>(o);
            for (auto [level, name] : {std::pair{1,
                                                 "ОПТОВАЯ И РОЗНИЧНАЯ ТОРГОВЛЯ; РЕМОНТ "
                                                 "АВТОТРАНСПОРТНЫХ СРЕДСТВ, МОТОЦИКЛОВ, БЫТОВЫХ "
                                                 "ИЗДЕЛИЙ И ПРЕДМЕТОВ ЛИЧНОГО ПОЛЬЗОВАНИЯ"},
                                       std::pair{4,
                                                 "Розничная торговля книгами, журналами, "
                                                 "газетами, писчебумажными и канцелярскими "
                                                 "товарами"}}) {
                const int item = okved.List(level)->findText(QString::fromUtf8(name));
                EXPECT_GE(item, 0) << name;
                okved.List(level)->setCurrentIndex(item);
            }
            okved.accept();
            return okved.result() == QDialog::Accepted;
        });
        activity.bnIncomeCod->click();
        EXPECT_EQ(activity.Code(), "52.47");
        return true;
    });
    business->fbAddSourseIncome->click();
    ASSERT_EQ(business->List()->topLevelItemCount(), 1);
    EXPECT_EQ(business->List()->topLevelItem(0)->text(0), "52.47");
    Fill(business, "MaskedEdit1", "900000");
    business->chbIsConfirmedExpensies->click();
    Fill(business, "MaskedEdit2", "400000");
    Fill(business, "MaskedEdit3", "150000");
    Fill(business, "MaskedEdit4", "50000");
    Fill(business, "MaskedEdit5", "120000");
    Fill(business, "MaskedEdit6", "100000");
    Fill(business, "MaskedEdit7", "80000");
    Fill(business, "meNachPrepayment", "30000");
    Fill(business, "meActualPrepayment", "25000");
    w.Finish();

    const mTDeclaration& d = w.form.Declaration();
    ASSERT_EQ(d.CurrencyIncomeCount(), 3u);
    EXPECT_EQ(d.CurrencyIncome(0).AutoRates, 1);
    EXPECT_EQ(d.CurrencyIncome(2).IncomeRate1, Money::FromRaw(489421));
    EXPECT_EQ(d.CurrencyIncome(2).IncomeInRubles, Money::FromRaw(244710500));
    EXPECT_EQ(d.Business(0).ExpenseItems[0], Money::Rubles(400000));
    EXPECT_EQ(d.AdvanceAccrued, Money::Rubles(30000));
}

TEST(ForeignWalk, LawyerAtTheFlatNorm) {
    Walk w(Employee());
    TickGroups(w.form, false, true);
    ASSERT_TRUE(w.form.SwitchPage(navBusinessIncome));
    auto* business = qobject_cast<TfrBusinessNew*>(w.form.CurrentPage());
    ASSERT_NE(business, nullptr);
    w.script.Then("TfmInputBusinessIncome", [](QDialog& d) {
        auto& activity = static_cast<TfmInputBusinessIncome&>(d);
        activity.rbAdvokat->click();
        EXPECT_FALSE(activity.bnIncomeCod->isEnabled());
        return true;
    });
    business->fbAddSourseIncome->click();
    ASSERT_EQ(business->List()->topLevelItemCount(), 1);
    EXPECT_EQ(business->List()->topLevelItem(0)->text(0), "Адвокатская деятельность");
    Fill(business, "MaskedEdit1", "123456,78");
    EXPECT_EQ(business->Panel5->text(), "24691,36");
    w.Finish();
    EXPECT_EQ(w.form.Declaration().Business(0).ExpenseTotal, Money::FromRaw(246913600));
    EXPECT_EQ(w.form.Declaration().Business(0).HasConfirmedExpenses, 0);
}
