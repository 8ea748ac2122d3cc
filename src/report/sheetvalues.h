#pragma once

// The values the 3-NDFL sheets print, by sheet kind and line code, as texts in
// the form the declaration file writes them ("1234.50", "1234", "14.03.2008",
// "840", a name). Two feeders fill them: the declaration file itself (what the
// desktop program and `zorv print` print, on the form of 2008: form2008.h) and
// the report library's own totals (its own sheets: formsheets.h). Both drawings
// share the drawer of sheetdrawer.h.

#include <array>
#include <string>
#include <vector>

#include "report/pageplan.h"

namespace zorv {

struct kTSheetValue {
    std::string Code;  // the line code on the form: "010"; a name for texts of a block
    std::string Text;  // as in the file
    std::string Origin;  // where the file holds it: "Файл:0/Документ:0/…@Attribute"; may be empty
};

// The values of one record of a list sheet, or of a whole single sheet.
struct kTSheetBlock {
    int Group = 0;  // the part of the sheet the block belongs to (sheets Ж2, З, И, К3, К4)
    std::vector<kTSheetValue> Values;

    const kTSheetValue* Find(const std::string& code) const;
    std::string Text(const std::string& code) const;
    void Set(const std::string& code, const std::string& text, const std::string& origin = {});
    bool Empty() const { return Values.empty(); }
};

struct kTSheetData {
    std::vector<kTSheetBlock> Blocks;  // records of a list sheet, in list order
    kTSheetBlock Totals;               // lines that are not per record
    bool Present = false;              // the file (or the totals) has this sheet

    std::vector<const kTSheetBlock*> Group(int group) const;
};

// Whose line codes the values take where the two forms differ (sheet Г / Г1):
// the report library's own sheets or the form of 2008.
enum class FormEdition { Library, Form2008 };

struct kTSheetValues {
    std::array<kTSheetData, kSheetKindCount + 1> Sheets{};  // by sheet kind; 0 unused

    kTSheetData& operator[](int kind) { return Sheets.at(static_cast<size_t>(kind)); }
    const kTSheetData& operator[](int kind) const { return Sheets.at(static_cast<size_t>(kind)); }
};

// Раздел 3 of the form of 2008: the tax withheld in excess from the income that
// is not taxed (the file's УдержОбщЛиш), printed after the tax withheld (050).
inline constexpr const char* kWithheldOnExemptCode = "055";

// Sheet kinds by name, as in the page order.
enum kTSheetKindNo : int {
    kKindR1 = 3,
    kKindR2,
    kKindR3,
    kKindR4,
    kKindR5,
    kKindR6,
    kKindA9,
    kKindA13,
    kKindA30,
    kKindA35,
    kKindB9,
    kKindB13,
    kKindB35,
    kKindV1,
    kKindV2,
    kKindG,
    kKindD,
    kKindDForeign,
    kKindE,
    kKindEForeign,
    kKindZh1,
    kKindZh2,
    kKindZh2Foreign,
    kKindZ,
    kKindI,
    kKindK1,
    kKindK2,
    kKindK3,
    kKindK4,
    kKindL,
    kKindR15,  // the form of 2008: Раздел 5, dividends of non-residents at 15 %
    kKindA15,  // the form of 2008: Лист А at 15 %
    kKindG2,   // the form of 2008: Лист Г2, tax withheld from exempt material benefit
};

// The codes of a source's values and of a group's results on sheets З and И.
// The form numbers the lines of its first part (securities traded on the
// organised market, group 1) from 010; the values of the other groups keep the
// names of their attributes in the file and print without a line code.
struct kTSecurityCodes {
    const char* INN;
    const char* KPP;
    const char* Name;
    const char* Income;  // the proceeds of the source
    const char* Loss;    // the source's loss
    const char* Profit;  // the source's taxable income
};
const kTSecurityCodes& SecurityCodes(int kind, int group);
// A group's result attributes in the file, in the order of the form.
inline constexpr const char* kSecurityResults[] = {"СумУбытВсИст", "СумУбытВыч", "СумОблДохВсИст",
                                                   "НалБазаОпер", "СумУбытУчРасч"};
// The code of a group's result attribute ("СумУбытВыч", …): its line code on
// the form, or "group.attribute".
std::string SecurityResultCode(int kind, int group, const std::string& attribute);

// Sheets З and И print the groups present in the file on every page of their
// sources, at most this many groups to a page; the further groups of a page of
// sources follow on the next page.
inline constexpr int kSecurityGroupsPerPage = 3;
// The pages one page of sources takes for the given number of groups.
int SecurityGroupSpread(size_t groups);

// Records per page of a list sheet; 0 for a sheet of one page.
int BlocksPerPage(int kind);
// The pages a sheet takes for its values: 0 when it is not present.
int PagesOfValues(const kTSheetValues& values, int kind);

// The page plan of a 3-NDFL declaration printed from its values on the form of
// 2008: the title page, page 002 and every section and sheet the values hold,
// in the form's page order.
kTPagePlan PlanOfValues(const kTSheetValues& values);

// True for a value that prints no characters: empty, or an amount of 0.
bool IsZeroText(const std::string& text);

}  // namespace zorv
