#include "report/sheetdrawer.h"

#include <algorithm>

namespace zorv::form {

// Splits a caption into lines no wider than width mm at the given size.
std::vector<QString> Wrap(const QString& text, double width, int points, bool bold) {
    std::vector<QString> lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && TextWidthMm(candidate, FontFace::Form, points, bold) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty()) lines.push_back(line);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

// The texts of an amount for its cells: the whole part right-aligned in whole
// cells, the fraction padded with "0" in frac cells. A value of 0 is empty.
std::pair<QString, QString> SplitAmount(const std::string& text, int whole, int frac) {
    if (IsZeroText(text)) return {};
    std::string value = text;
    for (char& c : value) {
        if (c == ',') c = '.';
    }
    const size_t point = value.find('.');
    std::string left = value.substr(0, point);
    std::string right = point == std::string::npos ? std::string() : value.substr(point + 1);
    if (left.empty()) left.push_back('0');
    if (static_cast<int>(left.size()) > whole) return {QString(whole, '*'), QString(frac, '*')};
    right.resize(static_cast<size_t>(frac), '0');
    return {QString(whole - static_cast<int>(left.size()), ' ') + Q(left), Q(right)};
}

const kTSheetBlock kEmpty;

void Section(Drawer& d, const QString& title, bool kopecksHeading,
             std::initializer_list<std::pair<const char*, std::initializer_list<Row>>> parts) {
    d.OpenPage(1);
    d.block = &d.Sheet().Totals;
    double y = d.Title(2, title, 10) + 1;
    mbRamkaTit(*d.b, 10, y, kopecksHeading);
    y += 7;
    int number = 1;
    for (const auto& [heading, rows] : parts) {
        if (heading != nullptr && *heading != '\0') {
            d.Heading(y + 0.5, Q(heading));
            y += 5.5;
        }
        for (const Row& row : rows) y = d.TableRow(y, number++, row);
    }
    d.ClosePage();
}
// The rate of a sheet in the two cells of line 001: on sheet А after the
// title, whose last words name it, as the form has it; on sheet Б on a line of
// its own under the title.
double RateTitle(Drawer& d, const QString& title, bool inTitle) {
    double x = 58;
    double y = 8.5;
    QString code = "001";
    if (inTitle) {
        const std::vector<QString> lines = Wrap(title, 160, 10, true);
        mbLabel(*d.b, 12, 2, true, 10, lines);
        const double last = 2 + static_cast<double>(lines.size() - 1) * LabelLineSpacing(10);
        const double end = 12 + TextWidthMm(lines.back(), FontFace::Form, 10, true);
        mbLabel(*d.b, end + 2, last + 0.5, false, 8, {"(001)"});
        x = end + 11;
        y = last - 0.3;
        mbLabel(*d.b, x + 2 * kCellWidth + 1.5, last, true, 10, {"%"});
    } else {
        d.Title(2, title);
        mbLabel(*d.b, 12, 10, false, 8, {"Налоговая ставка (%)"});
        mbLabel(*d.b, 50, 10, false, 8, {code});
    }
    const std::string rate = d.Text("001");
    const kTSheetValue* v = d.block->Find("001");
    d.b->Tag =
        v != nullptr ? QStringLiteral("%1|001|%2").arg(d.Kind()).arg(Q(v->Origin)) : QString();
    mbSq5(*d.b, x, y, Q(rate == "09" ? std::string(" 9") : rate), 2);
    d.b->Tag.clear();
    return std::max(17.0, y + 8.5);
}

// The V mark of a sheet whose income is from Russia (1) or from abroad (2).
double OriginTitle(Drawer& d, const QString& title) {
    // The marks sit clear of the title's last line.
    const double y = d.Title(2, title) + 1;
    d.Mark(20, y, "001", "1", "1 - источник в Российской Федерации");
    d.Mark(110, y, "001", "2", "2 - источник за пределами Российской Федерации");
    return y + 8;
}

}  // namespace zorv::form
