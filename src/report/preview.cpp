#include "report/preview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

#include "report/pageplan.h"
#include "report/printout.h"
#include "report/reportdata.h"
#include "report/sheets.h"

namespace zorv {

TMyFormPreview::TMyFormPreview(kTReportSheets& sheets, PrintTarget& printer, bool printEnabled,
                               QWidget* owner)
    : QDialog(owner), sheets_(sheets), printer_(printer) {
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setWindowState(Qt::WindowMaximized);
    auto* layout = new QVBoxLayout(this);

    auto* tools = new QWidget(this);
    tools->setObjectName("Panel1");
    auto* toolRow = new QHBoxLayout(tools);
    auto* caption = new QLabel(QStringLiteral("Название листа или приложения"), tools);
    caption->setObjectName("Label4");
    caption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    toolRow->addWidget(caption);
    sheetList_ = new QComboBox(tools);
    sheetList_->setObjectName("ComboBox1");
    sheetList_->setMinimumWidth(160);
    toolRow->addWidget(sheetList_);
    auto button = [&](const char* name, const QString& text, const QString& hint) {
        auto* b = new QPushButton(text, tools);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        toolRow->addWidget(b);
        return b;
    };
    first_ = button("Button1", "Первая", "На первую страницу декларации");
    previous_ = button("Button2", "Предыдущая", "На предыдущую страницу декларации");
    next_ = button("Button3", "Следующая", "На следующую страницу декларации");
    last_ = button("Button4", "Последняя", "На последнюю страницу декларации");
    print_ = button("Button5", "Печать", QString());
    QPushButton* close = button("Button7", "Закрыть", "Закрыть предварительный просмотр");
    toolRow->addStretch();
    layout->addWidget(tools);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("Panel2");
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new QLabel(scroll_);
    view_->setObjectName("QRPreview1");
    scroll_->setWidget(view_);
    scroll_->installEventFilter(this);
    layout->addWidget(scroll_, 1);

    auto* status = new QWidget(this);
    status->setObjectName("Panel3");
    auto* statusRow = new QHBoxLayout(status);
    auto label = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, status);
        l->setObjectName(name);
        statusRow->addWidget(l);
        return l;
    };
    label("Label1", "Страница №");
    pageNumber_ = label("NomStranicy", "1");
    label("Label3", "из");
    pageCount_ = label("KolVoStranic", QString::number(sheets.Data().Plan.TotalPages));
    statusRow->addSpacing(30);
    label("Label2", "Масштаб");
    auto radio = [&](const char* name, const QString& text, Zoom zoom) {
        auto* r = new QRadioButton(text, status);
        r->setObjectName(name);
        statusRow->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this, zoom](bool on) {
            if (on) SetZoom(zoom);
        });
        return r;
    };
    radio("RadioButton1", "По высоте", Zoom::PageHeight);
    radio("RadioButton2", "По ширине", Zoom::PageWidth)->setChecked(true);
    radio("RadioButton3", "120 %", Zoom::Percent120);
    statusRow->addStretch();
    layout->addWidget(status);

    const kTPagePlan& plan = sheets.Data().Plan;
    for (int kind : plan.KindsInOrder()) {
        kinds_.push_back(kind);
        sheetList_->addItem(QString::fromUtf8(SheetName(plan, kind)));
    }
    print_->setEnabled(printEnabled);

    connect(sheetList_, &QComboBox::activated, this, [this](int index) { ChooseSheet(index); });
    connect(first_, &QPushButton::clicked, this, [this] { First(); });
    connect(previous_, &QPushButton::clicked, this, [this] { Previous(); });
    connect(next_, &QPushButton::clicked, this, [this] { Next(); });
    connect(last_, &QPushButton::clicked, this, [this] { Last(); });
    connect(print_, &QPushButton::clicked, this, [this] { Print(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    resize(1000, 800);
    ChooseSheet(0);
}

int TMyFormPreview::CurrentKind() const {
    const int index = sheetList_->currentIndex();
    return index < 0 ? 0 : kinds_[static_cast<size_t>(index)];
}

int TMyFormPreview::SheetIndex() const {
    return sheetList_->currentIndex();
}

QString TMyFormPreview::PageNumberText() const {
    return pageNumber_->text();
}

QString TMyFormPreview::PageCountText() const {
    return pageCount_->text();
}

QStringList TMyFormPreview::SheetNames() const {
    QStringList names;
    for (int i = 0; i < sheetList_->count(); ++i) names << sheetList_->itemText(i);
    return names;
}

bool TMyFormPreview::IsEnabled(const char* buttonName) const {
    auto* b = findChild<QPushButton*>(buttonName);
    return b != nullptr && b->isEnabled();
}

void TMyFormPreview::ChooseSheet(int index) {
    if (index < 0 || index >= static_cast<int>(kinds_.size())) return;
    sheetList_->setCurrentIndex(index);
    const int kind = kinds_[static_cast<size_t>(index)];
    firstPage_ = sheets_.Data().Plan.FirstPage(kind);
    pages_ = sheets_.Sheet(kind).Pages();
    page_ = 0;
    ShowCurrent();
}

void TMyFormPreview::First() {
    ChooseSheet(0);
}

void TMyFormPreview::Previous() {
    if (page_ > 0) {
        --page_;
        ShowCurrent();
    } else if (SheetIndex() > 0) {
        // Back across a sheet boundary lands on the previous sheet's last page.
        ChooseSheet(SheetIndex() - 1);
        page_ = std::max(0, static_cast<int>(pages_.size()) - 1);
        ShowCurrent();
    }
}

void TMyFormPreview::Next() {
    if (page_ + 1 < static_cast<int>(pages_.size())) {
        ++page_;
        ShowCurrent();
    } else if (SheetIndex() + 1 < static_cast<int>(kinds_.size())) {
        ChooseSheet(SheetIndex() + 1);
    }
}

void TMyFormPreview::Last() {
    ChooseSheet(static_cast<int>(kinds_.size()) - 1);
    page_ = std::max(0, static_cast<int>(pages_.size()) - 1);
    ShowCurrent();
}

void TMyFormPreview::Print() {
    PrintDeclaration(this, sheets_, printer_);
}

void TMyFormPreview::SetZoom(Zoom zoom) {
    zoom_ = zoom;
    Redraw();
}

void TMyFormPreview::ShowCurrent() {
    pageNumber_->setText(QString::number(firstPage_ + page_));
    pageCount_->setText(QString::number(sheets_.Data().Plan.TotalPages));
    UpdateButtons();
    Redraw();
}

void TMyFormPreview::UpdateButtons() {
    const int number = firstPage_ + page_;
    const int total = sheets_.Data().Plan.TotalPages;
    first_->setEnabled(number > 1);
    previous_->setEnabled(number > 1);
    next_->setEnabled(number < total);
    last_->setEnabled(number < total);
}

bool TMyFormPreview::eventFilter(QObject* watched, QEvent* event) {
    // The page area learns its size only after the window's own resize (and,
    // before the window is shown, only when it is shown), so the fit follows it.
    if (watched == scroll_ && event->type() == QEvent::Resize && zoom_ != Zoom::Percent120 &&
        !pages_.empty())
        Redraw();
    return QDialog::eventFilter(watched, event);
}

double TMyFormPreview::PixelsPerMm() const {
    // The area without scroll bars; a page fitted to the width is taller than the
    // area, so its vertical scroll bar takes its share of the width.
    const QSize area = scroll_->maximumViewportSize();
    switch (zoom_) {
        case Zoom::PageHeight:
            return std::max(1.0, (area.height() - 8) / kPaperHeight);
        case Zoom::PageWidth: {
            const int bar = scroll_->verticalScrollBar()->sizeHint().width();
            return std::max(1.0, (area.width() - bar - 8) / kPaperWidth);
        }
        case Zoom::Percent120:
            break;
    }
    return logicalDpiX() * 1.2 / 25.4;
}

void TMyFormPreview::Redraw() {
    if (pages_.empty()) {
        image_ = QImage();
        view_->clear();
        return;
    }
    const double scale = PixelsPerMm();
    image_ = QImage(static_cast<int>(std::lround(kPaperWidth * scale)),
                    static_cast<int>(std::lround(kPaperHeight * scale)), QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(scale * 1000));
    image_.setDotsPerMeterX(dpm);
    image_.setDotsPerMeterY(dpm);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    PaintPage(
        painter,
        pages_[static_cast<size_t>(std::min<int>(page_, static_cast<int>(pages_.size()) - 1))]);
    painter.end();
    view_->setPixmap(QPixmap::fromImage(image_));
    view_->resize(image_.size());
}

void QtPreviewRunner::Run(TMyFormPreview& window) {
    window.showMaximized();
    window.exec();
}

}  // namespace zorv
