#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "storage/daynumber.h"

namespace zorv {

class mTDocumentStorage;

// The values of Sex.
inline constexpr const char* kSexMale = "0";
inline constexpr const char* kSexFemale = "1";

// The taxpayer: name, tax number, identity document, birth data, citizenship,
// addresses and telephones. The only part of an earlier year's document that is
// carried over, so its reader knows the layouts of 2004 to 2007 as well.
class mTPersonInformation {
  public:
    std::string SurName;
    std::string Name;
    std::string Patronymic;
    std::string INN;
    std::string InsuranceNumber;
    std::string Sex = kSexMale;
    uint16_t DocTypeCode = 0;
    std::string DocTypeName;
    std::string DocNumber;
    double DocIssueDate = DayNumber(1990, 1, 1);
    double BirthDate = DayNumber(1977, 1, 1);
    std::string DocIssuedBy;
    std::string BirthPlace;
    uint8_t IsForeigner = 0;
    std::string CitizenshipKind;
    std::string CitizenshipName = "РОССИЯ";
    std::string ForeignAddress;
    std::string CitizenshipCode = "643";
    uint8_t IsTemporaryAddress = 0;
    std::string PostIndex;
    uint16_t RegionCode = 0;
    std::string RegionName;
    std::string District;
    std::string City;
    std::string Locality;
    std::string Street;
    std::string House;
    std::string Building;
    std::string Flat;
    std::string OKATO;
    std::string HomePhoneExtra;
    std::string HomePhone;
    std::string WorkPhoneExtra;
    std::string WorkPhone;
    std::string ForeignHomePhone1;
    std::string ForeignHomePhone2;
    std::string ForeignWorkPhone1;
    std::string ForeignWorkPhone2;

    void Write(mTDocumentStorage& storage) const;
    // Reads by the rules of the year that wrote the document (its type name).
    void Read(mTDocumentStorage& storage);
    size_t ComputeSize() const;
};

// 2004 to 2008 for "Zorv2004" ... "Zorv2008", 0 for any other type name.
int DocumentYear(const std::string& typeName);

}  // namespace zorv
