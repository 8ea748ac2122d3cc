#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorv {

// The buttons of a check window. The window of the whole-declaration check
// offers "Исправить" and "Отмена"; the window of single pages and dialogs offers
// "Исправить", "Пропустить" and "Пропустить все", and its caller may switch off
// the last two for checks that must not be skipped.
enum class CheckAnswer { Correct, Skip, SkipAll, Cancel };

// One check window: its caption is "Проверка: " + section, it shows one
// message, and it offers "Исправить" plus the buttons marked here.
struct CheckQuestion {
    std::string section;
    std::string message;
    bool canSkip = false;
    bool canSkipAll = false;
    bool canCancel = false;
};

// Shows one check window and returns the user's answer; the desktop program
// shows a dialog, the command line answers by itself. An answer the window does
// not offer counts as "Исправить", and so does every answer of an empty prompter.
using CheckPrompter = std::function<CheckAnswer(const CheckQuestion&)>;

// The answer to act on: the prompter's, or "Исправить" when the prompter is empty
// or chose a button the window does not offer.
CheckAnswer AskCheck(const CheckPrompter& ask, const CheckQuestion& question);

// The questions of a page's or a dialog's check, shown in turn: "Исправить"
// ends with the index of its question, "Пропустить" goes on to the next one,
// "Пропустить все" ends with none; none as well when every one was skipped.
std::optional<size_t> AskInTurn(const CheckPrompter& ask,
                                const std::vector<CheckQuestion>& questions);

// "Проверка: " + section.
std::string CheckCaption(const std::string& section);

}  // namespace zorv
