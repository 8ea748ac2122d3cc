#pragma once

// The page layer of the paper form: bands of texts, frames and lines placed in
// millimetres, stacked into A4 pages and painted on any paint device (printer,
// PDF file, preview image); and the primitives the sheets are drawn with.
//
// Fonts. The form's own faces are replaced by installed ones with Cyrillic:
// the form text face by "DejaVu Sans" (Debian fonts-dejavu-core) and the
// condensed face of free texts by "DejaVu Sans Condensed" (fonts-dejavu-extra).
// A character that the face lacks is printed as a look-alike or as "?".
// The page barcode is drawn as bars by libzint (see PaintBarcode).
//
// Measuring and painting need a QGuiApplication.

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "storage/money.h"

class QPainter;
class QPagedPaintDevice;

namespace zorv {

enum class FontFace {
    Form,  // headings, captions and the characters in cells
    Free,  // free texts in boxes and on lines, 10 pt bold
};

enum class PenStyle { Solid, Dotted };

struct PageItem {
    enum Kind { Text, Rect, Line, Barcode };
    Kind kind = Text;
    double x = 0;  // mm from the band's (after layout: the page's) top-left corner
    double y = 0;
    double w = 0;
    double h = 0;
    QString text;
    FontFace face = FontFace::Form;
    double points = 10;
    bool bold = false;
    PenStyle pen = PenStyle::Solid;
    double penWidth = 0.2;  // mm
    QColor penColour = Qt::black;
    std::optional<QColor> fill;
    // For a character of a value: "kind|code|origin" of the value it shows
    // (sheet kind, line code, where the declaration file holds it); empty for
    // the form's own texts. Not painted.
    QString tag;
};

// A horizontal strip of a page. A band that starts a page opens a new one.
class kTBand {
  public:
    double Height = 0;
    bool StartsPage = false;
    std::vector<PageItem> Items;
    QString Tag;  // given to every text added while it is set

    void AddText(double x, double y, const QString& text, FontFace face, double points, bool bold);
    void AddRect(double x, double y, double w, double h, std::optional<QColor> fill = std::nullopt,
                 QColor pen = Qt::black);
    void AddHLine(double x, double y, double length, PenStyle pen, double width = 0.2);
    void AddVLine(double x, double y, double length, PenStyle pen, double width = 0.2);
    void AddBarcode(double x, double y, double w, double h, const QString& text);
};

struct kTPage {
    std::vector<PageItem> Items;
};

inline constexpr double kPaperWidth = 210;  // A4, portrait, no margins
inline constexpr double kPaperHeight = 297;

// The pages of one sheet, made of its bands. Margins are 0; frame lines run on
// the top, left and right edges of every page.
class TQz2004Report {
  public:
    kTBand& AddBand(double height, bool startsPage = false);
    const std::vector<kTBand>& Bands() const { return bands_; }
    // The bands stacked from the top of the page; a band that starts a page or
    // does not fit below the previous one goes on a new page.
    std::vector<kTPage> Pages() const;
    int PageCount() const { return static_cast<int>(Pages().size()); }

  private:
    std::vector<kTBand> bands_;
};

// ---- fonts and text ----

QFont FontOf(FontFace face, double points, bool bold);
// The width a text takes in the face, in millimetres (device independent).
double TextWidthMm(const QString& text, FontFace face, double points, bool bold);
// The text with every character the face cannot show replaced: control
// characters by a blank, typographic quotes and dashes by their plain forms,
// anything else by "?".
QString PrintableText(const QString& text, FontFace face, double points, bool bold);

// The longest beginning of a text, in whole characters (a surrogate pair is one),
// that is no wider than width mm in the face; empty when not even one character
// fits. A text that fits is kept whole.
struct FittedText {
    QString text;
    int characters = 0;
};
FittedText FitToWidth(const QString& text, double width, FontFace face, double points, bool bold);

// ---- painting ----

// Paints a page on the painter's device at the device's resolution, the page's
// top-left corner at the device's origin.
void PaintPage(QPainter& painter, const kTPage& page);
// The page barcode: Code 128 (every printable ASCII character, so the form's
// barcode texts such as "!5102!1016!" are encoded as they are), bars only,
// stretched to the box.
void PaintBarcode(QPainter& painter, const PageItem& item, double pxPerMmX, double pxPerMmY);

// ---- primitives ----

QString Q(const std::string& utf8);

// Lines of text in the form face, transparent; line k at y + k x the spacing of the size.
void mbLabel(kTBand& band, double x, double y, bool bold, int points,
             const std::vector<QString>& lines);
double LabelLineSpacing(int points);
// A free text at (x + 2, y - 4.5), shortened from the end until it fits width - 2 mm.
// Gives the number of characters kept.
int mbText(kTBand& band, double width, const QString& text, double x, double y);
// A free text over a line from x of the given width at y.
void mbRek(kTBand& band, double x, double y, double width, bool dotted, const QString& text);
// A framed box with a free text.
void mbKva(kTBand& band, double x, double y, double width, double height, const QString& text);
// n character cells from (x, y), one character each; a longer text keeps its first n.
inline constexpr double kCellWidth = 4.71;
void mbSq5(kTBand& band, double x, double y, const QString& text, int n,
           double cellWidth = kCellWidth);
// The point between two groups of cells (rubles and kopecks, day, month and
// year): gapX is where the cells before it end, y the top of the cells.
void mbPoint(kTBand& band, double gapX, double y);
// An amount in r ruble cells and k (0, 2 or 4) kopeck cells.
void mbSumRK(kTBand& band, double x, double y, int rubCells, int kopCells, Money amount);
// A date "DD.MM.YYYY" in day, month and year cells.
void mbDate(kTBand& band, double x, double y, const QString& date);
// A section heading on a grey bar.
void mb2(kTBand& band, double x, double y, const QString& text);
// The heading of a table of indicators.
void mbRamkaTit(kTBand& band, double x, double y, bool kopecks);
void mbPolosa(kTBand& band, double x, double y, double length, double penWidth);
// A box with a "V" when marked: the mark's text at (x, y), its box around it.
void mbMark(kTBand& band, double x, double y, bool marked);
// A black filled square, the form's alignment mark.
void mbBlackSquare(kTBand& band, double x, double y);

// The page header of a form page; starts a new page.
struct kTPageHeading {
    QString Barcode;
    int PageNumber = 1;
    QString SheetCode;  // empty: none
    QString Initial1;
    QString Initial2;
    QString SurName;
    QString INN;
    // The form of 2008: the header of its sheets has the INN, the page number
    // and the name only.
    bool Form2008 = false;
};
void mbZagL(TQz2004Report& report, double offset, const kTPageHeading& heading);
// The page footer with the confirmation and the date (blank unless printDate).
void mbPodval(TQz2004Report& report, bool printDate, const QString& date);

}  // namespace zorv
