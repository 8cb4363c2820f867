#include "report/qt/ReportPreviewWindow.h"

#include "report/SnapshotFile.h"
#include "report/qt/PagePainter.h"
#include "report/qt/PdfExport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr double MinZoom = 10;
constexpr double MaxZoom = 200;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PdfFilter() {
    return QStringLiteral("PDF Document (*.pdf)");
}

QString ChooseSnapshotToOpen(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open File"), QString(),
                                        FromView(SnapshotFileFilter));
}

std::optional<std::pair<QString, TPreviewSaveType>> ChooseFileToSave(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({FromView(SnapshotFileFilter), PdfFilter()});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const TPreviewSaveType type =
        dialog.selectedNameFilter() == PdfFilter() ? stPdf : stPageSnapshot;
    return std::make_pair(dialog.selectedFiles().front(), type);
}

QString ExtensionOf(TPreviewSaveType type) {
    return type == stPdf ? QStringLiteral(".pdf") : FromView(SnapshotExtension);
}

std::optional<QString> AskWithInputBox(QWidget* parent, const QString& caption,
                                       const QString& prompt, const QString& preset) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

} // namespace

QString ApplicationTitleFromProgram() {
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    name = name.left(name.indexOf(QLatin1Char('.')) < 0 ? name.size()
                                                        : name.indexOf(QLatin1Char('.')));
    if (name.isEmpty())
        return QStringLiteral("Staffelplan");
    return name.left(1) + name.mid(1).toLower();
}

// --- page view ---

TPreviewPageView::TPreviewPageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPreviewPageView::SetPage(const TReportPage* page, double zoom, int shadow) {
    page_ = page;
    zoom_ = zoom;
    shadow_ = shadow;
    const double dpi = BaseDpi() * zoom_ / 100.0;
    const QSize paper = page_ ? QSize(static_cast<int>(std::lround(page_->Width * dpi)),
                                      static_cast<int>(std::lround(page_->Height * dpi)))
                              : QSize(0, 0);
    setFixedSize(paper + QSize(2 * Margin + shadow_, 2 * Margin + shadow_));
    update();
}

void TPreviewPageView::paintEvent(QPaintEvent*) {
    if (!page_)
        return;
    QPainter painter(this);
    const double dpi = BaseDpi() * zoom_ / 100.0;
    const QRect paper(Margin, Margin, static_cast<int>(std::lround(page_->Width * dpi)),
                      static_cast<int>(std::lround(page_->Height * dpi)));
    painter.fillRect(paper.translated(shadow_, shadow_), QColor(64, 64, 64));
    painter.fillRect(paper, Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(paper.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), paper.size()));
    TPaintMetrics metrics;
    metrics.DotsPerInchX = dpi;
    metrics.DotsPerInchY = dpi;
    metrics.PixelWidth = 1; // a layout pixel stays one screen pixel at every zoom
    PaintPage(painter, *page_, metrics);
}

void TPreviewScrollArea::keyPressEvent(QKeyEvent* event) {
    if (KeyHandler && KeyHandler(event))
        return;
    QScrollArea::keyPressEvent(event);
}

// --- window ---

TReportPreviewWindow::TReportPreviewWindow(TReportPages pages, TOutputOptions options,
                                           const TPrinterSource& printers, QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)), options_(std::move(options)), printers_(printers),
      zoom_(std::clamp(options_.Zoom, MinZoom, MaxZoom)) {
    setWindowTitle(options_.PreviewTitle);
    setModal(options_.ModalPreview);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(options_.PreviewWidth, options_.PreviewHeight);
    ChooseOpenFile = ChooseSnapshotToOpen;
    ChooseSaveFile = ChooseFileToSave;
    AskText = AskWithInputBox;
    RunOptions = OutputOptionsRunner(printers_);
    ApplicationTitle = ApplicationTitleFromProgram();

    MakeActions();
    menuBar_ = new QMenuBar(this);
    MakeMenus();

    scrollArea_ = new TPreviewScrollArea;
    scrollArea_->setAlignment(Qt::AlignCenter);
    scrollArea_->setBackgroundRole(QPalette::Dark);
    scrollArea_->setFocusPolicy(Qt::StrongFocus);
    view_ = new TPreviewPageView;
    scrollArea_->setWidget(view_);
    scrollArea_->KeyHandler = [this](QKeyEvent* event) { return HandleKey(event); };

    auto* status = new QStatusBar;
    status->setSizeGripEnabled(false);
    statusLine_ = new QLabel;
    status->addWidget(statusLine_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(MakeToolBar());
    layout->addWidget(scrollArea_, 1);
    layout->addWidget(status);

    page_ = pages_.Pages.empty() ? 0 : 1;
    ShowState();
    scrollArea_->setFocus();
}

void TReportPreviewWindow::MakeActions() {
    struct TDefinition {
        TPreviewCommand Command;
        const char* Text;
        QList<QKeySequence> Keys;
        QStyle::StandardPixmap Icon;
    };
    const QStyle::StandardPixmap none = QStyle::SP_CustomBase;
    const TDefinition definitions[] = {
        {pcOpen, "&Open", {QKeySequence(Qt::CTRL | Qt::Key_O)}, QStyle::SP_DialogOpenButton},
        {pcSaveAs, "&Save As", {QKeySequence(Qt::CTRL | Qt::Key_S)}, QStyle::SP_DialogSaveButton},
        {pcPrint, "&Print", {QKeySequence(Qt::CTRL | Qt::Key_P)}, none},
        {pcExit,
         "E&xit",
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_X)},
         QStyle::SP_DialogCloseButton},
        {pcFirst, "&First", {QKeySequence(Qt::CTRL | Qt::Key_Home)}, QStyle::SP_MediaSkipBackward},
        {pcPrevious,
         "&Previous",
         {QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
         QStyle::SP_MediaSeekBackward},
        {pcNext, "&Next", {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, QStyle::SP_MediaSeekForward},
        {pcLast, "&Last", {QKeySequence(Qt::CTRL | Qt::Key_End)}, QStyle::SP_MediaSkipForward},
        {pcGoToPage, "&Go to Page #", {QKeySequence(Qt::CTRL | Qt::Key_G)}, none},
        {pcZoomIn, "Zoom &In", {QKeySequence(Qt::Key_Plus)}, none},
        {pcZoomOut, "Zoom &Out", {QKeySequence(Qt::Key_Minus)}, none},
        {pcFitPage, "Fit to &Page", {QKeySequence(Qt::CTRL | Qt::Key_F)}, none},
        {pcFitWidth, "Fit to Page &Width", {QKeySequence(Qt::CTRL | Qt::Key_W)}, none},
    };
    for (const TDefinition& definition : definitions) {
        auto* action = new QAction(QString::fromLatin1(definition.Text), this);
        action->setShortcuts(definition.Keys);
        action->setShortcutContext(Qt::WindowShortcut);
        if (definition.Icon != none)
            action->setIcon(style()->standardIcon(definition.Icon));
        const TPreviewCommand command = definition.Command;
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
        addAction(action);
        actions_[command] = action;
    }
    actions_[pcPrint]->setEnabled(options_.AllowPrintFromPreview);
    actions_[pcSaveAs]->setEnabled(options_.AllowSaveFromPreview);
}

void TReportPreviewWindow::MakeMenus() {
    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(actions_[pcOpen]);
    file->addAction(actions_[pcSaveAs]);
    file->addAction(actions_[pcPrint]);
    file->addSeparator();
    file->addAction(actions_[pcExit]);
    QMenu* page = menuBar_->addMenu(QStringLiteral("&Page"));
    for (TPreviewCommand command : {pcFirst, pcPrevious, pcNext, pcLast})
        page->addAction(actions_[command]);
    page->addSeparator();
    page->addAction(actions_[pcGoToPage]);
    QMenu* zoom = menuBar_->addMenu(QStringLiteral("&Zoom"));
    for (TPreviewCommand command : {pcZoomIn, pcZoomOut, pcFitPage, pcFitWidth})
        zoom->addAction(actions_[command]);
}

QWidget* TReportPreviewWindow::MakeToolBar() {
    auto* bar = new QToolBar;
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Commands without a standard picture show a short text instead.
    const std::pair<TPreviewCommand, const char*> texts[] = {{pcPrint, "Print"},
                                                             {pcZoomIn, "+"},
                                                             {pcZoomOut, "\u2212"},
                                                             {pcFitPage, "Page"},
                                                             {pcFitWidth, "Width"}};
    auto addCommand = [&](TPreviewCommand command) {
        QAction* action = actions_[command];
        if (action->icon().isNull()) {
            auto* shown = bar->addAction(QString::fromUtf8(
                std::find_if(std::begin(texts), std::end(texts), [&](const auto& entry) {
                    return entry.first == command;
                })->second));
            shown->setToolTip(action->text().remove(QLatin1Char('&')));
            connect(shown, &QAction::triggered, action, &QAction::trigger);
            connect(action, &QAction::changed, shown,
                    [shown, action] { shown->setEnabled(action->isEnabled()); });
            shown->setEnabled(action->isEnabled());
        } else {
            bar->addAction(action);
        }
    };
    addCommand(pcOpen);
    addCommand(pcSaveAs);
    addCommand(pcPrint);
    bar->addSeparator();
    for (TPreviewCommand command : {pcFirst, pcPrevious, pcNext, pcLast})
        addCommand(command);
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" Page ")));
    pageField_ = new QLineEdit;
    pageField_->setFixedWidth(36);
    pageField_->setAlignment(Qt::AlignRight);
    pageField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), pageField_));
    bar->addWidget(pageField_);
    pageCountLabel_ = new QLabel;
    bar->addWidget(pageCountLabel_);
    bar->addSeparator();
    addCommand(pcZoomOut);
    addCommand(pcZoomIn);
    zoomField_ = new QLineEdit;
    zoomField_->setFixedWidth(48);
    zoomField_->setAlignment(Qt::AlignRight);
    zoomField_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*(\\.[0-9]?)?")), zoomField_));
    bar->addWidget(zoomField_);
    bar->addWidget(new QLabel(QStringLiteral(" % ")));
    addCommand(pcFitPage);
    addCommand(pcFitWidth);
    bar->addSeparator();
    addCommand(pcExit);
    connect(pageField_, &QLineEdit::editingFinished, this,
            [this] { Guarded([this] { PageFieldDone(); }); });
    connect(zoomField_, &QLineEdit::editingFinished, this,
            [this] { Guarded([this] { ZoomFieldDone(); }); });
    return bar;
}

void TReportPreviewWindow::Guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        if (ShowError)
            ShowError(error.what());
        else
            QMessageBox::critical(this, ApplicationTitle, QString::fromUtf8(error.what()));
    }
}

void TReportPreviewWindow::Run(TPreviewCommand command) {
    Guarded([&] {
        switch (command) {
        case pcOpen:
            OpenFile();
            break;
        case pcSaveAs:
            SaveAs();
            break;
        case pcPrint:
            PrintShown();
            break;
        case pcExit:
            reject();
            break;
        case pcFirst:
            GoToPage(1);
            break;
        case pcPrevious:
            GoToPage(page_ - 1);
            break;
        case pcNext:
            GoToPage(page_ + 1);
            break;
        case pcLast:
            GoToPage(PageCount());
            break;
        case pcGoToPage:
            AskForPage();
            break;
        case pcZoomIn:
            SetZoom(zoom_ + options_.ZoomStep);
            break;
        case pcZoomOut:
            SetZoom(zoom_ - options_.ZoomStep);
            break;
        case pcFitPage:
            Fit(true);
            break;
        case pcFitWidth:
            Fit(false);
            break;
        }
    });
}

void TReportPreviewWindow::GoToPage(int page) {
    const int count = PageCount();
    const int target = count == 0 ? 0 : std::clamp(page, 1, count);
    if (target != page_) {
        page_ = target;
        scrollArea_->verticalScrollBar()->setValue(0);
    }
    ShowState();
}

void TReportPreviewWindow::SetZoom(double zoom) {
    if (!std::isfinite(zoom))
        return;
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    ShowState();
}

void TReportPreviewWindow::Fit(bool wholePage) {
    if (page_ == 0)
        return;
    const TReportPage& page = pages_.Pages[static_cast<std::size_t>(page_ - 1)];
    const int room = 2 * TPreviewPageView::Margin + options_.PageShadow;
    const QSize viewport = scrollArea_->maximumViewportSize();
    // Width fitting leaves room for the vertical scroll bar it brings.
    const int scrollBar = wholePage ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double dpi = view_->BaseDpi();
    const double byWidth = (viewport.width() - room - scrollBar) / (page.Width * dpi) * 100.0;
    const double byHeight = (viewport.height() - room) / (page.Height * dpi) * 100.0;
    SetZoom(wholePage ? std::min(byWidth, byHeight) : byWidth);
}

void TReportPreviewWindow::ShowState() {
    const int count = PageCount();
    const TReportPage* page =
        page_ > 0 ? &pages_.Pages[static_cast<std::size_t>(page_ - 1)] : nullptr;
    view_->SetPage(page, zoom_, options_.PageShadow);
    pageField_->setText(QString::number(page_));
    pageCountLabel_->setText(QStringLiteral(" of %1 ").arg(count));
    zoomField_->setText(QString::number(zoom_, 'f', 1));
    statusLine_->setText(QStringLiteral("Page %1 of %2").arg(page_).arg(count));
    actions_[pcFirst]->setEnabled(page_ > 1);
    actions_[pcPrevious]->setEnabled(page_ > 1);
    actions_[pcNext]->setEnabled(page_ < count);
    actions_[pcLast]->setEnabled(page_ < count);
}

void TReportPreviewWindow::PageFieldDone() {
    bool ok = false;
    const int page = pageField_->text().toInt(&ok);
    if (ok)
        GoToPage(page);
    else
        ShowState();
}

void TReportPreviewWindow::ZoomFieldDone() {
    bool ok = false;
    const double zoom = zoomField_->text().toDouble(&ok);
    if (ok)
        SetZoom(zoom);
    else
        ShowState();
}

void TReportPreviewWindow::AskForPage() {
    const auto answer = AskText(this, QStringLiteral("Go to Page"),
                                QStringLiteral("Enter page to move to:"), QString::number(page_));
    if (!answer)
        return;
    bool ok = false;
    const int page = answer->trimmed().toInt(&ok);
    if (ok)
        GoToPage(page);
}

void TReportPreviewWindow::OpenFile() {
    const QString name = ChooseOpenFile(this);
    if (name.isEmpty())
        return;
    pages_ = ReadSnapshotFile(name.toStdString());
    page_ = -1; // forces the scroll back to the top
    GoToPage(1);
    setWindowTitle(ApplicationTitle + QStringLiteral(" - [ ") + name + QStringLiteral(" ]"));
}

std::pair<QString, TPreviewSaveType> SaveAsTarget(const QString& name, TPreviewSaveType chosen) {
    const QString suffix = QLatin1Char('.') + QFileInfo(name).suffix();
    for (TPreviewSaveType type : {stPageSnapshot, stPdf})
        if (suffix.compare(ExtensionOf(type), Qt::CaseInsensitive) == 0)
            return {name, type};
    return {name + ExtensionOf(chosen), chosen};
}

void TReportPreviewWindow::SaveAs() {
    const auto chosen = ChooseSaveFile(this);
    if (!chosen)
        return;
    const auto [name, type] = SaveAsTarget(chosen->first, chosen->second);
    if (type == stPdf)
        ExportPdf(pages_, name);
    else
        WriteSnapshotFile(name.toStdString(), pages_);
}

void TReportPreviewWindow::PrintShown() {
    TOutputOptions options = options_;
    if (!RunOptions(this, options, ofPrintRange, PageCount()))
        return;
    Print(pages_, options);
    options_.PrinterName = options.PrinterName; // what Setup chose stays for the next print
    options_.Printer = options.Printer;
}

bool TReportPreviewWindow::HandleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    QScrollBar* vertical = scrollArea_->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        if (ctrl)
            return false;
        ScrollBy(event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Down,
                 event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
        return true;
    case Qt::Key_Home:
        vertical->setValue(vertical->minimum());
        return true;
    case Qt::Key_End:
        vertical->setValue(vertical->maximum());
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (!ctrl)
            return false;
        QScrollBar* horizontal = scrollArea_->horizontalScrollBar();
        const int step =
            (modifiers & Qt::ShiftModifier) ? horizontal->pageStep() : horizontal->singleStep();
        horizontal->setValue(horizontal->value() + (event->key() == Qt::Key_Left ? -step : step));
        return true;
    }
    default:
        break;
    }
    if (ctrl || (modifiers & Qt::AltModifier) || event->text().isEmpty())
        return false;
    const QChar key = event->text().front().toUpper();
    if (key == QLatin1Char('B'))
        Run(pcFirst);
    else if (key == QLatin1Char('E'))
        Run(pcLast);
    else if (key == QLatin1Char('N'))
        Run(pcNext);
    else if (key == QLatin1Char('P'))
        Run(pcPrevious);
    else if (key == QLatin1Char('F'))
        Run(pcFitPage);
    else if (key == QLatin1Char('W'))
        Run(pcFitWidth);
    else if (key == QLatin1Char('+'))
        Run(pcZoomIn);
    else if (key == QLatin1Char('-'))
        Run(pcZoomOut);
    else if (key == QLatin1Char('X'))
        Run(pcExit);
    else if (key == QChar(0x1b))
        return false; // Esc closes through QDialog
    return true;      // any other character key is ignored
}

void TReportPreviewWindow::ScrollBy(bool forward, bool wholeStep) {
    QScrollBar* vertical = scrollArea_->verticalScrollBar();
    const int step = wholeStep ? vertical->pageStep() : vertical->singleStep();
    if (forward && vertical->value() >= vertical->maximum()) {
        if (page_ < PageCount()) {
            GoToPage(page_ + 1);
            vertical->setValue(vertical->minimum());
        }
        return;
    }
    if (!forward && vertical->value() <= vertical->minimum()) {
        if (page_ > 1) {
            GoToPage(page_ - 1);
            vertical->setValue(vertical->maximum());
        }
        return;
    }
    vertical->setValue(vertical->value() + (forward ? step : -step));
}

void TReportPreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TShowPreview PreviewRunner(const TPrinterSource& printers,
                           std::function<void(const std::string&)> showError) {
    return [&printers, showError](QWidget* owner, const TReportPages& pages,
                                  const TOutputOptions& options) {
        TReportPreviewWindow window(pages, options, printers, owner);
        window.ShowError = showError;
        window.exec();
    };
}
