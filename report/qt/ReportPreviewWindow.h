#pragma once
// "Report Preview": one page at a time in a scrolling area, with page and
// zoom commands, and "&Open", "&Save As" and "&Print" for the shown pages.
#include "report/Pages.h"
#include "report/qt/OutputOptionsDialog.h"
#include "report/qt/PrintPages.h"

#include <QDialog>
#include <QScrollArea>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;

enum TPreviewCommand {
    pcOpen,
    pcSaveAs,
    pcPrint,
    pcExit,
    pcFirst,
    pcPrevious,
    pcNext,
    pcLast,
    pcGoToPage,
    pcZoomIn,
    pcZoomOut,
    pcFitPage,
    pcFitWidth
};

enum TPreviewSaveType { stPageSnapshot, stPdf };

// What "&Save As" writes for a name typed with a type chosen: a name ending
// in a known type's extension (in any letter case) writes that type; any
// other name, with no extension or an unknown one, gets the chosen type's
// extension added ("plan.txt" becomes "plan.txt.spp").
std::pair<QString, TPreviewSaveType> SaveAsTarget(const QString& name, TPreviewSaveType chosen);

// The paper of the current page, with its shadow, at the window's zoom.
class TPreviewPageView : public QWidget {
public:
    static constexpr int Margin = 10;
    explicit TPreviewPageView(QWidget* parent = nullptr);
    void SetPage(const TReportPage* page, double zoom, int shadow);
    // Screen pixels of one inch at 100 %.
    double BaseDpi() const { return logicalDpiX(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TReportPage* page_ = nullptr;
    double zoom_ = 100;
    int shadow_ = 5;
};

// Hands its keys to the window first.
class TPreviewScrollArea : public QScrollArea {
public:
    std::function<bool(QKeyEvent*)> KeyHandler;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    TReportPreviewWindow(TReportPages pages, TOutputOptions options, const TPrinterSource& printers,
                         QWidget* parent = nullptr);

    // Seams: file dialogs, the input box, printing, the error box.
    std::function<QString(QWidget*)> ChooseOpenFile;
    std::function<std::optional<std::pair<QString, TPreviewSaveType>>(QWidget*)> ChooseSaveFile;
    std::function<std::optional<QString>(QWidget*, const QString& caption, const QString& prompt,
                                         const QString& preset)>
        AskText;
    TRunOutputOptions RunOptions;
    TPrintPages Print = PrintPages;
    std::function<void(const std::string&)> ShowError;
    QString ApplicationTitle;

    int CurrentPage() const { return page_; }
    int PageCount() const { return static_cast<int>(pages_.Pages.size()); }
    double Zoom() const { return zoom_; }
    const TReportPages& Pages() const { return pages_; }
    void GoToPage(int page);
    void SetZoom(double zoom);
    void Run(TPreviewCommand command); // as the menu does

    QAction* Action(TPreviewCommand command) const { return actions_.at(command); }
    QMenuBar* MenuBar() const { return menuBar_; }
    QLineEdit* PageField() const { return pageField_; }
    QLabel* PageCountLabel() const { return pageCountLabel_; }
    QLineEdit* ZoomField() const { return zoomField_; }
    QLabel* StatusLine() const { return statusLine_; }
    TPreviewScrollArea* ScrollArea() const { return scrollArea_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakeActions();
    void MakeMenus();
    QWidget* MakeToolBar();
    void Guarded(const std::function<void()>& body);
    bool HandleKey(QKeyEvent* event);
    void ScrollBy(bool forward, bool wholeStep);
    void ShowState();
    void PageFieldDone();
    void ZoomFieldDone();
    void OpenFile();
    void SaveAs();
    void PrintShown();
    void AskForPage();
    void Fit(bool wholePage);

    TReportPages pages_;
    TOutputOptions options_;
    const TPrinterSource& printers_;
    int page_ = 1;
    double zoom_ = 100;

    std::map<TPreviewCommand, QAction*> actions_;
    QMenuBar* menuBar_ = nullptr;
    QLineEdit* pageField_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QLineEdit* zoomField_ = nullptr;
    QLabel* statusLine_ = nullptr;
    TPreviewScrollArea* scrollArea_ = nullptr;
    TPreviewPageView* view_ = nullptr;
};

// The program file's name up to its first point, every letter after the
// first in lower case.
QString ApplicationTitleFromProgram();

// Shows the preview modally over owner.
using TShowPreview =
    std::function<void(QWidget* owner, const TReportPages& pages, const TOutputOptions& options)>;
TShowPreview PreviewRunner(const TPrinterSource& printers,
                           std::function<void(const std::string&)> showError);
