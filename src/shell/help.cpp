#include "shell/help.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zorv {

TfmHelp::TfmHelp(QWidget* parent, const QString& indexPath)
    : QDialog(parent, Qt::Window), indexPath_(indexPath) {
    setObjectName(QStringLiteral("fmHelp"));
    setWindowTitle(QStringLiteral("Справка - Zorv 2008"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("tbHelp"));
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton(QStringLiteral("Назад"), this);
    back->setObjectName(QStringLiteral("bnBack"));
    back->setEnabled(false);
    auto* contents = new QPushButton(QStringLiteral("Содержание"), this);
    contents->setObjectName(QStringLiteral("bnContents"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, &TfmHelp::ShowContents);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(820, 640);
    ShowContents();
}

void TfmHelp::ShowContents() {
    browser_->setSource(QUrl::fromLocalFile(indexPath_));
}

}  // namespace zorv
