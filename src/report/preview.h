#pragma once

// The preview window of the paper form: the list of planned sheets, paging
// through the whole declaration across sheets, zoom, print and close. Sheets
// are composed when first shown.

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <vector>

#include "report/pagelayer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace zorv {

class kTReportSheets;
class PrintTarget;

class TMyFormPreview : public QDialog {
  public:
    enum class Zoom { PageHeight, PageWidth, Percent120 };

    TMyFormPreview(kTReportSheets& sheets, PrintTarget& printer, bool printEnabled,
                   QWidget* owner = nullptr);

    // The commands of the window's buttons and list.
    void First();
    void Previous();
    void Next();
    void Last();
    void ChooseSheet(int index);  // an entry of the sheet list
    void Print();
    void SetZoom(Zoom zoom);

    int CurrentKind() const;
    int PageInSheet() const { return page_; }  // from 0
    int FirstPage() const { return firstPage_; }
    QString PageNumberText() const;
    QString PageCountText() const;
    QStringList SheetNames() const;
    int SheetIndex() const;
    bool IsEnabled(const char* buttonName) const;
    // The page on display as drawn in the preview.
    const QImage& PageImage() const { return image_; }

  protected:
    // A fitted page follows the size of the page area, whenever the window
    // changes size (it is shown maximised after it is built).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowCurrent();
    void UpdateButtons();
    void Redraw();
    double PixelsPerMm() const;

    kTReportSheets& sheets_;
    PrintTarget& printer_;
    std::vector<int> kinds_;  // the kind of each list entry
    std::vector<kTPage> pages_;
    int firstPage_ = 1;
    int page_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    QImage image_;

    QComboBox* sheetList_ = nullptr;
    QPushButton* first_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* last_ = nullptr;
    QPushButton* print_ = nullptr;
    QLabel* pageNumber_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QLabel* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

// Runs the preview window until it is closed.
class PreviewRunner {
  public:
    virtual ~PreviewRunner() = default;
    virtual void Run(TMyFormPreview& window) = 0;
};

// Shows the window maximised in an event loop of its own.
class QtPreviewRunner : public PreviewRunner {
  public:
    void Run(TMyFormPreview& window) override;
};

}  // namespace zorv
