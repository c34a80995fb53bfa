// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHelp2.h"

#include "ApplicationShell.h"
#include "GlyphButton.h"
#include "InterfaceLanguage.h"
#include "MessageBoxes.h"
#include "Points.h"
#include "ReadOnlyPane.h"
#include "RichTextFileLoader.h"
#include "RtfLimits.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <utility>

namespace eh {

namespace {

constexpr int kPanelWidth = 303;
constexpr int kImageAreaHeight = 159;
constexpr double kStartIndentPt = 5;

// The notice for a help document that was not shown, or not whole: the
// program's own words first, then, unless the file is simply missing, which
// file was looked at and what stood in the way.
QString HelpNotice(TDocumentFault fault, const QString& path)
{
    const QString notice = UiText("help.missing");
    const QString file = QDir::toNativeSeparators(path);
    switch (fault) {
    case TDocumentFault::Missing:
        return notice;
    case TDocumentFault::Folder:
        return notice + "\n" + UiText("help.folder").arg(file);
    case TDocumentFault::NotAFile:
        return notice + "\n" + UiText("help.not-a-file").arg(file);
    case TDocumentFault::NoPermission:
        return notice + "\n" + UiText("help.no-permission").arg(file);
    case TDocumentFault::TooLarge:
        return notice + "\n" + UiText("help.too-large").arg(file).arg(kMaxRtfInputSize >> 20);
    case TDocumentFault::OverLimits:
        return notice + "\n" + UiText("help.over-limits").arg(file);
    case TDocumentFault::ReadFailed:
        break;
    }
    return notice + "\n" + UiText("help.read-failed").arg(file);
}

} // namespace

QStringList DefaultHelpFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    // An installed tree moved elsewhere keeps its data beside its bin folder.
    const QString relocatedData = QDir::cleanPath(programFolder + "/../share/eh-antenna");
    return {QDir::currentPath(), programFolder, relocatedData, QStringLiteral(EH_HELP_INSTALL_DIR)};
}

QSize ProportionalSize(QSize picture, QSize area)
{
    if (picture.width() <= area.width() && picture.height() <= area.height())
        return picture;
    return picture.scaled(area, Qt::KeepAspectRatio);
}

TForm3::TForm3(const QStringList& helpFolders, QWidget* parent) : QWidget(parent), helpFolders_(helpFolders)
{
    setObjectName("Form3");
    setWindowTitle(UiText("help.caption"));
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window);
    setFont(WindowFont());

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setFixedWidth(kPanelWidth);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, kPanelWidth, kImageAreaHeight);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAccessibleName(UiText("help.sketch"));

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(1);
    Panel2->setFixedSize(kPanelWidth - 2, 41);

    BitBtn1 = new GlyphButton(UiText("button.close"), ":/glyphs/close.png", ":/glyphs/close-disabled.png", Panel2);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(102, 10, 91, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

    // Panel2 sits at the bottom of the left panel, inside its bevel.
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->setSpacing(0);
    panelLayout->addStretch(1);
    panelLayout->addWidget(Panel2);
    Image1->raise();

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    MakeReadOnlyPane(*RichEdit1);
    RichEdit1->setMinimumSize(550, 300);
    RichEdit1->setAccessibleName(UiText("menu.help.contents").remove('&'));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(RichEdit1, 1);

    setTabOrder(RichEdit1, BitBtn1);
    // The text pane has the focus whenever the window becomes active.
    RichEdit1->setFocus();
    resize(873, 515);
    CentreOnFirstShow(*this);
}

void TForm3::showEvent(QShowEvent* event)
{
    // Decoding and scaling the sketch and laying out the help document wait
    // for the first show: start-up does not need them. A notice comes once
    // the window is up.
    if (Image1->pixmap().isNull())
        ShowSketch();
    const QString notice = BuildReadDocument();
    if (!notice.isEmpty())
        QMetaObject::invokeMethod(this, [notice] { ShowNotice(notice); }, Qt::QueuedConnection);
    QWidget::showEvent(event);
}

void TForm3::ShowSketch()
{
    // Scaled to the screen's pixels, so that a scaled screen draws it sharp.
    const QPixmap sketch(":/images/flat-antenna.gif");
    const qreal ratio = devicePixelRatioF();
    const QSize size = ProportionalSize(sketch.size(), Image1->size());
    QPixmap shown = sketch.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    Image1->setPixmap(shown);
}

QString TForm3::HelpDocumentPath() const
{
    for (const QString& folder : helpFolders_) {
        const QString candidate = QDir(folder).filePath(UiText("help.document"));
        // Whatever stands under the name is the help document, so that the
        // notice can say what is wrong with a folder or a device.
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return QDir(helpFolders_.value(0)).filePath(UiText("help.document"));
}

void TForm3::IndentParagraphs()
{
    // Every paragraph's first line starts 5 points from the left; its other
    // lines keep their offset from the first.
    const double indent = PointsToPixels(kStartIndentPt, *this);
    QTextCursor cursor(RichEdit1->document());
    cursor.beginEditBlock();
    for (QTextBlock block = RichEdit1->document()->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const double offset = -format.textIndent();
        format.setLeftMargin(indent + offset);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
    RichEdit1->moveCursor(QTextCursor::Start);
}

void TForm3::FormCreate()
{
    documentRead_ = false;
    const QString path = HelpDocumentPath();
    try {
        documentBytes_ = ReadDocumentFile(path);
        documentPath_ = path;
        documentRead_ = true;
    } catch (const EDocumentOpenError& error) {
        ShowNotice(HelpNotice(error.fault(), path));
    } catch (const EDocumentLoadError& error) {
        ShowNotice(HelpNotice(error.fault(), path));
    } catch (...) {
        ShowNotice(HelpNotice(TDocumentFault::ReadFailed, path));
    }
}

QString TForm3::BuildReadDocument()
{
    if (!documentRead_)
        return {};
    documentRead_ = false;
    const QByteArray bytes = std::exchange(documentBytes_, {});
    QString notice;
    try {
        BuildRichTextDocument(bytes, *RichEdit1->document());
        IndentParagraphs();
    } catch (const EDocumentLoadError& error) {
        notice = HelpNotice(error.fault(), documentPath_);
    } catch (...) {
        notice = HelpNotice(TDocumentFault::ReadFailed, documentPath_);
    }
    return notice;
}

void TForm3::BuildHelpDocument()
{
    const QString notice = BuildReadDocument();
    if (!notice.isEmpty())
        ShowNotice(notice);
}

} // namespace eh
