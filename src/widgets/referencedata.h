#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zorv {

struct TCodeName {
    QString code;
    QString name;
};

// The reference files, in the program's files folder (shell/programfiles.h).
inline constexpr const char* kInspectionFile = "InspectionNumbers.xml";
inline constexpr const char* kCountryFile = "Oksm.xml";
inline constexpr const char* kActivityFile = "Sp_OKVED2.xml";
inline constexpr const char* kRateFile = "CurrencyRates.xml";

struct TReferenceData {
    std::vector<TCodeName> inspections;  // empty: the inspection lookup is off
    std::vector<TCodeName> countries;    // empty: the country lookup is off
    QString activityXml;                 // the activity codes, decoded; empty when missing
    QString rateXml;                     // the exchange rates, decoded; empty when missing
    QStringList problems;                // one line per file that is missing or unreadable

    bool HaveInspections() const { return !inspections.empty(); }
    bool HaveCountries() const { return !countries.empty(); }
};

// The text of an XML file in windows-1251 or UTF-8 (as its declaration says),
// checked to be well formed. False with a reason when it is not.
bool ReadXmlText(const QString& path, QString& text, QString& error);

// A list file: one entry per child element of the root, the code in the
// attribute "Code" and the name as the element's text.
bool ReadCodeList(const QString& path, std::vector<TCodeName>& list, QString& error);

// Reads the four files of `folder`; whatever is missing or damaged is left
// empty and named in `problems`.
TReferenceData LoadReferenceData(const QString& folder);

}  // namespace zorv
