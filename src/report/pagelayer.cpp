#include "report/pagelayer.h"

#include <zint.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

#include "report/celltext.h"

namespace zorv {
namespace {

constexpr double kMmPerInch = 25.4;
// Fonts are measured at a fixed resolution, so a text is fitted the same way on
// the screen, on the printer and in a PDF file.
constexpr int kMeasureDpi = 1200;

const QImage& MeasureDevice() {
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dpm = static_cast<int>(std::lround(kMeasureDpi / kMmPerInch * 1000));
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        return i;
    }();
    return image;
}

void RequireGui() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        throw std::logic_error("the paper form needs a QGuiApplication");
    }
}

QChar LookAlike(char32_t c) {
    switch (c) {
        case 0x00AB:  // « »
        case 0x00BB:
        case 0x201C:
        case 0x201D:
        case 0x201E:
            return QChar('"');
        case 0x2018:
        case 0x2019:
            return QChar('\'');
        case 0x2013:
        case 0x2014:
        case 0x2212:
            return QChar('-');
        case 0x2116:
            return QChar('N');
        case 0x0401:
            return QChar(0x0415);  // Ё as Е
        case 0x0451:
            return QChar(0x0435);
        default:
            return QChar('?');
    }
}

}  // namespace

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// ---- bands and pages ----

void kTBand::AddText(double x, double y, const QString& text, FontFace face, double points,
                     bool bold) {
    PageItem item;
    item.kind = PageItem::Text;
    item.x = x;
    item.y = y;
    item.text = text;
    item.face = face;
    item.points = points;
    item.bold = bold;
    item.tag = Tag;
    Items.push_back(item);
}

void kTBand::AddRect(double x, double y, double w, double h, std::optional<QColor> fill,
                     QColor pen) {
    PageItem item;
    item.kind = PageItem::Rect;
    item.x = x;
    item.y = y;
    item.w = w;
    item.h = h;
    item.fill = fill;
    item.penColour = pen;
    Items.push_back(item);
}

void kTBand::AddHLine(double x, double y, double length, PenStyle pen, double width) {
    PageItem item;
    item.kind = PageItem::Line;
    item.x = x;
    item.y = y;
    item.w = length;
    item.pen = pen;
    item.penWidth = width;
    Items.push_back(item);
}

void kTBand::AddVLine(double x, double y, double length, PenStyle pen, double width) {
    PageItem item;
    item.kind = PageItem::Line;
    item.x = x;
    item.y = y;
    item.h = length;
    item.pen = pen;
    item.penWidth = width;
    Items.push_back(item);
}

void kTBand::AddBarcode(double x, double y, double w, double h, const QString& text) {
    PageItem item;
    item.kind = PageItem::Barcode;
    item.x = x;
    item.y = y;
    item.w = w;
    item.h = h;
    item.text = text;
    Items.push_back(item);
}

kTBand& TQz2004Report::AddBand(double height, bool startsPage) {
    kTBand& band = bands_.emplace_back();
    band.Height = height;
    band.StartsPage = startsPage;
    return band;
}

std::vector<kTPage> TQz2004Report::Pages() const {
    std::vector<kTPage> pages;
    double top = 0;
    auto newPage = [&] {
        kTPage& page = pages.emplace_back();
        PageItem frame;
        frame.kind = PageItem::Line;
        frame.w = kPaperWidth;
        page.Items.push_back(frame);
        frame.w = 0;
        frame.h = kPaperHeight;
        page.Items.push_back(frame);
        frame.x = kPaperWidth;
        page.Items.push_back(frame);
        top = 0;
    };
    for (const kTBand& band : bands_) {
        if (pages.empty() || band.StartsPage || (top > 0 && top + band.Height > kPaperHeight)) {
            newPage();
        }
        for (PageItem item : band.Items) {
            item.y += top;
            pages.back().Items.push_back(item);
        }
        top += band.Height;
    }
    return pages;
}

// ---- fonts and text ----

QFont FontOf(FontFace face, double points, bool bold) {
    QFont font(face == FontFace::Free ? QStringLiteral("DejaVu Sans Condensed")
                                      : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

double TextWidthMm(const QString& text, FontFace face, double points, bool bold) {
    RequireGui();
    QFontMetricsF metrics(FontOf(face, points, bold), &MeasureDevice());
    return metrics.horizontalAdvance(text) / kMeasureDpi * kMmPerInch;
}

QString PrintableText(const QString& text, FontFace face, double points, bool bold) {
    RequireGui();
    QFontMetricsF metrics(FontOf(face, points, bold), &MeasureDevice());
    QString result;
    for (char32_t c : text.toUcs4()) {
        if (c < 0x20 || c == 0x7F) {
            result += QChar(' ');
        } else if (metrics.inFontUcs4(c)) {
            result += QString::fromUcs4(&c, 1);
        } else {
            const QChar alike = LookAlike(c);
            result += metrics.inFont(alike) ? alike : QChar('?');
        }
    }
    return result;
}

namespace {

// Where each character of a text starts, in UTF-16 units, and where the text
// ends: starts[k] units hold the first k characters.
std::vector<qsizetype> CharacterStarts(const QString& text) {
    std::vector<qsizetype> starts;
    starts.reserve(static_cast<size_t>(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        starts.push_back(i);
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
    starts.push_back(text.size());
    return starts;
}

// The first n characters of a text.
QString FirstCharacters(const QString& text, int n) {
    qsizetype units = 0;
    for (int k = 0; k < n && units < text.size(); ++k) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                          text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

}  // namespace

FittedText FitToWidth(const QString& text, double width, FontFace face, double points, bool bold) {
    const std::vector<qsizetype> starts = CharacterStarts(text);
    const int count = static_cast<int>(starts.size()) - 1;
    auto fits = [&](int k) {
        return k == 0 ||
               TextWidthMm(text.left(starts[static_cast<size_t>(k)]), face, points, bold) <= width;
    };
    if (fits(count)) return {text, count};
    // Measuring every shorter beginning costs the square of the length, so the
    // edge is found by doubling from the start and then halving: the work follows
    // what fits, not how long the text is.
    int lo = 0;      // fits
    int hi = count;  // does not
    for (int step = 1; lo + step < hi; step *= 2) {
        if (!fits(lo + step)) {
            hi = lo + step;
            break;
        }
        lo += step;
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid)) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    // Shaping can make a longer beginning narrower than a shorter one (a lam
    // followed by an alef becomes one ligature), so a few characters past the
    // edge may fit again; the longest beginning that fits is the one kept.
    constexpr int kLookAhead = 8;
    for (int k = lo + 2; k < count && k <= lo + kLookAhead; ++k) {
        if (fits(k)) lo = k;
    }
    return {text.left(starts[static_cast<size_t>(lo)]), lo};
}

// ---- painting ----

void PaintBarcode(QPainter& painter, const PageItem& item, double sx, double sy) {
    const QByteArray data = item.text.toLatin1();
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    bool drawn = false;
    if (symbol) {
        symbol->symbology = BARCODE_CODE128;
        symbol->show_hrt = 0;
        symbol->height = 50;
        const int error =
            ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                            static_cast<int>(data.size()));
        if (error < ZINT_ERROR && ZBarcode_Buffer_Vector(symbol.get(), 0) < ZINT_ERROR &&
            symbol->vector != nullptr && symbol->vector->width > 0) {
            const zint_vector* vector = symbol->vector;
            const double kx = item.w / vector->width;
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            for (const zint_vector_rect* r = vector->rectangles; r != nullptr; r = r->next) {
                if (r->colour > 0 && r->colour != 7) continue;  // only the bars
                painter.drawRect(QRectF((item.x + r->x * kx) * sx, item.y * sy, r->width * kx * sx,
                                        item.h * sy));
            }
            drawn = true;
        }
    }
    if (!drawn) {
        // A text the symbology cannot carry is shown as it is.
        painter.setFont(FontOf(FontFace::Form, 8, false));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(item.x * sx, item.y * sy, item.w * sx, item.h * sy),
                         Qt::AlignLeft | Qt::AlignVCenter, item.text);
    }
}

void PaintPage(QPainter& painter, const kTPage& page) {
    RequireGui();
    QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / kMmPerInch;
    const double sy = device->logicalDpiY() / kMmPerInch;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PageItem& item : page.Items) {
        switch (item.kind) {
            case PageItem::Text: {
                const QFont font = FontOf(item.face, item.points, item.bold);
                painter.setFont(font);
                painter.setPen(Qt::black);
                QFontMetricsF metrics(font, device);
                painter.drawText(QPointF(item.x * sx, item.y * sy + metrics.ascent()), item.text);
                break;
            }
            case PageItem::Rect: {
                QPen pen(item.penColour);
                pen.setWidthF(std::max(1.0, item.penWidth * sx));
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
                painter.setBrush(item.fill ? QBrush(*item.fill) : QBrush(Qt::NoBrush));
                painter.drawRect(QRectF(item.x * sx, item.y * sy, item.w * sx, item.h * sy));
                break;
            }
            case PageItem::Line: {
                QPen pen(item.penColour);
                pen.setWidthF(std::max(1.0, item.penWidth * sx));
                pen.setStyle(item.pen == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
                painter.setPen(pen);
                painter.drawLine(QPointF(item.x * sx, item.y * sy),
                                 QPointF((item.x + item.w) * sx, (item.y + item.h) * sy));
                break;
            }
            case PageItem::Barcode:
                PaintBarcode(painter, item, sx, sy);
                break;
        }
    }
    painter.restore();
}

// ---- primitives ----

double LabelLineSpacing(int points) {
    switch (points) {
        case 5:
            return 2.0;
        case 6:
            return 2.8;
        case 7:
            return 2.2;
        case 8:
            return 3.2;
        case 9:
            return 3.4;
        default:
            return 3.6;
    }
}

void mbLabel(kTBand& band, double x, double y, bool bold, int points,
             const std::vector<QString>& lines) {
    const double spacing = LabelLineSpacing(points);
    for (size_t k = 0; k < lines.size(); ++k) {
        band.AddText(x, y + static_cast<double>(k) * spacing,
                     PrintableText(lines[k], FontFace::Form, points, bold), FontFace::Form, points,
                     bold);
    }
}

int mbText(kTBand& band, double width, const QString& text, double x, double y) {
    constexpr double kPoints = 10;
    const FittedText fitted = FitToWidth(PrintableText(text, FontFace::Free, kPoints, true),
                                         width - 2, FontFace::Free, kPoints, true);
    band.AddText(x + 2, y - 4.5, fitted.text, FontFace::Free, kPoints, true);
    return fitted.characters;
}

void mbRek(kTBand& band, double x, double y, double width, bool dotted, const QString& text) {
    mbText(band, width, text, x, y);
    band.AddHLine(x, y, width, dotted ? PenStyle::Dotted : PenStyle::Solid);
}

void mbKva(kTBand& band, double x, double y, double width, double height, const QString& text) {
    band.AddRect(x, y, width, height);
    mbText(band, width, text, x, y + height - 2);
}

void mbSq5(kTBand& band, double x, double y, const QString& text, int n, double cellWidth) {
    constexpr double kCellHeight = 6;
    for (int k = 0; k <= n; ++k) band.AddVLine(x + k * cellWidth, y, kCellHeight, PenStyle::Dotted);
    band.AddHLine(x, y, n * cellWidth, PenStyle::Dotted);
    band.AddHLine(x, y + kCellHeight, n * cellWidth, PenStyle::Dotted);
    // Only the first n characters are shown; a long text is cut before it is looked at.
    const QList<uint> chars =
        PrintableText(FirstCharacters(text, n), FontFace::Form, 10, true).toUcs4();
    for (int k = 0; k < n && k < chars.size(); ++k) {
        const char32_t c = chars[k];
        if (c == U' ') continue;
        const double shift = c == U'Ю' ? 0.2 : 0;
        // 1.2 mm in a cell of the usual width, as much less in a narrower one.
        const double inset = 1.2 * std::min(1.0, cellWidth / kCellWidth);
        band.AddText(x + inset + k * cellWidth - shift, y + 1, QString::fromUcs4(&c, 1),
                     FontFace::Form, 10, true);
    }
}

void mbPoint(kTBand& band, double gapX, double y) {
    // On the printed forms a point on the cells' base line, in the middle of the
    // cell-wide gap.
    band.AddText(gapX + 1.9, y + 1, ".", FontFace::Form, 10, true);
}

void mbSumRK(kTBand& band, double x, double y, int rubCells, int kopCells, Money amount) {
    const mbRubKop cells = MoneyToCells(amount, rubCells, kopCells);
    mbSq5(band, x, y, Q(cells.Rub), rubCells);
    if (kopCells > 0) {
        mbPoint(band, x + rubCells * kCellWidth, y);
        mbSq5(band, x + (rubCells + 1) * kCellWidth, y, Q(cells.Kop), kopCells);
    }
}

void mbDate(kTBand& band, double x, double y, const QString& date) {
    mbSq5(band, x, y, date.mid(0, 2), 2);
    mbPoint(band, x + 2 * kCellWidth, y);
    mbSq5(band, x + 14.13, y, date.mid(3, 2), 2);
    mbPoint(band, x + 14.13 + 2 * kCellWidth, y);
    mbSq5(band, x + 28.26, y, date.mid(6, 4), 4);
}

void mb2(kTBand& band, double x, double y, const QString& text) {
    const QColor grey(192, 192, 192);  // the form's light grey
    band.AddRect(x, y, 183, 4.3, grey, grey);
    mbLabel(band, x + 1, y + 0.13, false, 10, {text});
}

void mbRamkaTit(kTBand& band, double x, double y, bool kopecks) {
    const double first = y + 0.5;
    const double second = y + 3;
    mbLabel(band, x + 2, first, false, 8, {"№"});
    mbLabel(band, x + 2, second, false, 8, {"п/п"});
    mbLabel(band, x + 46, first, false, 8, {"Показатели"});
    mbLabel(band, x + 103, first, false, 8, {"Код"});
    mbLabel(band, x + 102, second, false, 8, {"строки"});
    mbLabel(band, x + 133, first, false, 8, {"Значение показателей"});
    if (kopecks) {
        mbLabel(band, x + 142, second, false, 8, {"(руб., коп.)"});
    } else {
        mbLabel(band, x + 145, second, false, 8, {"(руб.)"});
    }
    band.AddRect(x, y, 188, 7);
    for (double at : {9.0, 100.0, 113.0}) band.AddVLine(x + at, y, 7, PenStyle::Solid);
}

void mbPolosa(kTBand& band, double x, double y, double length, double penWidth) {
    band.AddHLine(x, y, length, PenStyle::Solid, penWidth);
}

void mbMark(kTBand& band, double x, double y, bool marked) {
    band.AddRect(x - 1.2, y - 1, kCellWidth, 6);
    if (marked) band.AddText(x, y, "V", FontFace::Form, 10, true);
}

void mbBlackSquare(kTBand& band, double x, double y) {
    band.AddRect(x, y, 5, 5, QColor(Qt::black));
}

void mbZagL(TQz2004Report& report, double offset, const kTPageHeading& h) {
    kTBand& band = report.AddBand(31.5 - offset, true);
    if (!h.Barcode.isEmpty()) band.AddBarcode(19, 10, 28, 9, h.Barcode);
    mbBlackSquare(band, 10.2, 10);
    if (!h.Barcode.isEmpty()) mbBlackSquare(band, 49, 10);  // the barcode's right mark
    mbLabel(band, 59, 12, false, 8, {"ИНН"});
    mbSq5(band, 67.5, 10, h.INN, 12);
    mbLabel(band, 111, 19, false, 8, {"Стр."});
    mbSq5(band, 119.31, 17.5, Q(PageNumberText(h.PageNumber)), 3);
    if (!h.Form2008) mbLabel(band, 174.5, 26 - offset, true, 7, {"Форма по КНД 1151020"});
    if (!h.SheetCode.isEmpty()) {
        mbLabel(band, 186, 29 - offset, true, 7, {"Раздел " + h.SheetCode});
    }
    mbLabel(band, 10, 29 - offset, false, 7, {"Фамилия"});
    mbLabel(band, 153, 29 - offset, false, 7, {"И."});
    mbLabel(band, 163.5, 29 - offset, false, 7, {"О."});
    mbRek(band, 24, 31 - offset, 126, false, h.SurName);
    mbRek(band, 157, 31 - offset, 6, false, h.Initial1);
    mbRek(band, 167, 31 - offset, 6, false, h.Initial2);
}

void mbPodval(TQz2004Report& report, bool printDate, const QString& date) {
    kTBand& band = report.AddBand(2.6);
    const QString text = printDate ? date : QStringLiteral("  ,  ,    ");
    // 6 pt: in the substitute face the form's 7 pt text would run into the
    // signature line.
    mbLabel(band, 22.5, 1.5, false, 6,
            {"Достоверность и полноту сведений, указанных на данной странице, подтверждаю: "
             "подпись"});
    mbRek(band, 129, 4, 22, false, QString());
    mbLabel(band, 152, 1.5, false, 7, {"дата"});
    mbRek(band, 159, 4, 7, false, text.mid(0, 2));
    mbRek(band, 167, 4, 7, false, text.mid(3, 2));
    mbRek(band, 175, 4, 11, false, text.mid(6, 4));
    mbLabel(band, 166.4, 1.5, false, 7, {"."});
    mbLabel(band, 174.4, 1.5, false, 7, {"."});
    mbLabel(band, 187, 1.5, false, 7, {"г."});
    mbBlackSquare(band, 10.2, 2);
    mbBlackSquare(band, 197, 2);
}

}  // namespace zorv
