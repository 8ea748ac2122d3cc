#pragma once

// Sheet Л of form 3-NDFL: the property deduction for building or buying a
// dwelling (article 220, item 1, sub-item 2).

#include "calc/sheetlines.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/money.h"

namespace zorv {

class kTSvodSum;

class kTSvodSumPrilZ {
  public:
    double Share = 0;  // the taxpayer's share of ownership
    Money L080;        // 1.7: expenses within the limit
    Money L090;        // 1.8: interest paid on target loans
    Money L100;        // 2.1: expense deduction of earlier years = 110 + 120
    Money L110;        //      of it, on declarations
    Money L120;        //      of it, by a tax agent
    Money L130;        // 2.2: interest deduction of earlier years = 140 + 150
    Money L140;        //      of it, on declarations
    Money L150;        //      of it, by a tax agent
    Money L160;        // 2.3: expense remainder from the previous year
    Money L170;        // 2.4: interest remainder from the previous year
    Money L180;        // 2.5: expense deduction by a tax agent this year
    Money L190;        // 2.6: interest deduction by a tax agent this year
    Money L200;        // 2.7: 13 % base after the other deductions
    Money L210;        // 2.8: expenses accepted this year
    Money L220;        // 2.9: interest accepted this year
    Money L230;        // 2.10: expense remainder carried to the next year
    Money L240;        // 2.11: interest remainder carried to the next year

    void Clear();
    bool Compute(mTDeclaration& d, kTSvodSum& s);
};

// The amounts of sheet Л, lines 080-240; the object and its share (010-070) are
// the declaration's. In the file lines 080 and 090 describe the object and the
// others make up the calculation.
inline constexpr SheetLine<kTSvodSumPrilZ> kSheetLLines[] = {
    {"080", &kTSvodSumPrilZ::L080, "L080", "СумРасхФакт", kKopecks},
    {"090", &kTSvodSumPrilZ::L090, "L090", "СумФактУплПроц", kKopecks},
    {"100", &kTSvodSumPrilZ::L100, "L100", "ВычНовЗачПред", kKopecks},
    {"110", &kTSvodSumPrilZ::L110, "L110", "ВычНовЗачПредНД", kKopecks},
    {"120", &kTSvodSumPrilZ::L120, "L120", "ВычНовЗачПредУп", kKopecks},
    {"130", &kTSvodSumPrilZ::L130, "L130", "ВычПроцЗачПред", kKopecks},
    {"140", &kTSvodSumPrilZ::L140, "L140", "ВычПроцЗачПредНД", kKopecks},
    {"150", &kTSvodSumPrilZ::L150, "L150", "ВычПроцЗачПредУп", kKopecks},
    {"160", &kTSvodSumPrilZ::L160, "L160", "РасхНовПршПред", kKopecks},
    {"170", &kTSvodSumPrilZ::L170, "L170", "ПроцПршПред", kKopecks},
    {"180", &kTSvodSumPrilZ::L180, "L180", "ВычНовУвед", kKopecks},
    {"190", &kTSvodSumPrilZ::L190, "L190", "ПроцУвед", kKopecks},
    {"200", &kTSvodSumPrilZ::L200, "L200", "НалБаз13БезВыч", kKopecks},
    {"210", &kTSvodSumPrilZ::L210, "L210", "РасхНовЗачНД", kKopecks},
    {"220", &kTSvodSumPrilZ::L220, "L220", "ПроцЗачНД", kKopecks},
    {"230", &kTSvodSumPrilZ::L230, "L230", "РасхДокПрхСлед", kKopecks},
    {"240", &kTSvodSumPrilZ::L240, "L240", "ПроцПрхСлед", kKopecks},
};

Json ToJson(const kTSvodSumPrilZ& sheet);

}  // namespace zorv
