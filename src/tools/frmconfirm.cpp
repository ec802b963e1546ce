#include "frmconfirm.h"

#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/imagefile.h"
#include "services/imaging.h"
#include "services/messages.h"
#include "widgets/busycursor.h"
#include "widgets/pictureview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <tuple>

namespace {

constexpr int ViewSide = 200; // pixels

QString sizeAndFormat(qint32 width, qint32 height, qint32 pixelFormat)
{
    return QString::number(width) + QStringLiteral(" x ") + QString::number(height)
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
    Label1 = label("Label1", QStringLiteral("Are you sure to replace the file ?"));
    grid->addWidget(Label1, 0, 0, 1, 2, Qt::AlignHCenter);

    auto *captions = new QHBoxLayout;
    Label2 = label("Label2", QStringLiteral("Previous Image"));
    chkTransparent = new QCheckBox(QStringLiteral("&Transparent *"), this);
    chkTransparent->setObjectName(QStringLiteral("chkTransparent"));
    Label3 = label("Label3", QStringLiteral("New Image"));
    captions->addStretch(1);
    captions->addWidget(Label2);
    captions->addStretch(1);
    captions->addWidget(chkTransparent);
    captions->addStretch(1);
    captions->addWidget(Label3);
    captions->addStretch(1);
    grid->addLayout(captions, 1, 0, 1, 2);

    picPrevious = new PictureView(QSize(ViewSide, ViewSide), this);
    picPrevious->setObjectName(QStringLiteral("picPrevious"));
    picNew = new PictureView(QSize(ViewSide, ViewSide), this);
    picNew->setObjectName(QStringLiteral("picNew"));
    grid->addWidget(picPrevious, 2, 0, Qt::AlignHCenter);
    grid->addWidget(picNew, 2, 1, Qt::AlignHCenter);
    lblPrevious = label("lblPrevious", QString());
    lblNew = label("lblNew", QString());
    grid->addWidget(lblPrevious, 3, 0, Qt::AlignHCenter);
    grid->addWidget(lblNew, 3, 1, Qt::AlignHCenter);

    // Yes ends at the middle, No starts it; the conversion note takes the rest of the right
    // column, on as many lines as it needs.
    cmdYes = new QPushButton(QStringLiteral("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = new QPushButton(QStringLiteral("&No"), this);
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
                   QStringLiteral("* Image palette must be formated correctly in oder to "
                                  "get transparent image in-game"));
    // The footnote wraps where the font is too wide for one line.
    Label4->setWordWrap(true);
    grid->addWidget(Label4, 5, 0, 1, 2);
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
    if (const auto record = ImageFile::info(MainModule::scratchBitmapPath()))
        std::tie(width[0], height[0], pixelFormat[0]) =
            std::tuple(record->width, record->height, record->pixelFormat);
    QString chosen = strFile;
    QString refusal;
    MainModule::GetImageInfo(width[1], height[1], pixelFormat[1], chosen, &refusal);
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

    qint32 w = ViewSide, h = ViewSide;
    QString temp;
    if (wholeFile)
        MainModule::DrawImageFile(picPrevious->canvas(), true, MainModule::RotateNoneFlipNone, w, h,
                                  temp);
    else
        MainModule::DrawTransparentBitmap(picPrevious->canvas(), true, ViewSide, ViewSide, temp);
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
    qint32 w = ViewSide, h = ViewSide;
    if (m_plan.picture)
        MainModule::DrawImage(picNew->canvas(), m_plan.picture->after.image(),
                              MainModule::Rotate180FlipX, ViewSide, ViewSide);
    else if (m_plan.wholeFile)
        MainModule::DrawImageFile(picNew->canvas(), true, MainModule::RotateNoneFlipNone, w, h,
                                  file);
    else if (chkTransparent->checkState() != Qt::Unchecked)
        MainModule::DrawTransparentBitmap(picNew->canvas(), true, ViewSide, ViewSide, file);
    else
        MainModule::DrawImageFile(picNew->canvas(), true, MainModule::Rotate180FlipX, w, h, file);
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
