#pragma once
// "Report Status": shows the page being generated and lets the user cancel.
#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

// What page generation reports to while it runs.
class TReportStatus {
public:
    virtual ~TReportStatus() = default;
    virtual void Start() = 0;
    // Before each page; false when the user has cancelled.
    virtual bool PageStarted(int pageNumber) = 0;
    virtual void Finish() = 0;
};

class TReportStatusWindow : public QDialog, public TReportStatus {
    Q_OBJECT
public:
    explicit TReportStatusWindow(const QString& title = QStringLiteral("Report Status"),
                                 QWidget* parent = nullptr);

    void Start() override;
    // Handles the events that piled up, so that Cancel gets through.
    bool PageStarted(int pageNumber) override;
    void Finish() override;

    bool Cancelled() const { return cancelled_; }
    QLabel* Text() const { return text_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    void reject() override; // Cancel and Esc

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* text_;
    QPushButton* cancelButton_;
    bool cancelled_ = false;
};

using TMakeReportStatus =
    std::function<std::unique_ptr<TReportStatus>(QWidget* owner, const QString& title)>;
std::unique_ptr<TReportStatus> MakeReportStatusWindow(QWidget* owner, const QString& title);
