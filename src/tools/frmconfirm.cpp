#include "frmconfirm.h"

#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/failure.h"
#include "services/imagefile.h"
#include "services/imaging.h"
#include "services/messages.h"
#include "services/settings.h"
#include "widgets/busycursor.h"
#include "widgets/pictureview.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include <tuple>

namespace {

constexpr int ViewSide = 200; // pixels

QString sizeAndFormat(qint32 width, qint32 height, qint32 pixelFormat)
{
    return QCoreApplication::translate("frmConfirm", "%1 x %2").arg(width).arg(height)
        + QStringLiteral("\r\n") + QString::number(pixelFormat);
}

} // namespace

frmConfirm::frmConfirm(Prompts &prompts, const ReplacePlan &plan, QWidget *owner)
    : QDialog(owner)
    , strFile(plan.file)
    , m_prompts(prompts)
    , m_plan(plan)
{
    setObjectName(QStringLiteral("frmConfirm"));
    setWindowTitle(Messages::confirmTitle());

    const auto label = [this](const char *name, const QString &caption) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    // Two columns, the record as it is on the left and the chosen file on the right; the window
    // takes the size its texts need in the current font.
    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    Label1 = label("Label1", tr("Are you sure to replace the file ?"));
    grid->addWidget(Label1, 0, 0, 1, 2, Qt::AlignHCenter);

    auto *captions = new QHBoxLayout;
    Label2 = label("Label2", tr("Previous Image"));
    chkTransparent = new QCheckBox(tr("&Transparent *"), this);
    chkTransparent->setObjectName(QStringLiteral("chkTransparent"));
    Label3 = label("Label3", tr("New Image"));
    captions->addStretch(1);
    captions->addWidget(Label2);
    captions->addStretch(1);
    captions->addWidget(chkTransparent);
    captions->addStretch(1);
    captions->addWidget(Label3);
    captions->addStretch(1);
    grid->addLayout(captions, 1, 0, 1, 2);

    // Each picture at its own size in a view of fixed room; the zoom scrolls inside it.
    const auto view = [this](const char *name) {
        auto *area = new QScrollArea(this);
        area->setFrameShape(QFrame::NoFrame);
        area->setFixedSize(ViewSide, ViewSide);
        auto *v = new PictureView(QSize(ViewSide, ViewSide));
        v->setObjectName(QString::fromLatin1(name));
        v->canvas().setGrowing(true);
        v->setZoomable(Settings::ConfirmZoomKey, true);
        v->addZoomMenu();
        area->setWidget(v);
        return std::pair {area, v};
    };
    QScrollArea *previousArea = nullptr, *newArea = nullptr;
    std::tie(previousArea, picPrevious) = view("picPrevious");
    std::tie(newArea, picNew) = view("picNew");
    picPrevious->shareZoom(picNew);
    picPrevious->addZoomKeys(this);
    grid->addWidget(previousArea, 2, 0, Qt::AlignHCenter);
    grid->addWidget(newArea, 2, 1, Qt::AlignHCenter);
    lblPrevious = label("lblPrevious", QString());
    lblNew = label("lblNew", QString());
    grid->addWidget(lblPrevious, 3, 0, Qt::AlignHCenter);
    grid->addWidget(lblNew, 3, 1, Qt::AlignHCenter);

    // Yes ends at the middle, No starts it; the conversion note takes the rest of the right
    // column, on as many lines as it needs.
    cmdYes = new QPushButton(tr("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = new QPushButton(tr("&No"), this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    lblConversion = label("lblConversion", QString());
    lblConversion->setWordWrap(true);
    lblConversion->setFixedWidth(ViewSide - cmdNo->sizeHint().width());
    grid->addWidget(cmdYes, 4, 0, Qt::AlignRight | Qt::AlignTop);
    auto *right = new QHBoxLayout;
    right->addWidget(cmdNo, 0, Qt::AlignTop);
    right->addWidget(lblConversion, 1);
    grid->addLayout(right, 4, 1);

    Label4 = label("Label4",
                   tr("* Image palette must be formated correctly in oder to "
                      "get transparent image in-game"));
    // The footnote wraps where the font is too wide for one line.
    Label4->setWordWrap(true);
    grid->addWidget(Label4, 5, 0, 1, 2);
    lblPointer = label("lblPointer", QString());
    lblPointer->setMinimumHeight(fontMetrics().height()); // the window keeps its size
    grid->addWidget(lblPointer, 6, 0, 1, 2);
    for (PictureView *v : {picPrevious, picNew})
        connect(v, &PictureView::pixelPointed, lblPointer, &QLabel::setText);
    cmdYes->setDefault(false);
    cmdYes->setAutoDefault(false);
    cmdNo->setAutoDefault(false);

    connect(chkTransparent, &QCheckBox::stateChanged, this, [this] { chkTransparent_Click(); });
    connect(cmdYes, &QPushButton::clicked, this, [this] { cmdYes_Click(); });
    connect(cmdNo, &QPushButton::clicked, this, [this] { cmdNo_Click(); });
}

frmConfirm::~frmConfirm() = default;

bool frmConfirm::ConfirmWrite()
{
    Form_Load();
    return exec() == QDialog::Accepted;
}

void frmConfirm::Form_Load()
{
    const bool wholeFile = m_plan.wholeFile;
    const bool anyPicture = !wholeFile && !PictureImport::isBitmap8(strFile);
    chkTransparent->setEnabled(!wholeFile && !anyPicture);
    m_plan.picture.reset();
    lblConversion->clear();

    qint32 width[2] = {0, 0}, height[2] = {0, 0}, pixelFormat[2] = {0, 0};
    // The record's copy, written just now, by its headers; the chosen file is read whole, as a
    // picture it cannot take is refused before any comparison.
    try {
        const ImageFile::Info record = ImageFile::info(MainModule::scratchBitmapPath());
        std::tie(width[0], height[0], pixelFormat[0]) =
            std::tuple(record.width, record.height, record.pixelFormat);
    } catch (const Failure &) {
        // An unreadable copy shows as 0 x 0; the chosen file's check below decides.
    }
    QString chosen = strFile;
    QString refusal;
    try {
        MainModule::GetImageInfo(width[1], height[1], pixelFormat[1], chosen, true);
    } catch (const Failure &failure) {
        refusal = failure.description();
    }
    lblPrevious->setText(sizeAndFormat(width[0], height[0], pixelFormat[0]));
    lblNew->setText(sizeAndFormat(width[1], height[1], pixelFormat[1]));

    if (!refusal.isEmpty()) {
        // Why the file cannot be read comes before any comparison with the record.
        m_prompts.critical(parentWidget(), refusal);
        cmdYes->setEnabled(false);
    } else if ((pixelFormat[0] != pixelFormat[1] && !anyPicture) || width[0] != width[1]
               || height[0] != height[1]) {
        // Shown while loading, before this window is on the screen: over the main window.
        m_prompts.critical(parentWidget(), Messages::imageTypeNotSame());
        cmdYes->setEnabled(false); // for the life of this window
    } else if (anyPicture && !planPicture()) {
        cmdYes->setEnabled(false);
    }

    qint32 w = 0, h = 0;
    QString temp;
    // The record's transparent colours show the checkerboard behind them.
    picPrevious->canvas().setSeeThrough(!wholeFile);
    if (wholeFile)
        MainModule::DrawImageFile(picPrevious->canvas(), false, MainModule::RotateNoneFlipNone, w,
                                  h, temp);
    else
        MainModule::DrawTransparentBitmap(picPrevious->canvas(), false, 0, 0, temp);
    drawNew();
}

bool frmConfirm::planPicture()
{
    try {
        BusyCursor busy; // a large picture takes a moment to reduce to 256 colours
        m_plan.picture = PictureImport::check(m_plan.gobPath, m_plan.offset, strFile);
        lblConversion->setText(m_plan.picture->description());
        return true;
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, parentWidget(), failure);
        return false;
    }
}

void frmConfirm::drawNew()
{
    QString file = strFile;
    qint32 w = 0, h = 0;
    const bool transparent =
        !m_plan.picture && !m_plan.wholeFile && chkTransparent->checkState() != Qt::Unchecked;
    picNew->canvas().setSeeThrough(transparent);
    if (m_plan.picture) {
        const QImage &image = m_plan.picture->after.image();
        MainModule::DrawImage(picNew->canvas(), image, MainModule::Rotate180FlipX, image.width(),
                              image.height());
    } else if (m_plan.wholeFile) {
        MainModule::DrawImageFile(picNew->canvas(), false, MainModule::RotateNoneFlipNone, w, h,
                                  file);
    } else if (transparent) {
        MainModule::DrawTransparentBitmap(picNew->canvas(), false, 0, 0, file);
    } else {
        MainModule::DrawImageFile(picNew->canvas(), false, MainModule::Rotate180FlipX, w, h, file);
    }
}

void frmConfirm::chkTransparent_Click()
{
    try {
        drawNew();
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmConfirm::cmdYes_Click()
{
    m_plan.keepAlpha =
        !m_plan.picture && !m_plan.wholeFile && chkTransparent->checkState() != Qt::Unchecked;
    accept();
}

void frmConfirm::cmdNo_Click()
{
    reject();
}
