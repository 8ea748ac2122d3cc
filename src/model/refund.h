#pragma once

// What a refund of overpaid tax needs beside the declaration: the taxpayer's
// bank details, for the application for the refund, and the documents handed in
// with the declaration (each ticked by the user with its number of sheets).
//
// Both are kept in the document in a stream of their own, "@Refund", written
// after every other stream and only when there is something in it, so that a
// document without them is the same bytes as before. A reader that does not
// know the stream never opens it: it finds streams by name and reads only the
// ones it knows.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv {

class mTDocumentStorage;

inline constexpr size_t kBikDigits = 9;
inline constexpr size_t kAccountDigits = 20;

enum class BankField { BankName, Bik, CorrAccount, Account, Recipient };

// The taxpayer's bank account the refund goes to.
struct mTBankDetails {
    std::string BankName;
    std::string Bik;          // 9 digits
    std::string CorrAccount;  // the bank's correspondent account, 20 digits
    std::string Account;      // the taxpayer's account, 20 digits
    std::string Recipient;    // the account holder

    // The keys of the fields in the JSON form, in the order of kBankFields.
    static constexpr const char* kJsonKeys[] = {"BankName", "Bik", "CorrAccount", "Account",
                                                "Recipient"};

    bool IsEmpty() const;
    std::string& Field(BankField field);
    const std::string& Field(BankField field) const;
};

inline constexpr BankField kBankFields[] = {BankField::BankName, BankField::Bik,
                                            BankField::CorrAccount, BankField::Account,
                                            BankField::Recipient};

// The field's name as the user sees it ("БИК", "Расчетный счет", ...).
const char* BankFieldCaption(BankField field);

// The control key of an account number, by the Bank of Russia's procedure
// "Порядок расчета контрольного ключа в номере лицевого счета" (approved
// 08.09.1997, No. 515): the three digits of the bank's conventional number
// followed by the 20 digits of the account are multiplied by the weights
// 7, 1, 3, 7, 1, 3, ... and the account is right when the sum of the products
// ends in 0. The conventional number is the last three digits of the БИК for an
// account held in a credit institution, and "0" with the 5th and 6th digits of
// the БИК for the correspondent account (held in the Bank of Russia's
// settlement centre). Both arguments must be digits only.
bool ControlKeyMatches(std::string_view conventionalNumber, std::string_view account);
// The conventional numbers taken from a БИК of 9 digits.
std::string ClientConventionalNumber(std::string_view bik);
std::string CorrespondentConventionalNumber(std::string_view bik);

// What is wrong with one field; empty when it is right or empty (a field not
// yet filled in is not wrong). An account is checked against the БИК only when
// the БИК itself is right.
std::string BankFieldIssue(const mTBankDetails& bank, BankField field);
// The same, as a message naming the field.
std::string BankFieldProblem(const mTBankDetails& bank, BankField field);
// The first wrong field, with its message.
struct BankProblem {
    BankField field;
    std::string message;
};
std::optional<BankProblem> FirstBankProblem(const mTBankDetails& bank);

// One document to attach: its title names it (and the payer, the contract or the
// object it belongs to), ticked when the user has it ready, with its sheets.
struct mTAttachedDocument {
    std::string Title;
    uint8_t Ticked = 0;
    uint32_t Sheets = 0;

    bool operator==(const mTAttachedDocument&) const = default;
};

class mTRefundData {
  public:
    mTBankDetails Bank;
    std::vector<mTAttachedDocument> Documents;

    bool IsEmpty() const { return Bank.IsEmpty() && Documents.empty(); }
    void AddDocument(const mTAttachedDocument& document) { Documents.push_back(document); }
    // The stored state of the document of this title; nullptr when none.
    const mTAttachedDocument* FindDocument(const std::string& title) const;

    // Nothing is written, and nothing counted, for empty data; a document
    // without the stream reads as empty.
    void Write(mTDocumentStorage& storage) const;
    void Read(mTDocumentStorage& storage);
    size_t ComputeSize() const;
};

}  // namespace zorv
