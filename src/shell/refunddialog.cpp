#include "shell/refunddialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "model/attachments.h"
#include "model/declaration.h"
#include "report/applicationsheets.h"
#include "report/refundapplication.h"
#include "report/reportrun.h"
#include "widgets/controlnames.h"
#include "widgets/dialogs.h"
#include "widgets/thinkingframe.h"

namespace zorv {
namespace {

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

std::string FromQ(const QString& text) {
    return text.trimmed().toStdString();
}

// The digits a number field takes; 0 for a text.
int DigitsOf(BankField field) {
    switch (field) {
        case BankField::Bik:
            return static_cast<int>(kBikDigits);
        case BankField::CorrAccount:
        case BankField::Account:
            return static_cast<int>(kAccountDigits);
        case BankField::BankName:
        case BankField::Recipient:
            break;
    }
    return 0;
}

const char* ObjectNameOf(BankField field) {
    switch (field) {
        case BankField::BankName:
            return "meBankName";
        case BankField::Bik:
            return "meBik";
        case BankField::CorrAccount:
            return "meCorrAccount";
        case BankField::Account:
            return "meAccount";
        case BankField::Recipient:
            break;
    }
    return "meRecipient";
}

constexpr double kPreviewPixelsPerMm = 3.4;

QImage PageImage(const kTPage& page) {
    QImage image(static_cast<int>(std::lround(kPaperWidth * kPreviewPixelsPerMm)),
                 static_cast<int>(std::lround(kPaperHeight * kPreviewPixelsPerMm)),
                 QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(kPreviewPixelsPerMm * 1000));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, page);
    return image;
}

}  // namespace

// ---- preview and print ----

TfmApplicationPreview::TfmApplicationPreview(QWidget* parent, std::vector<kTPage> pages)
    : QDialog(parent), pages_(std::move(pages)) {
    setObjectName(QStringLiteral("fmApplicationPreview"));
    setWindowTitle(QStringLiteral("Заявление о возврате налога и опись документов"));
    auto* column = new QWidget;
    auto* columnLayout = new QVBoxLayout(column);
    for (size_t i = 0; i < pages_.size(); ++i) {
        auto* view = new QLabel;
        view->setObjectName(QStringLiteral("lbPage%1").arg(i + 1));
        view->setPixmap(QPixmap::fromImage(PageImage(pages_[i])));
        view->setAccessibleName(QStringLiteral("Страница %1").arg(i + 1));
        columnLayout->addWidget(view, 0, Qt::AlignHCenter);
    }
    auto* scroll = Named(new QScrollArea(this), "saPages", QStringLiteral("Страницы заявления"));
    scroll->setWidget(column);
    scroll->setBackgroundRole(QPalette::Dark);
    bnPrint = Named(new QPushButton(QStringLiteral("&Печать..."), this), "bnPrint");
    auto* close = Named(new QPushButton(QStringLiteral("&Закрыть"), this), "bnClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bnPrint);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    connect(bnPrint, &QPushButton::clicked, this, [this] { PrintApplicationPages(this, pages_); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(static_cast<int>(kPaperWidth * kPreviewPixelsPerMm) + 60, 760);
    scroll->setFocus();
}

void PrintApplicationPages(QWidget* owner, const std::vector<kTPage>& pages) {
    if (pages.empty()) return;
    QtPrintTarget target;
    const auto range = target.ChooseRange(owner, static_cast<int>(pages.size()));
    if (!range) return;
    target.Print(std::vector<kTPage>(pages.begin() + (range->From - 1), pages.begin() + range->To));
}

// ---- the bank details and the documents ----

TfmRefund::TfmRefund(QWidget* parent, TShellContext& ctx) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("fmRefund"));
    setWindowTitle(QStringLiteral("Возврат налога: реквизиты банка и документы"));
    const mTDeclaration& d = ctx_.Decl();

    auto* bankBox =
        new QGroupBox(QStringLiteral("Реквизиты банка, на счет в котором вернуть налог"));
    auto* form = new QFormLayout(bankBox);
    for (BankField field : kBankFields) {
        const QString caption = QString::fromUtf8(BankFieldCaption(field));
        auto* edit = Named(new QLineEdit(ToQ(d.Refund.Bank.Field(field)), this),
                           ObjectNameOf(field), caption);
        if (const int digits = DigitsOf(field); digits > 0) {
            edit->setMaxLength(digits);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), edit));
            edit->setToolTip(QStringLiteral("%1 цифр").arg(digits));
            // A complete number is checked at once; a shorter one when the field is left.
            connect(edit, &QLineEdit::textEdited, this, [this, field, digits](const QString& t) {
                if (t.size() == digits) CheckField(field);
            });
        } else {
            edit->setMaxLength(160);
        }
        connect(edit, &QLineEdit::editingFinished, this, [this, field] {
            if (!reporting_) CheckField(field);
        });
        fields_[static_cast<size_t>(field)] = edit;
        auto* label = new QLabel(caption + ':', this);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    lbBankProblem = Named(new QLabel(this), "lbBankProblem");
    lbBankProblem->setWordWrap(true);
    lbBankProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    // Room for a message of two lines, so that the fields below do not move.
    lbBankProblem->setMinimumHeight(lbBankProblem->fontMetrics().lineSpacing() * 2);
    form->addRow(lbBankProblem);

    auto* listBox = new QGroupBox(QStringLiteral("Документы, прилагаемые к декларации"));
    documents_ = AttachmentList(d);
    lvDocuments = Named(new QTableWidget(static_cast<int>(documents_.size()), 2, this),
                        "lvDocuments", QStringLiteral("Документы, прилагаемые к декларации"));
    lvDocuments->setHorizontalHeaderLabels(
        {QStringLiteral("Документ (отметьте приготовленные)"), QStringLiteral("Листов")});
    lvDocuments->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvDocuments->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lvDocuments->verticalHeader()->setVisible(false);
    lvDocuments->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvDocuments->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t i = 0; i < documents_.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* item = new QTableWidgetItem(ToQ(documents_[i].Title));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(documents_[i].Ticked != 0 ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(item->text());
        lvDocuments->setItem(row, 0, item);
        auto* sheets = new QSpinBox(this);
        sheets->setObjectName(QStringLiteral("seSheets%1").arg(row));
        sheets->setAccessibleName(QStringLiteral("Число листов: ") + item->text());
        sheets->setRange(0, 999);
        sheets->setValue(static_cast<int>(documents_[i].Sheets));
        lvDocuments->setCellWidget(row, 1, sheets);
        connect(sheets, &QSpinBox::valueChanged, this, [this, row](int) {
            // Typing the sheets of a document means it is at hand.
            if (QTableWidgetItem* it = lvDocuments->item(row, 0)) it->setCheckState(Qt::Checked);
            UpdateSheets();
        });
    }
    connect(lvDocuments, &QTableWidget::itemChanged, this, [this] { UpdateSheets(); });
    lbSheets = Named(new QLabel(this), "lbSheets");
    lbSheets->setWordWrap(true);
    auto* listLayout = new QVBoxLayout(listBox);
    if (documents_.empty()) {
        listLayout->addWidget(new QLabel(QStringLiteral(
            "В декларации нет доходов и вычетов, к которым прилагаются документы.")));
    }
    listLayout->addWidget(lvDocuments, 1);
    listLayout->addWidget(lbSheets);

    bnPreview = Named(new QPushButton(QStringLiteral("Про&смотр заявления..."), this), "bnPreview");
    bnPrint = Named(new QPushButton(QStringLiteral("&Печать заявления..."), this), "bnPrint");
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bnOk"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bnPreview);
    buttons->addWidget(bnPrint);
    buttons->addStretch(1);
    buttons->addWidget(box);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bankBox);
    layout->addWidget(listBox, 1);
    layout->addLayout(buttons);
    connect(box, &QDialogButtonBox::accepted, this, &TfmRefund::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(bnPreview, &QPushButton::clicked, this, &TfmRefund::Preview);
    connect(bnPrint, &QPushButton::clicked, this, &TfmRefund::Print);
    UpdateSheets();
    resize(760, 620);
}

mTBankDetails TfmRefund::Bank() const {
    mTBankDetails bank;
    for (BankField field : kBankFields) bank.Field(field) = FromQ(Field(field)->text());
    return bank;
}

std::vector<mTAttachedDocument> TfmRefund::Documents() const {
    std::vector<mTAttachedDocument> list = documents_;
    for (size_t i = 0; i < list.size(); ++i) {
        const int row = static_cast<int>(i);
        list[i].Ticked = lvDocuments->item(row, 0)->checkState() == Qt::Checked ? 1 : 0;
        list[i].Sheets =
            static_cast<uint32_t>(static_cast<QSpinBox*>(lvDocuments->cellWidget(row, 1))->value());
    }
    return list;
}

bool TfmRefund::CheckField(BankField field) {
    const std::string problem = BankFieldProblem(Bank(), field);
    if (problem.empty()) {
        // The message of a field that is now right goes.
        if (lbBankProblem->property("field").toInt() == static_cast<int>(field))
            lbBankProblem->clear();
        return true;
    }
    lbBankProblem->setText(ToQ(problem));
    lbBankProblem->setProperty("field", static_cast<int>(field));
    if (reporting_) return false;
    reporting_ = true;
    Dialogs().Message(this, QMessageBox::Warning, ToQ(problem), QMessageBox::Ok);
    reporting_ = false;
    QLineEdit* edit = Field(field);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void TfmRefund::UpdateSheets() {
    const std::vector<mTAttachedDocument> list = Documents();
    size_t ticked = 0;
    for (const mTAttachedDocument& a : list) ticked += a.Ticked != 0 ? 1 : 0;
    lbSheets->setText(
        QStringLiteral("Отмечено документов: %1 из %2, листов: %3. Число листов отмеченных "
                       "документов войдет в титульный лист декларации.")
            .arg(ticked)
            .arg(list.size())
            .arg(TickedSheets(list)));
}

bool TfmRefund::Store() {
    for (BankField field : kBankFields) {
        if (!CheckField(field)) return false;
    }
    mTDeclaration& d = ctx_.Decl();
    const mTBankDetails bank = Bank();
    const std::vector<mTAttachedDocument> list = Documents();
    bool changed = list != d.Refund.Documents;
    for (BankField field : kBankFields)
        changed = changed || bank.Field(field) != d.Refund.Bank.Field(field);
    if (!changed) return true;
    d.Refund.Bank = bank;
    StoreAttachments(d, list);
    ctx_.NotifyModified();
    return true;
}

void TfmRefund::accept() {
    if (Store()) QDialog::accept();
}

std::vector<kTPage> TfmRefund::Pages() {
    if (!Store()) return {};
    std::vector<kTPage> pages = RefundApplicationPages(ctx_.Decl(), !ctx_.printDateOption);
    if (pages.empty()) {
        Dialogs().Message(this, QMessageBox::Information,
                          QStringLiteral("По декларации нет суммы к возврату: заявление о "
                                         "возврате налога не составляется."),
                          QMessageBox::Ok);
    }
    return pages;
}

void TfmRefund::Preview() {
    std::vector<kTPage> pages = Pages();
    if (pages.empty()) return;
    TfmApplicationPreview preview(this, std::move(pages));
    Dialogs().Run(preview);
}

void TfmRefund::Print() {
    const std::vector<kTPage> pages = Pages();
    PrintApplicationPages(this, pages);
}

// ---- the box on the results page ----

TRefundPanel::TRefundPanel(QWidget* parent, TShellContext& ctx)
    : QGroupBox(QStringLiteral("Возврат налога"), parent), ctx_(ctx) {
    setObjectName(QStringLiteral("gbRefund"));
    lbRefundStatus = Named(new QLabel(this), "lbRefundStatus");
    lbRefundStatus->setWordWrap(true);
    lbRefundStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bnRefund =
        Named(new QPushButton(QStringLiteral("&Реквизиты и документы для возврата..."), this),
              "bnRefund");
    bnRefund->setToolTip(
        QStringLiteral("Реквизиты банка, документы для приложения и заявление о возврате налога"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbRefundStatus, 1);
    layout->addWidget(bnRefund, 0, Qt::AlignTop);
    connect(bnRefund, &QPushButton::clicked, this, [this] {
        TfmRefund dialog(this, ctx_);
        Dialogs().Run(dialog);
        Refresh();
        emit changed();
    });
}

void TRefundPanel::Refresh() {
    const mTDeclaration& d = ctx_.Decl();
    if (RefundApplications(d).empty()) {
        setVisible(false);
        return;
    }
    const std::vector<std::string> lacks = WhatRefundLacks(d);
    QString text;
    if (lacks.empty()) {
        text = QStringLiteral(
            "Для возврата все готово: реквизиты банка указаны, документы "
            "отмечены. Напечатайте заявление о возврате и опись и подайте их "
            "вместе с декларацией.");
    } else {
        text = QStringLiteral("Налог возвращается по письменному заявлению. Пока не хватает:");
        for (const std::string& lack : lacks) text += QStringLiteral("\n• ") + ToQ(lack);
    }
    lbRefundStatus->setText(text);
    setVisible(true);
}

}  // namespace zorv
