#pragma once

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "model/declaration.h"

namespace zorv {

using Json = nlohmann::ordered_json;

// A JSON declaration that cannot be taken: the message names the key path.
class JsonFormError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value of the right type that the program never stores (an unknown declaration
// kind, say). A document may hold one; its JSON form is refused all the same.
class JsonValueRefused : public JsonFormError {
  public:
    using JsonFormError::JsonFormError;
};

// A text that is no JSON declaration at all: broken syntax, a number beyond the
// range of numbers, a zero byte, anything after the object, or nesting deeper
// than kMaxJsonDepth. The message says what was found, in Russian; Byte() is the
// position (counted from 1) where reading stopped, 0 when the message names the
// field instead.
class JsonTextError : public JsonFormError {
  public:
    JsonTextError(const std::string& what, size_t byte) : JsonFormError(what), byte_(byte) {}
    size_t Byte() const { return byte_; }

  private:
    size_t byte_;
};

// No declaration nests its values deeper: the root object, its lists, their
// records and the records' lists of amounts.
inline constexpr size_t kMaxJsonDepth = 64;

// Parses the text of a JSON declaration; a key given twice in one object is
// refused with JsonFormError naming its path, anything else that is not one JSON
// value of reasonable depth with JsonTextError.
Json ParseDeclarationJson(const std::string& text);

// The JSON form of a declaration: one object, keys named after the model's
// fields and in the model's order; amounts as strings ("1234.5"), whole-day dates
// as "DD.MM.YYYY".
Json DeclarationToJson(const mTDeclaration& declaration);

// Fills a freshly constructed declaration. Keys left out keep their defaults; an
// unknown key, a wrong type or a value out of range throws JsonFormError.
void DeclarationFromJson(const Json& json, mTDeclaration& declaration);

// Money and dates in their JSON form.
Json MoneyToJson(Money m);
Json DateToJson(double dayNumber);

}  // namespace zorv
