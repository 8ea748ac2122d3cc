#include "shell/printcomponent.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "model/declaration.h"
#include "report/preview.h"
#include "report/reportrun.h"
#include "report/xmlform.h"
#include "report/xmlsheets.h"
#include "widgets/dialogs.h"
#include "widgets/shelltext.h"

namespace zorv {
namespace {

std::unique_ptr<kTXmlForm> FormOf(const QByteArray& xml, const std::vector<uint8_t>& image,
                                  const QString& inspectionName) {
    try {
        return std::make_unique<kTXmlForm>(xml, image, FromQ(inspectionName), true);
    } catch (const XmlSheetsError& e) {
        throw TPrintError(e.what());
    }
}

}  // namespace

void TXmlPrintComponent::SetPrintTiffParam(const QString& name, const QString& value) {
    if (name == QStringLiteral("Наименование налогового органа-получателя"))
        inspectionName_ = value;
}

void TXmlPrintComponent::SetDeclaration(const mTDeclaration& declaration) {
    image_ = declaration.BuildImage();
    image_.push_back(0);
}

int TXmlPrintComponent::PageCount(const QByteArray& xml) {
    return FormOf(xml, image_, inspectionName_)->TotalPages();
}

void TXmlPrintComponent::PreviewData(const QByteArray& xml, QWidget* owner) {
    std::unique_ptr<kTXmlForm> form = FormOf(xml, image_, inspectionName_);
    QtPrintTarget printer;
    TMyFormPreview preview(form->Sheets(), printer, true, owner);
    preview.setObjectName(QStringLiteral("fmPreview"));
    Dialogs().Run(preview);
}

void TXmlPrintComponent::PrintData(const QByteArray& xml, QPrinter& printer) {
    std::unique_ptr<kTXmlForm> form = FormOf(xml, image_, inspectionName_);
    int from = 1;
    int to = form->TotalPages();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(to, printer.toPage());
    }
    const std::vector<kTPage> pages = form->Pages(from, to);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    bool printed = !pages.empty() && painter.begin(&printer);
    for (size_t i = 0; printed && i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) printed = false;
        if (printed) PaintPage(painter, pages[i]);
    }
    if (painter.isActive()) printed = painter.end() && printed;
    if (printed && printer.printerState() != QPrinter::Error &&
        (printer.outputFileName().isEmpty() || QFileInfo::exists(printer.outputFileName())))
        return;
    const QString target = printer.outputFileName().isEmpty()
                               ? QStringLiteral("на принтере «%1»").arg(printer.printerName())
                               : QStringLiteral("в файл %1").arg(printer.outputFileName());
    throw TPrintError(
        QStringLiteral("Не удалось напечатать декларацию %1.").arg(target).toStdString());
}

std::unique_ptr<TPrintComponent> CreatePrintComponent() {
    return std::make_unique<TXmlPrintComponent>();
}

}  // namespace zorv
