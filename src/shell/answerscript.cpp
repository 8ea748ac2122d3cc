#include "shell/answerscript.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <cstdio>

namespace zorv {

namespace {

constexpr int kStepPause = 50;

QString Caption(const QAbstractButton& button) {
    return button.text().remove(QLatin1Char('&'));
}

QString PopFront(std::deque<QString>& queue) {
    if (queue.empty()) return {};
    QString value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

std::unique_ptr<TAnswerScript> TAnswerScript::FromEnvironment() {
    const QString path = qEnvironmentVariable("ZORV2008_ANSWERS");
    if (path.isEmpty()) return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Say(QStringLiteral("no answers: ") + path);
        return nullptr;
    }
    return std::make_unique<TAnswerScript>(QString::fromUtf8(file.readAll()).split('\n'));
}

TAnswerScript::TAnswerScript(const QStringList& lines) {
    for (const QString& line : lines) {
        const QString command = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (command == QLatin1String("interval"))
            interval_ = std::chrono::milliseconds(rest.toInt());
        else if (command == QLatin1String("answer"))
            answers_.push_back(rest);
        else if (command == QLatin1String("savename"))
            saveNames_.push_back(rest);
        else if (!command.isEmpty())
            steps_.push_back(
                {command, rest.section(QLatin1Char(' '), 0, 0), rest.section(QLatin1Char(' '), 1)});
    }
}

void TAnswerScript::Say(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

void TAnswerScript::RunSteps(QWidget* window) {
    QTimer::singleShot(kStepPause, window, [this, window] { NextStep(window); });
}

void TAnswerScript::NextStep(QWidget* window) {
    if (steps_.empty()) return;
    const QStringList step = steps_.front();
    steps_.pop_front();
    const QString& command = step[0];
    const QString& name = step[1];
    if (command == QLatin1String("type")) {
        if (auto* field = window->findChild<QWidget*>(name)) TypeOver(field, step[2]);
    } else if (command == QLatin1String("press")) {
        if (auto* button = window->findChild<QAbstractButton*>(name)) button->click();
    } else if (command == QLatin1String("trigger")) {
        if (auto* action = window->findChild<QAction*>(name)) action->trigger();
    } else if (command == QLatin1String("quit")) {
        window->close();
    }
    RunSteps(window);
}

QMessageBox::StandardButton TAnswerScript::Message(QWidget*, QMessageBox::Icon, const QString& text,
                                                   QMessageBox::StandardButtons buttons) {
    Say(QStringLiteral("question: ") + text);
    const QString answer = PopFront(answers_);
    const std::pair<const char*, QMessageBox::StandardButton> captions[] = {
        {"Да", QMessageBox::Yes},
        {"Нет", QMessageBox::No},
        {"Отмена", QMessageBox::Cancel},
        {"OK", QMessageBox::Ok},
    };
    for (const auto& [caption, button] : captions)
        if (answer == QString::fromUtf8(caption) && buttons.testFlag(button)) return button;
    for (QMessageBox::StandardButton button :
         {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::No})
        if (buttons.testFlag(button)) return button;
    return QMessageBox::NoButton;
}

TCheckAnswer TAnswerScript::Check(QWidget*, const TCheckRequest& request) {
    Say(QStringLiteral("question: ") + request.message);
    return TCheckAnswer::Correct;
}

QString TAnswerScript::OpenFileName(QWidget*, const QString&) {
    return {};
}

QString TAnswerScript::SaveFileName(QWidget*, const QString& suggested) {
    Say(QStringLiteral("save: ") + suggested);
    return PopFront(saveNames_);
}

bool TAnswerScript::CheckAll(QWidget*, const QString&, const QString& message) {
    Say(QStringLiteral("question: ") + message);
    return false;
}

QString TAnswerScript::FolderName(QWidget*, const QString&) {
    return {};
}

bool TAnswerScript::Run(QDialog& dialog) {
    const auto* box = qobject_cast<QMessageBox*>(&dialog);
    Say(QStringLiteral("question: ") + (box ? box->text() : dialog.objectName()));
    const QString answer = PopFront(answers_);
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!answer.isEmpty() && Caption(*button) == answer) {
            button->click();
            return dialog.result() == QDialog::Accepted;
        }
    dialog.reject();
    return false;
}

void TypeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const int key = c.isLetterOrNumber() && c.unicode() < 0x80 ? int(c.toUpper().unicode())
                                                                   : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void TypeOver(QWidget* widget, const QString& text) {
    widget->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
    TypeKeys(widget, text);
}

}  // namespace zorv
