#include "widgets/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace zorv {

namespace {

class TWindowDialogs : public TDialogs {
  public:
    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override {
        QMessageBox box(icon, QString::fromUtf8(kProgramTitle), text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    TCheckAnswer Check(QWidget* parent, const TCheckRequest& request) override {
        TfmCheckError window(parent, request);
        window.exec();
        return window.Answer();
    }

    QString OpenFileName(QWidget* parent, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Открыть"), QString(), filter);
    }

    QString SaveFileName(QWidget* parent, const QString& suggested) override {
        QFileDialog dialog(parent, QStringLiteral("Сохранить"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("Zorv 2008 (*.zv8)"));
        dialog.setDefaultSuffix(QStringLiteral("zv8"));
        if (!suggested.isEmpty()) dialog.selectFile(suggested);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }

    bool CheckAll(QWidget* parent, const QString& section, const QString& message) override {
        TfmCheckAllError window(parent, section, message);
        return window.exec() == QDialog::Accepted;
    }

    QString FolderName(QWidget* parent, const QString& title) override {
        static QString last = QDir::homePath();
        const QString folder = QFileDialog::getExistingDirectory(parent, title, last);
        if (!folder.isEmpty()) last = folder;
        return folder;
    }

    bool Run(QDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }
};

TDialogs*& Replacement() {
    static TDialogs* replacement = nullptr;
    return replacement;
}

}  // namespace

TDialogs& Dialogs() {
    static TWindowDialogs windows;
    return Replacement() ? *Replacement() : windows;
}

void SetDialogs(TDialogs* dialogs) {
    Replacement() = dialogs;
}

bool UseRussianStandardWindows(const QString& programFolder) {
    // The widgets speak Russian whatever the environment: calendars, number
    // fields and Qt's own dialogs.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    static QTranslator* installed = nullptr;
    if (installed) return true;
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : {QDir(programFolder).filePath(QStringLiteral("translations")),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)})
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            installed = translator.release();
            QCoreApplication::installTranslator(installed);
            return true;
        }
    return false;
}

void ShowError(QWidget* parent, const QString& text) {
    Dialogs().Message(parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

void ShowInfo(QWidget* parent, const QString& text) {
    Dialogs().Message(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

namespace {

// A window wide enough for its whole caption beside the window manager's buttons.
void KeepCaptionWhole(QDialog& dialog) {
    constexpr int kTitleBarButtons = 160;
    dialog.setMinimumWidth(
        std::max(dialog.minimumSizeHint().width(),
                 dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + kTitleBarButtons));
}

}  // namespace

TfmCheckError::TfmCheckError(QWidget* parent, const TCheckRequest& request) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCheckError"));
    setWindowTitle(QStringLiteral("Проверка: ") + request.section);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    lbMessage_ = new QLabel(request.message, this);
    lbMessage_->setObjectName(QStringLiteral("lbMessage"));
    lbMessage_->setWordWrap(true);
    lbMessage_->setMinimumWidth(360);

    bnCorrect_ = new QPushButton(QStringLiteral("Исправить"), this);
    bnSkip_ = new QPushButton(QStringLiteral("Пропустить"), this);
    bnSkipAll_ = new QPushButton(QStringLiteral("Пропустить все"), this);
    bnCorrect_->setObjectName(QStringLiteral("bnCorrect"));
    bnSkip_->setObjectName(QStringLiteral("bnSkip"));
    bnSkipAll_->setObjectName(QStringLiteral("bnSkipAll"));
    bnSkip_->setEnabled(request.canSkip);
    bnSkipAll_->setEnabled(request.canSkipAll);
    bnCorrect_->setDefault(true);
    connect(bnCorrect_, &QPushButton::clicked, this, [this] { Finish(TCheckAnswer::Correct); });
    connect(bnSkip_, &QPushButton::clicked, this, [this] { Finish(TCheckAnswer::Skip); });
    connect(bnSkipAll_, &QPushButton::clicked, this, [this] { Finish(TCheckAnswer::SkipAll); });

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(lbMessage_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnCorrect_);
    buttons->addWidget(bnSkip_);
    buttons->addWidget(bnSkipAll_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setTabOrder(bnCorrect_, bnSkip_);
    setTabOrder(bnSkip_, bnSkipAll_);
    KeepCaptionWhole(*this);
}

void TfmCheckError::Finish(TCheckAnswer answer) {
    answer_ = answer;
    done(answer == TCheckAnswer::Correct ? QDialog::Accepted : QDialog::Rejected);
}

void TfmCheckError::reject() {
    // Closing the window is the mildest answer it offers.
    answer_ = bnSkip_->isEnabled() ? TCheckAnswer::Skip : TCheckAnswer::Correct;
    QDialog::reject();
}

TfmCheckAllError::TfmCheckAllError(QWidget* parent, const QString& section, const QString& message)
    : QDialog(parent) {
    setObjectName(QStringLiteral("fmCheckAllError"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    lbMessage_ = new QLabel(this);
    lbMessage_->setObjectName(QStringLiteral("lbMessage"));
    lbMessage_->setWordWrap(true);
    lbMessage_->setAlignment(Qt::AlignCenter);
    lbMessage_->setMinimumWidth(360);
    bnCorrect_ = new QPushButton(QStringLiteral("Исправить"), this);
    bnCancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    bnCorrect_->setObjectName(QStringLiteral("Button1"));
    bnCancel_->setObjectName(QStringLiteral("Button2"));
    bnCorrect_->setDefault(true);
    connect(bnCorrect_, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(lbMessage_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnCorrect_);
    buttons->addWidget(bnCancel_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    SetSection(section);
    SetMessage(message);
}

void TfmCheckAllError::SetSection(const QString& name) {
    setWindowTitle(QStringLiteral("Проверка: ") + name);
    KeepCaptionWhole(*this);
}

void TfmCheckAllError::SetMessage(const QString& text) {
    lbMessage_->setText(text);
}

}  // namespace zorv
