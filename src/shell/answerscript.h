#pragma once

#include <QStringList>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>

#include "widgets/dialogs.h"

class QWidget;

namespace zorv {

// Types the text into the widget one character at a time, as the keyboard does.
void TypeKeys(QWidget* widget, const QString& text);
// Focuses the field and types over what it holds.
void TypeOver(QWidget* widget, const QString& text);

// Runs the program without a person, for the tests that start it as a separate
// process. The environment variable ZORV2008_ANSWERS names a file of lines:
//   interval <ms>         the interval of the recovery copies
//   answer <caption>      the next answer to a question: the caption of a
//                         button ("Да", "Нет", "Отмена", "OK", "Восстановить"…)
//   savename <path>       the next name chosen in the save dialog
//   type <object> <text>  types over the text of the field of that object name
//   press <object>        presses the button of that object name
//   trigger <object>      runs the command of that object name
//   quit                  closes the window
// The last four run in order once the window is up. Every question is written
// to the standard error as "question: <text>", every save dialog as
// "save: <suggested name>". Unanswered questions get "OK" (or the safest
// button offered), unanswered dialogs are cancelled.
class TAnswerScript : public TDialogs {
  public:
    // The script the environment names, or nullptr when there is none.
    static std::unique_ptr<TAnswerScript> FromEnvironment();
    explicit TAnswerScript(const QStringList& lines);

    std::optional<std::chrono::milliseconds> Interval() const { return interval_; }
    // Starts the steps on the window; they run from the event loop.
    void RunSteps(QWidget* window);

    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    TCheckAnswer Check(QWidget* parent, const TCheckRequest& request) override;
    QString OpenFileName(QWidget* parent, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& suggested) override;
    bool CheckAll(QWidget* parent, const QString& section, const QString& message) override;
    QString FolderName(QWidget* parent, const QString& title) override;
    bool Run(QDialog& dialog) override;

  private:
    void NextStep(QWidget* window);
    static void Say(const QString& line);

    std::optional<std::chrono::milliseconds> interval_;
    std::deque<QString> answers_;
    std::deque<QString> saveNames_;
    std::deque<QStringList> steps_;
};

}  // namespace zorv
