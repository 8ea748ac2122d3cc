#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QClipboard>
#include <QMainWindow>
#include <QMenuBar>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include "shell/shelltest.h"
#include "widgets/dateedit.h"
#include "widgets/dialogs.h"
#include "widgets/flashbutton.h"
#include "widgets/layoutkeys.h"
#include "widgets/maskededit.h"
#include "widgets/thinkingframe.h"

using namespace zorv;
using zorv::testing::Type;

namespace {

void Paste(QLineEdit& edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit.paste();
}

struct FieldCase {
    const char* what;
    TEditTypeControlEnum type;
    int whole;
    int fraction;
    QString start;   // the text before, caret at its end
    QString typed;   // typed one character at a time
    QString pasted;  // then pasted at the caret
    QString expected;
};

}  // namespace

TEST(MaskedEdit, KeepsEachKindToItsCharactersAndLimits) {
    const FieldCase cases[] = {
        {"13th whole digit", edtCurrency, 12, 2, "", "1234567890123", "", "123456789012"},
        {"3rd fraction digit", edtCurrency, 12, 2, "", "1,234", "", "1,23"},
        {"point becomes comma", edtCurrency, 12, 2, "", "12.5", "", "12,5"},
        {"second separator", edtCurrency, 12, 2, "", "1,2.,3", "", "1,23"},
        {"separator first", edtCurrency, 12, 2, "", ".5", "", "0,5"},
        {"letters and signs", edtCurrency, 12, 2, "", "1a-2 b", "", "12"},
        {"no fraction limit", edtCurrency, 0, 0, "", "1,23456", "", "1,23456"},
        {"pasted 12a", edtCurrency, 12, 2, "7", "", "12a", "7"},
        {"pasted amount", edtCurrency, 12, 2, "", "", "1234,56", "1234,56"},
        {"pasted blank", edtCurrency, 12, 2, "", "", "   ", ""},
        {"pasted too long a fraction", edtCurrency, 12, 2, "5", "", ",555", "5"},
        {"5th digit", edtDigital, 4, 0, "", "12345", "", "1234"},
        {"pasted 12345", edtDigital, 4, 0, "", "", "12345", ""},
        {"letters in digits", edtDigital, 4, 0, "", "1a2-", "", "12"},
        {"pasted 1 2", edtDigital, 0, 0, "9", "", "1 2", "9"},
        {"digits in text", edtChar, 5, 0, "", "ab1c2d", "", "abcd"},
        {"pasted digit into text", edtChar, 5, 0, "a", "", "b1", "a"},
        {"any text to its limit", edtNone, 3, 0, "", "a1b2", "", "a1b"},
        {"cyrillic", edtNone, 0, 0, "", "Ёжик №5", "", "Ёжик №5"},
        {"outside windows-1251", edtNone, 0, 0, "", "aΩb中c", "", "abc"},
        {"pasted outside windows-1251", edtNone, 0, 0, "x", "", "Ω", "x"},
        {"leading @", edtNone, 0, 0, "", "@a@", "", "a@"},
        {"pasted leading @", edtNone, 0, 0, "", "", "@Stream", ""},
        {"pasted control character", edtNone, 0, 0, "a", "", "b\tc", "a"},
        {"pasted line break", edtNone, 0, 0, "", "", "b\nc", ""},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.what);
        TMaskedEdit edit(nullptr, c.type, c.whole, c.fraction);
        edit.setText(c.start);
        Type(&edit, c.typed);
        if (!c.pasted.isEmpty()) Paste(edit, c.pasted);
        EXPECT_EQ(edit.text().toStdString(), c.expected.toStdString());
    }
}

// The limits hold the user's typing and pasting; what the program puts in
// (a stored value, a rate of the reference file) is shown as it is, and the
// user's next key is judged against it.
TEST(MaskedEdit, ProgramTextIsShownAsSet) {
    TMaskedEdit edit(nullptr, edtDigital, 4);
    edit.setText("12");
    edit.setText("12345");
    EXPECT_EQ(edit.text(), "12345");
    TMaskedEdit rate(nullptr, edtCurrency, 4, 2);
    rate.setText("23,5");
    rate.setText("31,5678");
    EXPECT_EQ(rate.text(), "31,5678");
    Type(&rate, "9");
    EXPECT_EQ(rate.text(), "31,5678") << "a key beyond the limit is still refused";
    rate.selectAll();
    Paste(rate, "24,3724");
    EXPECT_EQ(rate.text(), "31,5678") << "so is a paste";
    rate.setText("24,37");
    Paste(rate, "1");
    EXPECT_EQ(rate.text(), "24,37") << "a paste after a program text is judged alone";
}

// A separator typed into a whole-ruble field is refused with a hint at once;
// the kopecks typed after it would otherwise multiply the amount unnoticed.
TEST(MaskedEdit, WholeRubleFieldHintsAtATypedSeparator) {
    // A digits field that is not an amount refuses the separator without a word.
    TMaskedEdit code(nullptr, edtDigital, 4);
    code.show();
    Type(&code, "12,");
    EXPECT_EQ(code.text(), "12");
    EXPECT_FALSE(QToolTip::isVisible());

    const QString hint = QString::fromUtf8(kWholeRublesHint);
    for (const char* separator : {",", "."}) {
        SCOPED_TRACE(separator);
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        TMaskedEdit edit(nullptr, edtDigital, 12);
        EXPECT_EQ(WholeRubles(&edit), &edit);
        edit.show();
        Type(&edit, "500000");
        EXPECT_FALSE(QToolTip::isVisible());
        Type(&edit, separator);
        EXPECT_EQ(edit.text(), "500000") << "the separator is refused";
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), hint);
        edit.selectAll();
        Paste(edit, QStringLiteral("500000%150").arg(separator));
        EXPECT_EQ(edit.text(), "500000") << "a pasted amount with kopecks is undone";
    }
    QToolTip::hideText();
}

TEST(MaskedEdit, ChangeSendsTheNoticeThenRunsTheHandlerUnlessLoading) {
    TShellContext ctx;
    TMaskedEdit edit(nullptr, edtNone, 10);
    QStringList order;
    QObject::connect(&edit, &TMaskedEdit::modified, [&] { ctx.NotifyModified(); });
    QObject::connect(&ctx, &TShellContext::modified, [&] { order << "notice"; });
    QObject::connect(&edit, &TMaskedEdit::changed, [&] { order << "handler"; });

    {
        TLoadingScope loading(ctx);
        edit.setText("abc");
    }
    EXPECT_EQ(order, QStringList({"handler"}));
    order.clear();
    Type(&edit, "d");
    EXPECT_EQ(order, QStringList({"notice", "handler"}));
    order.clear();
    edit.setText("abcd");     // no change
    Type(&edit, "12345678");  // beyond the limit: only the first ones count
    EXPECT_EQ(edit.text(), "abcd123456");
    EXPECT_EQ(order.count("notice"), 6);
}

TEST(MaskedDocEdit, TypedCharactersFollowTheMaskOfTheKind) {
    struct Case {
        int kind;
        QString typed;
        QString expected;
    } cases[] = {
        {2, "4509123456", "45 09 123456"},
        {2, "45091234567", "45 09 123456"},  // a seventh digit after the second blank
        {2, "45 09", "45 09"},               // typed blanks are not taken, the field puts them in
        {1, "4512345678", "45 1234567"},
        {1, "a4", "4"},
        {3, "аб123456", "АБ 123456"},
        {3, "1аб", "АБ"},  // a digit cannot start the series
        {3, "абв1", "АБ 1"},
        {4, "ЖЭ12345678", "ЖЭ 1234567"},
        {4, "ab12", ""},  // Latin letters are not a series
        {5, "A-1 б/2", "A-1 б/2"},
        {5, "123456789012345678901", "12345678901234567890"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " in kind " + std::to_string(c.kind));
        TMaskedDocEdit edit;
        edit.SetMaskKind(c.kind);
        Type(&edit, c.typed);
        EXPECT_EQ(edit.text().toStdString(), c.expected.toStdString());
    }
}

TEST(MaskedDocEdit, PastedAndProgramTextIsHeldToTheMask) {
    struct Case {
        int kind;
        QString pasted;
        QString expected;
    } cases[] = {
        {2, "45 09 123456", "45 09 123456"},
        {2, "4509123456", ""},
        {4, "аб 12", "АБ 12"},
        {3, "АБ 1234567", ""},
        {1, "@1", ""},
        {5, "@1", ""},
        {5, "№ 5Ω", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        TMaskedDocEdit edit;
        edit.SetMaskKind(c.kind);
        Paste(edit, c.pasted);
        EXPECT_EQ(edit.text().toStdString(), c.expected.toStdString());
    }
}

TEST(MaskedDocEdit, MaskKindsOfDocumentCodes) {
    EXPECT_EQ(DocNumberMaskKind(21), 2);
    EXPECT_EQ(DocNumberMaskKind(7), 4);
    EXPECT_EQ(DocNumberMaskKind(24), 4);
    EXPECT_EQ(DocNumberMaskKind(9), 1);
    EXPECT_EQ(DocNumberMaskKind(4), 3);
    for (int code : {3, 8, 10, 11, 12, 13, 14, 15, 18, 23, 91})
        EXPECT_EQ(DocNumberMaskKind(code), 5) << code;
}

TEST(DateEdit, ReadsEveryFormOfADate) {
    const struct {
        const char* text;
        TTypedDate::Kind kind;
        QDate date;
    } cases[] = {
        {"23.11.1978", TTypedDate::Complete, {1978, 11, 23}},
        {"23111978", TTypedDate::Complete, {1978, 11, 23}},
        {" 23/11/1978 ", TTypedDate::Complete, {1978, 11, 23}},
        {"1.2.2008", TTypedDate::Complete, {2008, 2, 1}},
        {"29.02.2008", TTypedDate::Complete, {2008, 2, 29}},
        {"", TTypedDate::Partial, {}},
        {"23.1", TTypedDate::Partial, {}},
        {"2311197", TTypedDate::Partial, {}},
        {"31.02.2008", TTypedDate::Impossible, {}},
        {"29.02.2007", TTypedDate::Impossible, {}},
        {"32", TTypedDate::Impossible, {}},
        {"15.13", TTypedDate::Impossible, {}},
        {"31.04", TTypedDate::Impossible, {}},
        {"00.01.2008", TTypedDate::Impossible, {}},
        {"23.11.19781", TTypedDate::Garbage, {}},
        {"23..1978", TTypedDate::Garbage, {}},
        {"2a.11.1978", TTypedDate::Garbage, {}},
        {"1.2.3.4", TTypedDate::Garbage, {}},
    };
    for (const auto& c : cases) {
        const TTypedDate typed = ParseTypedDate(QString::fromLatin1(c.text));
        EXPECT_EQ(typed.kind, c.kind) << c.text;
        EXPECT_EQ(typed.date, c.date) << c.text;
    }
}

TEST(DateEdit, KeepsWhatIsTypedOrPasted) {
    QWidget window;
    auto* edit = new TDateEdit(&window);
    edit->setAccessibleName(QStringLiteral("Дата рождения"));
    edit->setDateRange(QDate(1900, 1, 1), QDate(2009, 12, 31));
    auto* next = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    const struct {
        const char* what;
        QString typed;
        QString pasted;
        QDate date;
        QString shown;
    } cases[] = {
        {"dots", QStringLiteral("23.11.1978"), {}, {1978, 11, 23}, QStringLiteral("23.11.1978")},
        {"no dots", QStringLiteral("23111978"), {}, {1978, 11, 23}, QStringLiteral("23.11.1978")},
        {"commas", QStringLiteral("23,11,1978"), {}, {1978, 11, 23}, QStringLiteral("23.11.1978")},
        {"one-digit parts",
         QStringLiteral("1.2.2008"),
         {},
         {2008, 2, 1},
         QStringLiteral("01.02.2008")},
        {"pasted", {}, QStringLiteral("23.11.1978"), {1978, 11, 23}, QStringLiteral("23.11.1978")},
        {"pasted digits",
         {},
         QStringLiteral("23111978"),
         {1978, 11, 23},
         QStringLiteral("23.11.1978")},
        {"extra digit",
         QStringLiteral("23.11.19781"),
         {},
         {1978, 11, 23},
         QStringLiteral("23.11.1978")},
    };
    for (const auto& c : cases) {
        edit->setDate(QDate(2000, 5, 5));
        edit->setFocus();
        edit->selectAll();
        if (!c.typed.isEmpty()) Type(edit, c.typed);
        if (!c.pasted.isEmpty()) Paste(*edit, c.pasted);
        EXPECT_EQ(edit->date(), c.date) << c.what;
        EXPECT_EQ(edit->text(), c.shown) << c.what;
    }

    // An impossible day is refused at the keystroke that makes it, naming the field.
    QSignalSpy refused(edit, &TDateEdit::refused);
    edit->setDate(QDate(2000, 5, 5));
    edit->selectAll();
    Type(edit, QStringLiteral("31.02.2008"));
    ASSERT_FALSE(refused.isEmpty());
    EXPECT_TRUE(edit->LastRefusal().contains(QStringLiteral("«Дата рождения»")))
        << edit->LastRefusal().toStdString();
    EXPECT_EQ(edit->date(), QDate(2000, 5, 5));
    // Out of the range: refused with the range said, never clamped.
    edit->selectAll();
    Type(edit, QStringLiteral("01.01.2010"));
    EXPECT_TRUE(edit->LastRefusal().contains(QStringLiteral("31.12.2009")))
        << edit->LastRefusal().toStdString();
    EXPECT_EQ(edit->date(), QDate(2000, 5, 5));
    // Left unfinished: the last date comes back, and the user is told.
    next->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("05.05.2000"));
    EXPECT_TRUE(edit->LastRefusal().contains(QStringLiteral("не полностью")))
        << edit->LastRefusal().toStdString();
}

TEST(DateEdit, TabLeavesTheFieldAndArrowsMoveInsideIt) {
    QWidget window;
    auto* edit = new TDateEdit(&window);
    auto* next = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    edit->setDate(QDate(2003, 12, 12));
    edit->setCursorPosition(10);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(edit->cursorPosition(), 9);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    Type(next, QStringLiteral("12"));
    EXPECT_EQ(edit->date(), QDate(2003, 12, 12));
    EXPECT_EQ(next->text(), QStringLiteral("12"));
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST(DateEdit, AnEmptyFieldHoldsNoDateWhenAllowed) {
    QWidget window;
    auto* edit = new TDateEdit(&window);
    auto* next = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setDate(QDate(2009, 4, 1));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    next->setFocus();
    EXPECT_EQ(edit->date(), QDate(2009, 4, 1)) << "a field that may not be empty keeps its date";
    edit->SetAllowEmpty(true);
    QSignalSpy changed(edit, &TDateEdit::dateChanged);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    next->setFocus();
    EXPECT_FALSE(edit->date().isValid());
    EXPECT_EQ(changed.size(), 1);
}

TEST(LayoutMnemonics, AltLetterWorksInTheLatinLayoutAndIsNeverTyped) {
    EXPECT_EQ(OtherLayoutLetter(QChar('f')), QChar(u'а'));
    EXPECT_EQ(OtherLayoutLetter(QChar(u'Ф')), QChar('a'));
    EXPECT_TRUE(OtherLayoutLetter(QChar('1')).isNull());

    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Файл"));
    file->addAction(QStringLiteral("Выход"));
    window.menuBar()->addMenu(QStringLiteral("&Справка"))->addAction(QStringLiteral("О программе"));
    auto* edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    TLayoutMnemonics mnemonics;
    qApp->installEventFilter(&mnemonics);
    const struct {
        int key;
        const char* text;
        QMenu* opened;  // null: nothing opens, nothing is typed either
    } cases[] = {
        {Qt::Key_F, "f", file},          // the Latin initial of "Файл"
        {Qt::Key_A, "a", file},          // the key of Ф in the Latin layout
        {Qt::Key_Q, "q", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::AltModifier, QString::fromLatin1(c.text));
        QApplication::sendEvent(edit, &press);
        EXPECT_EQ(edit->text(), QString());
        EXPECT_EQ(window.menuBar()->activeAction(), c.opened ? c.opened->menuAction() : nullptr);
        if (c.opened) c.opened->close();
        window.menuBar()->setActiveAction(nullptr);
    }
    qApp->removeEventFilter(&mnemonics);
}

TEST(FlashButton, GroupButtonsAreExclusive) {
    QWidget parent;
    TFlashButton a("a", &parent, 1), b("b", &parent, 1), other("o", &parent, 2),
        plain("p", &parent, 0);
    int aRuns = 0, bRuns = 0, plainRuns = 0;
    QObject::connect(&a, &TFlashButton::command, [&] { ++aRuns; });
    QObject::connect(&b, &TFlashButton::command, [&] { ++bRuns; });
    QObject::connect(&plain, &TFlashButton::command, [&] { ++plainRuns; });
    other.SetDown(true);

    a.click();
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(aRuns, 1);
    b.click();
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(other.Down()) << "another group is left alone";

    b.click();  // already down: stays down, runs once more
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(bRuns, 2);

    a.SetDown(true);  // from the program: the group follows, no command
    EXPECT_TRUE(a.Down());
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(aRuns, 1);

    plain.click();
    plain.click();
    EXPECT_FALSE(plain.Down());
    EXPECT_EQ(plainRuns, 2);
}

TEST(CheckWindow, ButtonsAndClosingGiveTheAnswers) {
    TCheckRequest request{"Задание условий", "Не введен номер инспекции"};
    {
        TfmCheckError window(nullptr, request);
        EXPECT_EQ(window.windowTitle(), "Проверка: Задание условий");
        window.bnSkipAll()->click();
        EXPECT_EQ(window.Answer(), TCheckAnswer::SkipAll);
    }
    {
        TfmCheckError window(nullptr, request);
        window.bnSkip()->click();
        EXPECT_EQ(window.Answer(), TCheckAnswer::Skip);
    }
    {
        TfmCheckError window(nullptr, request);
        window.reject();  // close box or Escape
        EXPECT_EQ(window.Answer(), TCheckAnswer::Skip);
    }
    {
        request.canSkip = false;
        TfmCheckError window(nullptr, request);
        EXPECT_FALSE(window.bnSkip()->isEnabled());
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_EQ(window.Answer(), TCheckAnswer::Correct);
    }
}

TEST(StandardWindows, SpeakRussian) {
    const bool translated = UseRussianStandardWindows(QString());
    // The widgets take the Russian locale whatever the environment says.
    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().language(), QLocale::Russian);
    EXPECT_TRUE(calendar.locale().monthName(1).startsWith("январ"));
    if (!translated) GTEST_SKIP() << "Qt's Russian translation is not installed here";
    QMessageBox box(QMessageBox::Question, "Zorv 2008", "Вы хотите сохранить декларацию?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Да");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Нет");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'), "Отмена");
}
