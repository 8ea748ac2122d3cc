#pragma once

// The drawing of the sections and sheets of the 3-NDFL paper form from their
// values: the kinds of cells a value fills, the rows of a table of indicators,
// the fields of a list block, and the drawer that puts a sheet's pages together
// with the page header and footer. Both forms drawn (the report library's own
// sheets and the form of 2008) are made with it.

#include <QString>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "report/celltext.h"
#include "report/pagelayer.h"
#include "report/reportdata.h"
#include "report/sheets.h"
#include "report/sheetvalues.h"

namespace zorv::form {

// How a value fills its place on the form.
enum class Cells {
    Kopecks,  // 12 ruble cells, a point, 2 kopeck cells
    Rubles,   // 15 ruble cells
    Rate,     // 10 cells, a point, 4 cells after it
    Date,     // day, month and year cells
    Chars,    // n character cells from the left
    Number,   // a count or percentage in n cells from the left; on the form of 2008
              // a zero leaves them empty, as a zero amount does
    Text,     // a free text in a framed box across the block
    Short,    // a free text in a box of half the width
};

struct Row {
    const char* code;
    const char* caption;
    Cells cells = Cells::Kopecks;
    int n = 0;  // character cells, for Chars
};

constexpr double kCaptionX = 20;
constexpr double kCodeX = 114;
constexpr double kCellsX = 126;
constexpr double kColumnWidth = 95;

// Splits a caption into lines no wider than width mm at the given size.
std::vector<QString> Wrap(const QString& text, double width, int points, bool bold = false);

// The texts of an amount for its cells: the whole part right-aligned in whole
// cells, the fraction padded with "0" in frac cells. A value of 0 is empty.
std::pair<QString, QString> SplitAmount(const std::string& text, int whole, int frac);

// Draws the values of one sheet page by page.
class Drawer {
  public:
    Drawer(TQz2004Report& report, const kTDanLog& data, const kTSheetValues& values, int kind)
        : report_(report), data_(data), sheet_(values[kind]), kind_(kind) {}

    kTBand* b = nullptr;
    const kTSheetBlock* block = nullptr;  // the block whose values are drawn

    const kTSheetData& Sheet() const { return sheet_; }
    bool Form2008() const { return data_.Plan.Form2008; }
    int Kind() const { return kind_; }

    int page = 0;  // the page of the sheet being drawn, from 1

    // Opens page i (from 1) of the sheet: the header, then the body band.
    void OpenPage(int i) {
        page = i;
        const kTSheetKind& k = SheetKind(kind_);
        const mTPersonInformation& p = data_.Person;
        kTPageHeading h;
        // The form of 2008: its page barcodes are not known, and its sheets
        // carry no section code.
        const bool form2008 = data_.Plan.Form2008;
        h.Form2008 = form2008;
        h.Barcode = form2008 ? QString() : Q(k.Barcode);
        h.PageNumber = data_.Plan.Base[kind_] + i;
        h.SheetCode = form2008 ? QString() : Q(k.Code);
        h.Initial1 = Q(Initial(p.Name));
        h.Initial2 = Q(Initial(p.Patronymic));
        h.SurName = Q(p.SurName);
        h.INN = Q(p.INN);
        mbZagL(report_, k.HeaderOffset, h);
        b = &report_.AddBand(232.5 + k.HeaderOffset);
    }
    void ClosePage() {
        mbPodval(report_, data_.PrintDate,
                 Q(DateCellsText(data_.Header.FilingDate, data_.PrintDate)));
        b = nullptr;
    }

    std::string Text(const std::string& code) const {
        return block != nullptr ? block->Text(code) : std::string();
    }

    // The value of code drawn at (x, y) in its cells, tagged.
    void Value(const std::string& code, double x, double y, Cells cells, int n = 0,
               double textWidth = 80, double cellWidth = kCellWidth) {
        const kTSheetValue* v = block != nullptr ? block->Find(code) : nullptr;
        const std::string text = v != nullptr ? v->Text : std::string();
        b->Tag = v != nullptr ? QStringLiteral("%1|%2|%3").arg(kind_).arg(Q(code), Q(v->Origin))
                              : QString();
        switch (cells) {
            case Cells::Kopecks: {
                auto [rub, kop] = SplitAmount(text, 12, 2);
                mbSq5(*b, x, y, rub, 12);
                Separator(x + 12 * kCellWidth, y, !rub.isEmpty());
                mbSq5(*b, x + 13 * kCellWidth, y, kop, 2);
                break;
            }
            case Cells::Rubles:
                mbSq5(*b, x, y, SplitAmount(text, 15, 0).first, 15);
                break;
            case Cells::Rate: {
                auto [whole, frac] = SplitAmount(text, 10, 4);
                mbSq5(*b, x, y, whole, 10);
                Separator(x + 10 * kCellWidth, y, !whole.isEmpty());
                mbSq5(*b, x + 11 * kCellWidth, y, frac, 4);
                break;
            }
            case Cells::Date: {
                const bool blank = text.empty();
                mbSq5(*b, x, y, Q(text).mid(0, 2), 2);
                mbSq5(*b, x + 14.13, y, Q(text).mid(3, 2), 2);
                mbSq5(*b, x + 28.26, y, Q(text).mid(6, 4), 4);
                Separator(x + 2 * kCellWidth, y, !blank);
                Separator(x + 14.13 + 2 * kCellWidth, y, !blank);
                break;
            }
            case Cells::Chars:
                mbSq5(*b, x, y, Q(text), n, cellWidth);
                break;
            case Cells::Number:
                mbSq5(*b, x, y, Form2008() && IsZeroText(text) ? QString() : Q(text), n, cellWidth);
                break;
            case Cells::Short:
            case Cells::Text:
                // The text stands in the middle of its box.
                b->AddRect(x, y, textWidth, 6);
                mbText(*b, textWidth, Q(text), x, y + 5.6);
                break;
        }
        b->Tag.clear();
    }

    // The point between the cells of an amount or a date (gapX: where the cells
    // before it end); part of the value only when the value is shown.
    void Separator(double gapX, double y, bool ofValue) {
        const QString tag = b->Tag;
        if (!ofValue) b->Tag.clear();
        mbPoint(*b, gapX, y);
        b->Tag = tag;
    }

    // A row of a table of indicators: number, caption, code and cells. Gives the
    // next row's y.
    double TableRow(double y, int number, const Row& row) {
        const std::vector<QString> lines = Wrap(Q(row.caption), kCodeX - kCaptionX - 3, 8);
        const double height = std::max(7.2, static_cast<double>(lines.size()) * 3.2 + 1.8);
        if (number > 0) mbLabel(*b, 12, y + 1, true, 10, {QString::number(number)});
        mbLabel(*b, kCaptionX, y + 1, false, 8, lines);
        mbLabel(*b, kCodeX, y + 1.5, false, 8, {Q(row.code)});
        Value(row.code, kCellsX, y + (height - 6) / 2, row.cells, row.n,
              row.cells == Cells::Text ? 200 - kCellsX : 80);
        b->AddHLine(10, y + height, 188, PenStyle::Solid, 0.1);
        return y + height;
    }
    double Table(double y, std::initializer_list<Row> rows, int firstNumber = 0) {
        int number = firstNumber;
        for (const Row& row : rows) y = TableRow(y, number > 0 ? number++ : 0, row);
        return y;
    }

    // A compact row of a list block: caption in small type over the cells.
    void Field(double x, double y, const Row& row, double textWidth = 80) {
        mbLabel(*b, x + 8, y, false, 6, {Q(row.caption)});
        // Values that have no line code of the form (the items of a row of sheets
        // З, И, К3 and К4, the totals of the parts of К3 and К4, the parts of an
        // address) show no code.
        const std::string code = row.code;
        if (code.size() == 3 && code.find_first_not_of("0123456789") == std::string::npos)
            mbLabel(*b, x, y + 4.3, false, 8, {Q(row.code)});
        Value(row.code, x + 8, y + 2.8, row.cells, row.n, textWidth);
    }
    // The width a field takes: its code and its cells.
    static double FieldWidth(const Row& row) {
        switch (row.cells) {
            case Cells::Kopecks:
            case Cells::Rubles:
            case Cells::Rate:
                return 8 + 15 * kCellWidth;
            case Cells::Date:
                return 8 + 8 * kCellWidth + 9.4;
            case Cells::Chars:
            case Cells::Number:
                return 8 + row.n * kCellWidth;
            case Cells::Short:
                return 8 + 80;
            case Cells::Text:
                break;
        }
        return 190;
    }
    // Fields left to right in rows: amounts in the two columns of the form, codes
    // and dates close up, a Text field across the whole width. Gives the next y.
    double Fields(double y, std::initializer_list<Row> rows) {
        double x = 10;
        for (const Row& row : rows) {
            if (row.cells == Cells::Text) {
                if (x > 10) y += 10;
                Field(10, y, row, 180);
                y += 10;
                x = 10;
                continue;
            }
            const double width = FieldWidth(row);
            const bool amount = width > 70;
            if (amount && x > 10 && x <= 10 + kColumnWidth) x = 10 + kColumnWidth;
            if (x > 10 && x + width > 200) {
                y += 10;
                x = 10;
            }
            Field(x, y, row);
            x += width + 4;
        }
        return x > 10 ? y + 10 : y;
    }

    // The sheet's title; gives the y below it.
    double Title(double y, const QString& text, int points = 10) {
        const std::vector<QString> lines = Wrap(text, 184, points, true);
        mbLabel(*b, 12, y, true, points, lines);
        return y + static_cast<double>(lines.size()) * LabelLineSpacing(points) + 1.5;
    }
    void Heading(double y, const QString& text) { mb2(*b, 12, y, text); }
    // A heading too long for the bar of Heading: 8-pt lines on a grey bar as
    // high as they need. Gives the y below it.
    double LongHeading(double y, const QString& text, double width = 176) {
        const std::vector<QString> lines = Wrap(text, width, 8);
        const double height = static_cast<double>(lines.size()) * LabelLineSpacing(8) + 1;
        const QColor grey(192, 192, 192);
        b->AddRect(12, y, 183, height, grey, grey);
        mbLabel(*b, 13, y + 0.4, false, 8, lines);
        return y + height;
    }

    // A mark "V" in the box when the block's value of code equals value.
    void Mark(double x, double y, const std::string& code, const std::string& value,
              const QString& caption) {
        const kTSheetValue* v = block != nullptr ? block->Find(code) : nullptr;
        const bool marked = v != nullptr && v->Text == value;
        if (marked) b->Tag = QStringLiteral("%1|%2|%3").arg(kind_).arg(Q(code), Q(v->Origin));
        mbMark(*b, x, y, marked);
        b->Tag.clear();
        mbLabel(*b, x + 6, y + 1, false, 7, {caption});
    }

  private:
    TQz2004Report& report_;
    const kTDanLog& data_;
    const kTSheetData& sheet_;
    int kind_;
};

// A block with no values: the empty places of a list sheet's last page.
extern const kTSheetBlock kEmpty;

// A one-page section: its title, the heading of its table and its rows under
// the headings of its parts, numbered on from 1.
void Section(Drawer& d, const QString& title, bool kopecksHeading,
             std::initializer_list<std::pair<const char*, std::initializer_list<Row>>> parts);

// ---- list sheets ----

// The pages of a list sheet: per page its title, up to per blocks (empty ones
// after the last record) and the totals on the last page only.
template <class Title, class Block, class Totals>
void ListSheet(Drawer& d, int per, Title title, Block drawBlock, Totals totals) {
    const std::vector<kTSheetBlock>& blocks = d.Sheet().Blocks;
    const int pages = std::max(1, (static_cast<int>(blocks.size()) + per - 1) / per);
    for (int page = 1; page <= pages; ++page) {
        d.OpenPage(page);
        d.block = &d.Sheet().Totals;
        double y = title(d);
        for (int k = 0; k < per; ++k) {
            const size_t index = static_cast<size_t>((page - 1) * per + k);
            d.block = index < blocks.size() ? &blocks[index] : &kEmpty;
            y = drawBlock(d, y, k == 0);
        }
        d.block = page == pages ? &d.Sheet().Totals : &kEmpty;
        totals(d, y);
        d.ClosePage();
    }
}

// The rate of a sheet in the two cells of line 001: on sheet А after the
// title, whose last words name it, as the form has it; on sheet Б on a line of
// its own under the title.
double RateTitle(Drawer& d, const QString& title, bool inTitle);

// The V mark of a sheet whose income is from Russia (1) or from abroad (2).
double OriginTitle(Drawer& d, const QString& title);

}  // namespace zorv::form
