#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

#include "shell/answerscript.h"
#include "widgets/dialogs.h"

namespace zorv::testing {

// Answers the program's questions from a script and records what was asked.
// Unscripted questions get "Ok", "Исправить", a cancelled file or folder
// dialog and a cancelled modal window.
class ScriptedDialogs : public TDialogs {
  public:
    ScriptedDialogs() { SetDialogs(this); }
    ~ScriptedDialogs() override { SetDialogs(nullptr); }

    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons) override {
        messages.push_back(text);
        icons.push_back(icon);
        return Pop(messageAnswers, QMessageBox::Ok);
    }
    TCheckAnswer Check(QWidget*, const TCheckRequest& request) override {
        checks.push_back(request);
        return Pop(checkAnswers, TCheckAnswer::Correct);
    }
    QString OpenFileName(QWidget*, const QString& filter) override {
        openFilters.push_back(filter);
        return Pop(openNames, QString());
    }
    QString SaveFileName(QWidget*, const QString& suggested) override {
        saveSuggestions.push_back(suggested);
        if (saveNames.empty()) return {};
        QString name = saveNames.front();
        saveNames.pop_front();
        return name == QLatin1String("=") ? suggested : name;  // "=" takes the suggestion
    }
    bool CheckAll(QWidget*, const QString& section, const QString& message) override {
        wholeChecks.push_back({section, message, false, false});
        return Pop(checkAllAnswers, true);
    }
    QString FolderName(QWidget*, const QString& title) override {
        folderTitles.push_back(title);
        return Pop(folderNames, QString());
    }
    bool Run(QDialog& dialog) override {
        ran.push_back(dialog.objectName());
        return run ? run(dialog) : false;
    }

    QStringList CheckMessages() const {
        QStringList out;
        for (const TCheckRequest& r : checks) out << r.message;
        return out;
    }

    std::deque<QMessageBox::StandardButton> messageAnswers;
    std::deque<TCheckAnswer> checkAnswers;
    std::deque<QString> openNames;
    std::deque<QString> saveNames;     // "=" answers with the suggested name
    std::deque<bool> checkAllAnswers;  // true: "Исправить", false: "Отмена"
    std::deque<QString> folderNames;
    std::function<bool(QDialog&)> run;

    std::vector<QString> messages;
    std::vector<QMessageBox::Icon> icons;
    std::vector<TCheckRequest> checks;
    std::vector<TCheckRequest> wholeChecks;  // the windows of the whole-declaration check
    std::vector<QString> openFilters;
    std::vector<QString> saveSuggestions;
    std::vector<QString> folderTitles;
    std::vector<QString> ran;

  private:
    template <typename T>
    static T Pop(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Types the text into the widget one character at a time, as the keyboard does.
inline void Type(QWidget* widget, const QString& text) {
    TypeKeys(widget, text);
}

}  // namespace zorv::testing
