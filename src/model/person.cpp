#include "person.h"

#include "documentstorage.h"
#include "errors.h"
#include "streamnames.h"

namespace zorv {

int DocumentYear(const std::string& typeName) {
    for (int year = 2004; year <= 2008; ++year) {
        if (typeName == "Zorv" + std::to_string(year)) return year;
    }
    return 0;
}

void mTPersonInformation::Write(mTDocumentStorage& s) const {
    WithContext(context::kPersonWrite, [&] {
        s.BeginStream("@PersonName");
        for (const std::string* text : {&SurName, &Name, &Patronymic, &INN, &InsuranceNumber, &Sex}) {
            s.WriteStr(*text);
        }
        s.BeginStream("@PersonDocument");
        s.WriteShort(DocTypeCode);
        s.WriteStr(DocTypeName);
        s.WriteStr(DocNumber);
        s.WriteDate(DocIssueDate);
        s.WriteDate(BirthDate);
        s.WriteStr(DocIssuedBy);
        s.WriteStr(BirthPlace);
        s.WriteByte(IsForeigner);
        s.BeginStream("@Foreigner");
        for (const std::string* text :
             {&CitizenshipKind, &CitizenshipName, &ForeignAddress, &CitizenshipCode}) {
            s.WriteStr(*text);
        }
        s.BeginStream("@PhoneForeignerHome");
        s.WriteStr(ForeignHomePhone1);
        s.WriteStr(ForeignHomePhone2);
        s.BeginStream("@PhoneForeignerWork");
        s.WriteStr(ForeignWorkPhone1);
        s.WriteStr(ForeignWorkPhone2);
        s.BeginStream("@PersonAddress");
        s.WriteByte(IsTemporaryAddress);
        s.WriteStr(PostIndex);
        s.WriteShort(RegionCode);
        for (const std::string* text : {&RegionName, &District, &City, &Locality, &Street, &House,
                                        &Building, &Flat, &OKATO}) {
            s.WriteStr(*text);
        }
        s.BeginStream("@HomePhone");
        s.WriteStr(HomePhoneExtra);
        s.WriteStr(HomePhone);
        s.BeginStream("@WorkPhone");
        s.WriteStr(WorkPhoneExtra);
        s.WriteStr(WorkPhone);
    });
}

size_t mTPersonInformation::ComputeSize() const {
    using S = mTDocumentStorage;
    size_t size = 0;
    for (const char* name : {"@PersonName", "@PersonDocument", "@Foreigner", "@PhoneForeignerHome",
                             "@PhoneForeignerWork", "@PersonAddress", "@HomePhone", "@WorkPhone"}) {
        size += S::ValueSize(std::string_view(name));
    }
    for (const std::string* text :
         {&SurName, &Name, &Patronymic, &INN, &InsuranceNumber, &Sex, &DocTypeName, &DocNumber,
          &DocIssuedBy, &BirthPlace, &CitizenshipKind, &CitizenshipName, &ForeignAddress,
          &CitizenshipCode, &ForeignHomePhone1, &ForeignHomePhone2, &ForeignWorkPhone1,
          &ForeignWorkPhone2, &PostIndex, &RegionName, &District, &City, &Locality, &Street,
          &House, &Building, &Flat, &OKATO, &HomePhoneExtra, &HomePhone, &WorkPhoneExtra,
          &WorkPhone}) {
        size += S::ValueSize(std::string_view(*text));
    }
    size += S::ValueSize(uint32_t{DocTypeCode}) + S::ValueSize(uint32_t{IsForeigner}) +
            S::ValueSize(uint32_t{IsTemporaryAddress}) + S::ValueSize(uint32_t{RegionCode});
    size += S::DateValueSize(DocIssueDate) + S::DateValueSize(BirthDate);
    return size;
}

void mTPersonInformation::Read(mTDocumentStorage& s) {
    WithContext(context::kPersonRead, [&] {
        const int year = DocumentYear(s.TypeName());
        const bool since2004 = year >= 2004;
        const bool since2005 = year >= 2005;

        s.OpenStream("@PersonName");
        SurName = s.ReadStr();
        Name = s.ReadStr();
        Patronymic = s.ReadStr();
        INN = s.ReadStr();
        if (since2004) {
            InsuranceNumber = s.ReadStr();
            Sex = s.ReadStr();
        } else {
            Sex = "0";
        }

        s.OpenStream("@PersonDocument");
        DocTypeCode = s.ReadShort();
        DocTypeName = s.ReadStr();
        DocNumber = s.ReadStr();
        DocIssueDate = s.ReadDate();
        BirthDate = s.ReadDate();
        if (since2004) {
            DocIssuedBy = s.ReadStr();
            BirthPlace = s.ReadStr();
        }
        if (year == 2005 || year == 2006 || year == 2008) IsForeigner = s.ReadByte();

        // The foreign-person block is optional: a missing stream ends it quietly.
        try {
            s.OpenStream("@Foreigner");
            CitizenshipKind = s.ReadStr();
            CitizenshipName = s.ReadStr();
            if (since2004) {
                ForeignAddress = s.ReadStr();
                CitizenshipCode = s.ReadStr();
            }
            if (since2005) {
                s.OpenStream("@PhoneForeignerHome");
                ForeignHomePhone1 = s.ReadStr();
                ForeignHomePhone2 = s.ReadStr();
                s.OpenStream("@PhoneForeignerWork");
                ForeignWorkPhone1 = s.ReadStr();
                ForeignWorkPhone2 = s.ReadStr();
            }
        } catch (const mEOpenStream&) {
        }

        s.OpenStream("@PersonAddress");
        if (since2005) IsTemporaryAddress = s.ReadByte();
        PostIndex = s.ReadStr();
        RegionCode = s.ReadShort();
        for (std::string* text :
             {&RegionName, &District, &City, &Locality, &Street, &House, &Building, &Flat}) {
            *text = s.ReadStr();
        }
        if (since2005) {
            OKATO = s.ReadStr();
            s.OpenStream("@HomePhone");
            HomePhoneExtra = s.ReadStr();
            HomePhone = s.ReadStr();
            s.OpenStream("@WorkPhone");
            WorkPhoneExtra = s.ReadStr();
            WorkPhone = s.ReadStr();
        }
    });
}

}  // namespace zorv
