#include "report/applicationsheets.h"

#include <QStringList>
#include <algorithm>

#include "model/declaration.h"
#include "model/refund.h"
#include "report/amountwords.h"
#include "report/refundapplication.h"
#include "storage/daynumber.h"

namespace zorv {
namespace {

constexpr double kLeft = 20;
constexpr double kRight = 195;
constexpr int kBodyPoints = 10;

// The words of a text in lines no wider than width mm; a word longer than a line
// stands alone on its line.
std::vector<QString> Wrapped(const QString& text, double width, int points, bool bold = false) {
    std::vector<QString> lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && TextWidthMm(longer, FontFace::Form, points, bold) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty() || lines.empty()) lines.push_back(line);
    return lines;
}

// A paragraph from (x, y); gives the y below it.
double Paragraph(kTBand& b, double x, double y, double width, const QString& text,
                 int points = kBodyPoints, bool bold = false) {
    const std::vector<QString> lines = Wrapped(text, width, points, bold);
    const double spacing = LabelLineSpacing(points) + 1.2;
    for (size_t k = 0; k < lines.size(); ++k)
        mbLabel(b, x, y + static_cast<double>(k) * spacing, bold, points, {lines[k]});
    return y + static_cast<double>(lines.size()) * spacing;
}

void Centred(kTBand& b, double y, const QString& text, int points, bool bold) {
    const double width = TextWidthMm(text, FontFace::Form, points, bold);
    mbLabel(b, (kPaperWidth - width) / 2, y, bold, points, {text});
}

// "12 345,00": rubles in groups of three, kopecks after a comma.
QString Figures(Money amount) {
    const int64_t kopecks = (amount.Raw() + 50) / 100;
    QString rubles = QString::number(kopecks / 100);
    for (int i = rubles.size() - 3; i > 0; i -= 3) rubles.insert(i, ' ');
    return rubles + ',' + QString::number(kopecks % 100).rightJustified(2, '0');
}

QString Capitalised(const std::string& text) {
    QString q = Q(text);
    if (!q.isEmpty()) q[0] = q[0].toUpper();
    return q;
}

// A caption and a row of cells beside it.
void CellRow(kTBand& b, double y, const QString& caption, const std::string& value, int cells) {
    mbLabel(b, kLeft, y + 1.5, false, 9, {caption});
    mbSq5(b, 80, y, Q(value), cells);
}

void SignatureRows(kTBand& b, double y, double date, bool printDate, const std::string& name) {
    mbLabel(b, kLeft, y + 1.5, false, 9, {"Дата"});
    mbDate(b, 32, y, printDate ? Q(DateText(date)) : QString());
    mbLabel(b, 85, y + 1.5, false, 9, {"Подпись"});
    mbRek(b, 102, y + 6, 35, false, QString());
    mbRek(b, 140, y + 6, kRight - 140, false, Q(name));
    mbLabel(b, 150, y + 7.5, false, 6, {"(фамилия, инициалы)"});
}

}  // namespace

void ComposeApplication(TQz2004Report& report, const kTRefundApplication& a, bool printDate) {
    kTBand& b = report.AddBand(kPaperHeight, true);

    // To whom and from whom, at the top right.
    constexpr double kAddressX = 105;
    const double addressWidth = kRight - kAddressX;
    QString inspection =
        a.InspectionName.empty() ? QString("В налоговый орган") : "В " + Q(a.InspectionName);
    if (!a.InspectionCode.empty()) inspection += " (код " + Q(a.InspectionCode) + ")";
    double y = Paragraph(b, kAddressX, 20, addressWidth, inspection, 9);
    y = Paragraph(b, kAddressX, y + 2, addressWidth, "от " + Q(a.FullName), 9);
    y = Paragraph(b, kAddressX, y, addressWidth, "ИНН " + Q(a.INN), 9);
    y = Paragraph(b, kAddressX, y, addressWidth, "адрес: " + Q(a.Address), 9);

    y = std::max(y + 12, 75.0);
    Centred(b, y, "ЗАЯВЛЕНИЕ", 12, true);
    Centred(b, y + 6.5, "о возврате излишне уплаченного налога на доходы физических лиц", 10, true);

    const QString year = Q(a.Year);
    y = Paragraph(b, kLeft, y + 18, kRight - kLeft,
                  "В соответствии со статьей 78 Налогового кодекса Российской Федерации прошу "
                  "вернуть излишне уплаченный налог на доходы физических лиц за " +
                      year + " год в сумме " + Figures(a.Amount) + " руб. (" +
                      Capitalised(AmountInWords(a.Amount)) + ").");
    y = Paragraph(b, kLeft, y + 2, kRight - kLeft,
                  "Основание: налоговая декларация по налогу на доходы физических лиц (форма "
                  "3-НДФЛ) за " +
                      year + " год.");

    y += 5;
    CellRow(b, y, "Код бюджетной классификации", a.BudgetCode, 20);
    CellRow(b, y + 9, "Код ОКАТО", a.OKATO, 11);

    y = Paragraph(b, kLeft, y + 22, kRight - kLeft, "Сумму прошу перечислить на мой счет:");
    mbLabel(b, kLeft, y + 2.5, false, 9, {BankFieldCaption(BankField::BankName)});
    mbRek(b, 80, y + 6, kRight - 80, false, Q(a.Bank.BankName));
    y += 10;
    CellRow(b, y, BankFieldCaption(BankField::Bik), a.Bank.Bik, 9);
    CellRow(b, y + 9, BankFieldCaption(BankField::CorrAccount), a.Bank.CorrAccount, 20);
    CellRow(b, y + 18, QString(BankFieldCaption(BankField::Account)) + " получателя",
            a.Bank.Account, 20);
    mbLabel(b, kLeft, y + 29.5, false, 9, {"Получатель (владелец счета)"});
    mbRek(b, 80, y + 33, kRight - 80, false, Q(a.Bank.Recipient));

    y = Paragraph(b, kLeft, y + 45, kRight - kLeft,
                  "Приложение: налоговая декларация по форме 3-НДФЛ за " + year +
                      " год и документы по описи.");
    SignatureRows(b, y + 12, a.Date, printDate, a.ShortName);
}

void ComposeDocumentList(TQz2004Report& report, const mTDeclaration& d, bool printDate,
                         const std::string& signer) {
    const std::vector<mTAttachedDocument> ticked = TickedDocuments(d);
    if (ticked.empty()) return;
    const mTPersonInformation& p = d.Person;
    const QString name = Q(p.SurName + " " + p.Name + " " + p.Patronymic).simplified();

    kTBand& head = report.AddBand(52, true);
    Centred(head, 20, "ОПИСЬ", 12, true);
    Centred(head, 26.5, "документов, прилагаемых к налоговой декларации по налогу на доходы", 10,
            true);
    Centred(head, 31.5, "физических лиц (форма 3-НДФЛ) за " + Q(d.Year) + " год", 10, true);
    Paragraph(head, kLeft, 39, kRight - kLeft,
              "Налогоплательщик: " + name + (p.INN.empty() ? QString() : ", ИНН " + Q(p.INN)), 9);

    // The table: number, title, sheets.
    constexpr double kTitleX = 32;
    constexpr double kSheetsX = 168;
    auto frame = [&](kTBand& b, double height) {
        b.AddRect(kLeft, 0, kRight - kLeft, height);
        b.AddVLine(kTitleX, 0, height, PenStyle::Solid);
        b.AddVLine(kSheetsX, 0, height, PenStyle::Solid);
    };
    kTBand& columns = report.AddBand(8);
    frame(columns, 8);
    mbLabel(columns, kLeft + 1.5, 2, true, 7, {"№ п/п"});
    mbLabel(columns, kTitleX + 2, 2, true, 7, {"Наименование документа"});
    mbLabel(columns, kSheetsX + 1.5, 2, true, 7, {"Число листов"});

    uint32_t sheets = 0;
    for (size_t i = 0; i < ticked.size(); ++i) {
        const std::vector<QString> lines =
            Wrapped(Q(ticked[i].Title), kSheetsX - kTitleX - 4, kBodyPoints - 1);
        const double spacing = LabelLineSpacing(kBodyPoints - 1) + 0.8;
        const double height = static_cast<double>(lines.size()) * spacing + 3;
        kTBand& row = report.AddBand(height);
        frame(row, height);
        mbLabel(row, kLeft + 2, 1.5, false, 9, {QString::number(i + 1)});
        for (size_t k = 0; k < lines.size(); ++k)
            mbLabel(row, kTitleX + 2, 1.5 + static_cast<double>(k) * spacing, false, 9, {lines[k]});
        mbLabel(row, kSheetsX + 2, 1.5, false, 9, {QString::number(ticked[i].Sheets)});
        sheets += ticked[i].Sheets;
    }
    kTBand& total = report.AddBand(30);
    mbLabel(total, kTitleX + 2, 3, true, 9, {"Всего листов"});
    mbLabel(total, kSheetsX + 2, 3, true, 9, {QString::number(sheets)});
    SignatureRows(total, 14, d.DocumentDate(mTDeclaration::Today()), printDate, signer);
}

std::vector<kTPage> RefundApplicationPages(const mTDeclaration& d, bool printDate) {
    const std::vector<kTRefundApplication> applications = RefundApplications(d);
    if (applications.empty()) return {};
    TQz2004Report report;
    for (const kTRefundApplication& a : applications) ComposeApplication(report, a, printDate);
    ComposeDocumentList(report, d, printDate, applications.front().ShortName);
    return report.Pages();
}

}  // namespace zorv
