#include "model/refund.h"

#include <algorithm>

#include "model/imagefields.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"

namespace zorv {
namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The form of a number field: the digits it needs, or what is wrong.
std::string DigitsProblem(const std::string& value, size_t digits) {
    if (value.size() == digits && AllDigits(value)) return {};
    return "нужно " + std::to_string(digits) + " цифр, введено «" + value + "».";
}

}  // namespace

bool mTBankDetails::IsEmpty() const {
    return std::all_of(std::begin(kBankFields), std::end(kBankFields),
                       [&](BankField f) { return Field(f).empty(); });
}

std::string& mTBankDetails::Field(BankField field) {
    return const_cast<std::string&>(static_cast<const mTBankDetails&>(*this).Field(field));
}

const std::string& mTBankDetails::Field(BankField field) const {
    switch (field) {
        case BankField::BankName:
            return BankName;
        case BankField::Bik:
            return Bik;
        case BankField::CorrAccount:
            return CorrAccount;
        case BankField::Account:
            return Account;
        case BankField::Recipient:
            break;
    }
    return Recipient;
}

const char* BankFieldCaption(BankField field) {
    switch (field) {
        case BankField::BankName:
            return "Наименование банка";
        case BankField::Bik:
            return "БИК";
        case BankField::CorrAccount:
            return "Корреспондентский счет";
        case BankField::Account:
            return "Номер счета";
        case BankField::Recipient:
            break;
    }
    return "Получатель";
}

bool ControlKeyMatches(std::string_view conventionalNumber, std::string_view account) {
    if (conventionalNumber.size() != 3 || account.size() != kAccountDigits) return false;
    if (!AllDigits(conventionalNumber) || !AllDigits(account)) return false;
    static constexpr int kWeights[] = {7, 1, 3};
    const std::string digits = std::string(conventionalNumber) + std::string(account);
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) sum += (digits[i] - '0') * kWeights[i % 3] % 10;
    return sum % 10 == 0;
}

std::string ClientConventionalNumber(std::string_view bik) {
    return bik.size() == kBikDigits ? std::string(bik.substr(6, 3)) : std::string();
}

std::string CorrespondentConventionalNumber(std::string_view bik) {
    return bik.size() == kBikDigits ? "0" + std::string(bik.substr(4, 2)) : std::string();
}

std::string BankFieldIssue(const mTBankDetails& bank, BankField field) {
    const std::string& value = bank.Field(field);
    if (value.empty()) return {};
    switch (field) {
        case BankField::BankName:
        case BankField::Recipient:
            return {};
        case BankField::Bik: {
            std::string problem = DigitsProblem(value, kBikDigits);
            // The first two digits are the country's code, 04 for Russia.
            if (problem.empty() && value.compare(0, 2, "04") != 0) {
                problem = "БИК банка в России начинается с цифр 04.";
            }
            return problem;
        }
        case BankField::CorrAccount:
        case BankField::Account:
            break;
    }
    std::string problem = DigitsProblem(value, kAccountDigits);
    if (!problem.empty() || !BankFieldIssue(bank, BankField::Bik).empty() || bank.Bik.empty()) {
        return problem;
    }
    const bool correspondent = field == BankField::CorrAccount;
    const std::string number = correspondent ? CorrespondentConventionalNumber(bank.Bik)
                                             : ClientConventionalNumber(bank.Bik);
    if (ControlKeyMatches(number, value)) return {};
    return "счет " + value + " не сходится по контрольному ключу с БИК " + bank.Bik +
           ": в номере счета или в БИК ошибка, сверьте их с реквизитами банка.";
}

std::string BankFieldProblem(const mTBankDetails& bank, BankField field) {
    std::string issue = BankFieldIssue(bank, field);
    if (issue.empty()) return issue;
    return std::string("«") + BankFieldCaption(field) + "»: " + issue;
}

std::optional<BankProblem> FirstBankProblem(const mTBankDetails& bank) {
    for (BankField field : kBankFields) {
        std::string message = BankFieldProblem(bank, field);
        if (!message.empty()) return BankProblem{field, std::move(message)};
    }
    return std::nullopt;
}

const mTAttachedDocument* mTRefundData::FindDocument(const std::string& title) const {
    auto found = std::find_if(Documents.begin(), Documents.end(),
                              [&](const mTAttachedDocument& d) { return d.Title == title; });
    return found == Documents.end() ? nullptr : &*found;
}

// ---- the document image (see imagefields.h) ----

template <typename R, typename V>
void RefundImage(R& r, V& v) {
    v.Stream("@Refund");
    for (BankField field : kBankFields) v.Text(r.Bank.Field(field));
    v.Entries(r.Documents, &mTRefundData::AddDocument, r, [&](auto& document, size_t) {
        v.Text(document.Title);
        v.Byte(document.Ticked);
        v.Int(document.Sheets);
    });
}

void mTRefundData::Write(mTDocumentStorage& s) const {
    if (IsEmpty()) return;
    WriteFields(s, context::kRefundWrite, [&](auto& v) { RefundImage(*this, v); });
}

void mTRefundData::Read(mTDocumentStorage& s) {
    *this = mTRefundData();
    // A stream not found in a document whose tail is damaged is reported as
    // damage (code 212); such documents opened before the stream was added, and
    // still do, without it.
    constexpr uint16_t kNotFoundInDamagedImage = 212;
    try {
        ReadFields(s, context::kRefundRead, [&](ImageReader& v) {
            if (!v.OptionalStreams([&] { RefundImage(*this, v); })) *this = mTRefundData();
        });
    } catch (const mEBadStorage& e) {
        if (e.ErrorCode() != kNotFoundInDamagedImage || s.CurrentStream() == "@Refund") throw;
        *this = mTRefundData();
    }
}

size_t mTRefundData::ComputeSize() const {
    if (IsEmpty()) return 0;
    return FieldsSize([&](auto& v) { RefundImage(*this, v); });
}

}  // namespace zorv
