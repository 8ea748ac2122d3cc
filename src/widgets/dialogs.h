#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

class QLabel;
class QPushButton;

namespace zorv {

inline constexpr const char* kProgramTitle = "Zorv 2008";

// The answers of a page check window.
enum class TCheckAnswer { Correct, Skip, SkipAll };

// One check window: captioned "Проверка: " + section, one message, and the
// buttons "Исправить", "Пропустить", "Пропустить все"; the last two can be
// switched off for checks that must not be skipped.
struct TCheckRequest {
    QString section;
    QString message;
    bool canSkip = true;
    bool canSkipAll = true;
};

// Every question a window puts to the user goes through here, so that the
// windows can be driven without a person (the tests answer with a script).
class TDialogs {
  public:
    virtual ~TDialogs() = default;
    // A message box captioned "Zorv 2008"; gives the button pressed.
    virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;
    virtual TCheckAnswer Check(QWidget* parent, const TCheckRequest& request) = 0;
    // An existing document to open; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter) = 0;
    // A name to save the document under, starting from `suggested`; empty when
    // cancelled. Replacing an existing file is confirmed here.
    virtual QString SaveFileName(QWidget* parent, const QString& suggested) = 0;
    // The window of the whole-declaration check: true for "Исправить", false
    // for "Отмена".
    virtual bool CheckAll(QWidget* parent, const QString& section, const QString& message) = 0;
    // A folder to write into; empty when cancelled.
    virtual QString FolderName(QWidget* parent, const QString& title) = 0;
    // Runs a modal window (lookups, about, print and preview); true when it was
    // accepted.
    virtual bool Run(QDialog& dialog) = 0;
};

// The dialogs in force: the real windows unless a replacement was set.
TDialogs& Dialogs();
// Sets the replacement; nullptr brings the real windows back.
void SetDialogs(TDialogs* dialogs);

// Puts the program's standard windows (file and folder choice, printing, the
// buttons of message boxes) into Russian: Qt's own translation from beside the
// program or from Qt's folder. False when none was found (they stay English).
// The widgets take the Russian locale (calendars, dates) whatever the
// environment says, translation found or not.
bool UseRussianStandardWindows(const QString& programFolder);

// Shorthands over Dialogs().
void ShowError(QWidget* parent, const QString& text);
void ShowInfo(QWidget* parent, const QString& text);

// The check window of pages and dialogs. Its close box and Escape count as
// "Пропустить" while that button is offered, otherwise as "Исправить".
class TfmCheckError : public QDialog {
    Q_OBJECT
  public:
    TfmCheckError(QWidget* parent, const TCheckRequest& request);
    TCheckAnswer Answer() const { return answer_; }
    QPushButton* bnCorrect() const { return bnCorrect_; }
    QPushButton* bnSkip() const { return bnSkip_; }
    QPushButton* bnSkipAll() const { return bnSkipAll_; }

    void reject() override;

  private:
    void Finish(TCheckAnswer answer);

    TCheckAnswer answer_ = TCheckAnswer::Correct;
    QLabel* lbMessage_ = nullptr;
    QPushButton* bnCorrect_ = nullptr;
    QPushButton* bnSkip_ = nullptr;
    QPushButton* bnSkipAll_ = nullptr;
};

// The window of the whole-declaration check: one problem, "Исправить" or
// "Отмена". Its close box and Escape count as "Отмена".
class TfmCheckAllError : public QDialog {
    Q_OBJECT
  public:
    TfmCheckAllError(QWidget* parent, const QString& section, const QString& message);
    void SetSection(const QString& name);
    void SetMessage(const QString& text);
    QLabel* lbMessage() const { return lbMessage_; }
    QPushButton* bnCorrect() const { return bnCorrect_; }
    QPushButton* bnCancel() const { return bnCancel_; }

  private:
    QLabel* lbMessage_ = nullptr;
    QPushButton* bnCorrect_ = nullptr;
    QPushButton* bnCancel_ = nullptr;
};

}  // namespace zorv
