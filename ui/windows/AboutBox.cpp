#include "ui/windows/AboutBox.h"

#include "ui/windows/AboutPicture.h"
#include "ui/windows/AboutTexts.h"
#include "ui/windows/AboutVersion.h"
#include "ui/ErrorGuard.h"
#include "ui/controls/StaffelplanFonts.h"
#include "ui/controls/StaffelplanGlyphs.h"
#include "ui/controls/StaffelplanWidgets.h"

#include <QDesktopServices>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <qdrawutil.h>

namespace {

constexpr int VersionRightEdge = 377;

// Single-line border, raised outer bevel, 3 pixels of gap, lowered inner bevel.
class TBevelPanel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPalette& pal = palette();
        QRect r = rect();
        p.setPen(pal.color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
        qDrawShadePanel(&p, r, pal, false, 2);
        r.adjust(5, 5, -5, -5);
        qDrawShadePanel(&p, r, pal, true, 2);
    }
};

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font,
                  const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// An OK button whose mark stands 15 pixels from its left edge, the caption
// centred in the space right of it.
class TOkButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);
        const QPixmap mark = OkGlyph();
        const int shift = isDown() ? 1 : 0;
        const int markX = 15 + shift;
        p.drawPixmap(markX, (height() - mark.height()) / 2 + shift, mark);
        const QRect captionArea(markX + mark.width(), shift, width() - markX - mark.width(),
                                height());
        p.setFont(font());
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(captionArea, Qt::AlignCenter, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }
};

// Runs the link's handler in the given folder and comes back to ours, so
// that the data files keep resolving where they did.
class TScopedWorkingDirectory {
public:
    explicit TScopedWorkingDirectory(const QString& folder) : saved_(QDir::currentPath()) {
        switched_ = QDir::setCurrent(folder);
    }
    ~TScopedWorkingDirectory() {
        if (switched_)
            QDir::setCurrent(saved_);
    }
    TScopedWorkingDirectory(const TScopedWorkingDirectory&) = delete;
    TScopedWorkingDirectory& operator=(const TScopedWorkingDirectory&) = delete;

private:
    QString saved_;
    bool switched_ = false;
};

} // namespace

void OpenLinkWithDesktop(const QString& link, const QString& workingDirectory) {
    TScopedWorkingDirectory inFolder(workingDirectory);
    QDesktopServices::openUrl(QUrl(link));
}

TAboutBox::TAboutBox(QWidget* parent, TOpenLink openLink)
    : QDialog(parent), openLink_(std::move(openLink)) {
    setWindowTitle("Informationen");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(413, 470);
    setFont(UiFont({"System", 10}));

    auto* panel = new TBevelPanel(this);
    panel->setGeometry(7, 4, 399, 431);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setGeometry(14, 12, 114, 85);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(AboutPicture());

    ProductName =
        MakeLabel(panel, AboutProductName, 139, 24, UiFont({"Arial", 18, true}), Qt::black);
    ProductName->resize(242, 29);

    Version = new QLabel(panel);
    Version->setFont(UiFont({"Arial", 8}));
    Version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette black = Version->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Version->setPalette(black);

    Label4 = MakeLabel(panel, "28.04.2009", 139, 82, UiFont({"Arial", 8}),
                       palette().color(QPalette::WindowText));

    Memo1 = new QTextEdit(panel);
    Memo1->setGeometry(9, 104, 376, 201);
    Memo1->setFont(UiFont({"Arial", 8}));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QString::fromUtf8(AboutDescription));
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    Memo1->setPalette(memoPalette);

    auto* bevel1 = new QFrame(panel);
    bevel1->setGeometry(9, 311, 376, 103);
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const QFont caption = UiFont({"Arial", 10, true});
    const QFont value = UiFont({"Arial", 8});
    MakeLabel(panel, "Datum", 16, 317, caption, Qt::black);
    MakeLabel(panel, "April 2009", 160, 317, value, clMaroon);
    MakeLabel(panel, "Entwicklung", 16, 336, caption, Qt::black);
    MakeLabel(panel, AboutDeveloperTitle, 160, 336, value, clMaroon);
    MakeLabel(panel, AboutDeveloperName, 160, 351, value, clMaroon);
    MakeLabel(panel, AboutRightsCaption, 16, 370, caption, Qt::black);
    MakeLabel(panel, AboutRightsHolder, 160, 370, value, clMaroon);
    MakeLabel(panel, "Kontakt", 16, 389, caption, Qt::black);
    Label5 = MakeLabel(panel, AboutContactAddress, 160, 391,
                       UiFont({"Arial", 8, false, false, true}), clNavy);
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->installEventFilter(this);

    OKButton = new TOkButton("OK", this);
    OKButton->setGeometry(160, 439, 96, 28);
    OKButton->setFont(UiFont({"MS Sans Serif", 11, true}));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    Memo1->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(Memo1, OKButton);

    CentreOnScreen(this);
    Guard([this] { FormCreate(); });
}

void TAboutBox::FormCreate() {
    SetVersionLine(QString::fromStdString(VersionText()));
}

void TAboutBox::SetVersionLine(const QString& text) {
    Version->setText(text);
    const int width = Version->fontMetrics().horizontalAdvance(text);
    Version->setGeometry(VersionRightEdge - width, 82, width, 14);
}

void TAboutBox::Label5Click() {
    openLink_("mailto:" + Label5->text(), QString::fromStdString(TempDirectory()));
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OKButton->setFocus();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Label5->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Guard([this] { Label5Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
