#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "shell/outputs.h"

namespace zorv {

// The program's printing component: it draws the 3-NDFL paper form from the
// declaration file's text, every amount, code and date as the file has them,
// shows it in the form's preview window and prints it.
class TXmlPrintComponent : public TPrintComponent {
  public:
    void SetPrintTiffParam(const QString& name, const QString& value) override;
    void SetPrintTiffFolder(const QString& folder) override { folder_ = folder; }
    void SetDeclaration(const mTDeclaration& declaration) override;
    int PageCount(const QByteArray& xml) override;
    void PreviewData(const QByteArray& xml, QWidget* owner) override;
    // Prints the pages of the printer's page range (all when none is chosen) as
    // one job. Raises TPrintError when the text is no declaration file or the
    // printer cannot take the job.
    void PrintData(const QByteArray& xml, QPrinter& printer) override;

    const QString& InspectionName() const { return inspectionName_; }

  private:
    QString inspectionName_;
    QString folder_;
    std::vector<uint8_t> image_;  // the declaration, for what its file does not carry
};

}  // namespace zorv
