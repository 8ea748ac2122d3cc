#include "model/person.h"

#include "model/imagefields.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"

namespace zorv {

int DocumentYear(const std::string& typeName) {
    for (int year = 2004; year <= 2008; ++year) {
        if (typeName == "Zorv" + std::to_string(year)) return year;
    }
    return 0;
}

// The layout of the year that wrote the document: the writer writes this year's,
// the reader reads the values each earlier year had.
template <typename R, typename V>
void PersonImage(R& p, V& v) {
    const int year = DocumentYear(v.TypeName());
    const bool since2004 = year >= 2004;
    const bool since2005 = year >= 2005;

    v.Stream("@PersonName");
    v.Text(p.SurName);
    v.Text(p.Name);
    v.Text(p.Patronymic);
    v.Text(p.INN);
    if (since2004) {
        v.Text(p.InsuranceNumber);
        v.Text(p.Sex);
    } else {
        v.Missing(p.Sex, "0");
    }

    v.Stream("@PersonDocument");
    v.Short(p.DocTypeCode);
    v.Text(p.DocTypeName);
    v.Text(p.DocNumber);
    v.Date(p.DocIssueDate);
    v.Date(p.BirthDate);
    if (since2004) {
        v.Text(p.DocIssuedBy);
        v.Text(p.BirthPlace);
    }
    // Not read from documents of 2004 and 2007, although those of 2007 may hold it.
    if (year == 2005 || year == 2006 || year == 2008) v.Byte(p.IsForeigner);

    v.OptionalStreams([&] {
        v.Stream("@Foreigner");
        v.Text(p.CitizenshipKind);
        v.Text(p.CitizenshipName);
        if (since2004) {
            v.Text(p.ForeignAddress);
            v.Text(p.CitizenshipCode);
        }
        if (since2005) {
            v.Stream("@PhoneForeignerHome");
            v.Text(p.ForeignHomePhone1);
            v.Text(p.ForeignHomePhone2);
            v.Stream("@PhoneForeignerWork");
            v.Text(p.ForeignWorkPhone1);
            v.Text(p.ForeignWorkPhone2);
        }
    });

    v.Stream("@PersonAddress");
    if (since2005) v.Byte(p.IsTemporaryAddress);
    v.Text(p.PostIndex);
    v.Short(p.RegionCode);
    v.Text(p.RegionName);
    v.Text(p.District);
    v.Text(p.City);
    v.Text(p.Locality);
    v.Text(p.Street);
    v.Text(p.House);
    v.Text(p.Building);
    v.Text(p.Flat);
    if (since2005) {
        v.Text(p.OKATO);
        v.Stream("@HomePhone");
        v.Text(p.HomePhoneExtra);
        v.Text(p.HomePhone);
        v.Stream("@WorkPhone");
        v.Text(p.WorkPhoneExtra);
        v.Text(p.WorkPhone);
    }
}

void mTPersonInformation::Write(mTDocumentStorage& s) const {
    WriteFields(s, context::kPersonWrite, [&](auto& v) { PersonImage(*this, v); });
}
void mTPersonInformation::Read(mTDocumentStorage& s) {
    ReadFields(s, context::kPersonRead, [&](auto& v) { PersonImage(*this, v); });
}
size_t mTPersonInformation::ComputeSize() const {
    return FieldsSize([&](auto& v) { PersonImage(*this, v); });
}

}  // namespace zorv
