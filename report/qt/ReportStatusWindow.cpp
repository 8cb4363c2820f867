#include "report/qt/ReportStatusWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TReportStatusWindow::TReportStatusWindow(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(title);
    text_ = new QLabel(QStringLiteral("Generating page 1"));
    text_->setAlignment(Qt::AlignCenter);
    text_->setMinimumWidth(220);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TReportStatusWindow::Start() {
    cancelled_ = false;
    // Events are processed while pages are generated; only Cancel may get through.
    setWindowModality(Qt::ApplicationModal);
    show();
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QCoreApplication::processEvents();
}

bool TReportStatusWindow::PageStarted(int pageNumber) {
    text_->setText(QStringLiteral("Generating page %1").arg(pageNumber));
    QCoreApplication::processEvents();
    return !cancelled_;
}

void TReportStatusWindow::Finish() {
    hide();
}

void TReportStatusWindow::reject() {
    cancelled_ = true;
}

void TReportStatusWindow::closeEvent(QCloseEvent* event) {
    // No close box; a close request from elsewhere counts as Cancel.
    cancelled_ = true;
    event->ignore();
}

std::unique_ptr<TReportStatus> MakeReportStatusWindow(QWidget* owner, const QString& title) {
    return std::make_unique<TReportStatusWindow>(title, owner);
}
