#include "check/checkdialog.h"

#include "check/checktext.h"

namespace zorv {

CheckAnswer AskCheck(const CheckPrompter& ask, const CheckQuestion& question) {
    if (!ask) return CheckAnswer::Correct;
    CheckAnswer answer = ask(question);
    switch (answer) {
        case CheckAnswer::Correct:
            return answer;
        case CheckAnswer::Skip:
            return question.canSkip ? answer : CheckAnswer::Correct;
        case CheckAnswer::SkipAll:
            return question.canSkipAll ? answer : CheckAnswer::Correct;
        case CheckAnswer::Cancel:
            return question.canCancel ? answer : CheckAnswer::Correct;
    }
    return CheckAnswer::Correct;
}

std::optional<size_t> AskInTurn(const CheckPrompter& ask,
                                const std::vector<CheckQuestion>& questions) {
    for (size_t i = 0; i < questions.size(); ++i) {
        switch (AskCheck(ask, questions[i])) {
            case CheckAnswer::Skip:
                continue;
            case CheckAnswer::SkipAll:
                return std::nullopt;
            case CheckAnswer::Correct:
            case CheckAnswer::Cancel:
                return i;
        }
    }
    return std::nullopt;
}

std::string CheckCaption(const std::string& section) {
    return "Проверка: " + section;
}

std::string_view TrimText(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

size_t TextLength(std::string_view text) {
    size_t length = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++length;
    }
    return length;
}

}  // namespace zorv
