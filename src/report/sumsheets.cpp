// The report library's own values of the 3-NDFL sheets: its totals (with the
// library's own rules) written through the same tree as the declaration file,
// then read as the file is read, so both compositions print alike.

#include "report/sumsheets.h"

#include "calc/incomesheets.h"
#include "export/xmlengine.h"
#include "export/xmltree.h"
#include "model/numtext.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/xmlsheets.h"

namespace zorv {

void AddPrivatePractice(kTSheetValues& values, const kTDanLog& data, const kTRepSvodSum& sums) {
    const mTDeclaration& d = data.Declaration;
    if (!d.HasIncome(kIncomeRepetit) || d.RepetitCount() == 0) return;
    kTSheetData& v2 = values[kKindV2];
    v2 = kTSheetData();
    v2.Present = true;
    for (size_t i = 0; i < d.RepetitCount(); ++i) {
        kTSheetBlock b;
        b.Set("010", d.Repetit(i).Name);
        v2.Blocks.push_back(std::move(b));
    }
    for (const SheetLine<kTSheetVTotals>& line : kSheetV2Lines) {
        const Money amount = sums.Core.PrivatePractice.*(line.member);
        v2.Totals.Set(line.code, line.cells == CellPattern::WholeRubles
                                     ? MoneyToLimitedText(amount)
                                     : MoneyToKopeckText(amount));
    }
}

kTSheetValues SheetValuesFromSums(const kTDanLog& data, const kTRepSvodSum& sums) {
    if (data.IsEstimatedIncome()) return {};
    XmlDocument document;
    document.LoadFromText("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Файл/>");
    XmlTreeWriter writer(document);
    XmlElement body = writer.Add(document.Root(), "Документ");
    BuildTotals(writer, body, data.Declaration, sums.Core);
    kTSheetValues values = SheetValuesFromXml(QByteArray::fromStdString(document.Serialise()));

    // Section 5 as the library nets it.
    values[kKindR5].Present = true;
    kTSheetBlock& r5 = values[kKindR5].Totals;
    r5.Set("010", MoneyToLimitedText(sums.Section5.L010));
    r5.Set("020", MoneyToLimitedText(sums.Section5.L020));
    r5.Set("030", MoneyToLimitedText(sums.Section5.L030));
    r5.Set("040", MoneyToLimitedText(sums.Section5.L040));

    AddPrivatePractice(values, data, sums);
    return values;
}

}  // namespace zorv
