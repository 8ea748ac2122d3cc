#pragma once

// Building the element tree of the declaration file: the writer that every
// value passes through, and the three parts of the tree.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calc/sheetlines.h"
#include "export/xmlengine.h"
#include "storage/money.h"

namespace zorv {

class mTDeclaration;
class kTSvodSum;

// The declaration holds something the file cannot carry; the message says what
// and where, for the user to correct.
class ExportRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text without blanks and control characters at either end.
std::string_view TrimmedText(std::string_view text);
bool IsBlank(std::string_view text);

// Every "," replaced by "." in the trimmed text: amounts already held as text.
std::string DotDecimal(std::string_view text);

// "0" put in front until the text has width characters.
std::string ZeroFilled(std::string text, size_t width);

// The characters of a UTF-8 text, each counted once as in a single-byte code page.
size_t CharacterCount(std::string_view text);
// count characters from the character at start (counted from 0); shorter at the end.
std::string_view CharacterRange(std::string_view text, size_t start, size_t count);

// The signer's name split into surname, given name and patronymic; an empty
// surname or given name is one blank, an empty patronymic is left out.
struct SplitName {
    std::string surname;
    std::string given;
    std::string patronymic;
};
SplitName SplitRepresentativeName(std::string_view name);

// Creates the elements and sets the attributes of the tree. Each value has its
// control characters replaced by blanks and must be writable in windows-1251;
// a value that is not raises ExportRefused naming the element and attribute.
class XmlTreeWriter {
  public:
    explicit XmlTreeWriter(XmlDocument& document) : document_(document) {}

    XmlElement Add(XmlElement parent, const char* name);
    // Created but appended by the caller (an element kept only when it gets content).
    XmlElement Create(const char* name) { return document_.CreateElement(name); }

    void Text(XmlElement element, const char* name, std::string_view value);
    // Only when the trimmed value is not empty; the value is written as stored.
    void TextIfAny(XmlElement element, const char* name, std::string_view value);
    void Kopecks(XmlElement element, const char* name, Money amount);
    void Limited(XmlElement element, const char* name, Money amount);
    // Kopecks or whole rubles, as the amount's cells on the paper form.
    void Amount(XmlElement element, const char* name, Money amount, CellPattern cells);
    // One line of a sheet under its attribute.
    template <class Sheet>
    void Line(XmlElement element, const Sheet& sheet, const SheetLine<Sheet>& line) {
        Amount(element, line.xmlAttribute, sheet.*(line.member), line.cells);
    }
    template <class Sheet>
    void Line(XmlElement element, const Sheet& sheet, SheetLines<Sheet> lines,
              Money Sheet::*member) {
        Line(element, sheet, LineOf(lines, member));
    }
    // Every line of the sheet that the file carries, in the order of the table.
    template <class Sheet>
    void Lines(XmlElement element, const Sheet& sheet, SheetLines<Sheet> lines) {
        for (const SheetLine<Sheet>& line : lines) {
            if (line.xmlAttribute != nullptr) Line(element, sheet, line);
        }
    }
    void Date(XmlElement element, const char* name, double dayNumber);
    void Year(XmlElement element, const char* name, double dayNumber);
    void Number(XmlElement element, const char* name, int64_t value);

    // The payer of an income row: ИстФЛИн for a person (INN not of 10 characters
    // and no KPP), otherwise ИстЮЛ.
    void Source(XmlElement parent, std::string_view inn, std::string_view kpp,
                std::string_view name);

  private:
    XmlDocument& document_;
};

// Part of the tree under Документ: its attributes, the taxpayer and the signer.
void BuildTaxpayer(XmlTreeWriter& w, XmlElement document, const mTDeclaration& d, double today);
// НДФЛ3: the bases by rate, the income and deduction details, the payment rows.
void BuildTotals(XmlTreeWriter& w, XmlElement document, const mTDeclaration& d, const kTSvodSum& s);
// The deduction half of СведДохВыч.
void BuildDeductionDetails(XmlTreeWriter& w, XmlElement details, const mTDeclaration& d,
                           const kTSvodSum& s);

}  // namespace zorv
