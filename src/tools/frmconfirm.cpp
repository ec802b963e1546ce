#include "frmconfirm.h"

#include "services/errorreport.h"
#include "services/imaging.h"
#include "services/messages.h"
#include "widgets/busycursor.h"
#include "widgets/pictureview.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int ViewSide = 200; // pixels

// Places a control at a designed position given in twips.
template<typename Widget>
Widget *placed(Widget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                        Twips::toPixels(height));
    return widget;
}

// Widens a caption that the designed width cuts off in the current font.
void fitCaption(QWidget *widget)
{
    if (widget->sizeHint().width() > widget->width())
        widget->resize(widget->sizeHint().width(), widget->height());
}

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
    setFixedSize(Twips::toPixels(6495), Twips::toPixels(5145));

    const auto label = [this](const char *name, const QString &caption) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Label1 = placed(label("Label1", QStringLiteral("Are you sure to replace the file ?")), 1470,
                    105, 3975, 375);
    Label2 = placed(label("Label2", QStringLiteral("Previous Image")), 840, 525, 1335, 375);
    chkTransparent =
        placed(new QCheckBox(QStringLiteral("&Transparent *"), this), 2625, 525, 1335, 255);
    chkTransparent->setObjectName(QStringLiteral("chkTransparent"));
    Label3 = placed(label("Label3", QStringLiteral("New Image")), 4440, 525, 1215, 255);
    picPrevious = placed(new PictureView(QSize(ViewSide, ViewSide), this), 120, 840, 3000, 3000);
    picPrevious->setObjectName(QStringLiteral("picPrevious"));
    picNew = placed(new PictureView(QSize(ViewSide, ViewSide), this), 3360, 840, 3000, 3000);
    picNew->setObjectName(QStringLiteral("picNew"));
    lblPrevious = placed(label("lblPrevious", QString()), 945, 3885, 1485, 435);
    lblNew = placed(label("lblNew", QString()), 4095, 3885, 1485, 435);
    lblConversion = placed(label("lblConversion", QString()), 4440, 4380, 1995, 435);
    lblConversion->setWordWrap(true);
    cmdYes = placed(new QPushButton(QStringLiteral("&Yes"), this), 1995, 4410, 1095, 375);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = placed(new QPushButton(QStringLiteral("&No"), this), 3360, 4410, 975, 375);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    Label4 = placed(label("Label4",
                          QStringLiteral("* Image palette must be formated correctly in oder to "
                                         "get transparent image in-game")),
                    240, 4830, 5895, 255);
    for (QWidget *caption :
         {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
          static_cast<QWidget *>(chkTransparent), static_cast<QWidget *>(Label3)})
        fitCaption(caption);
    // The footnote wraps where the font is too wide for one line; the window grows to hold it.
    Label4->setWordWrap(true);
    Label4->resize(Label4->width(), Label4->heightForWidth(Label4->width()));
    setFixedSize(width(), qMax(height(), Label4->geometry().bottom() + Twips::toPixels(60)));
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
    QString previous; // empty: temp.bmp
    MainModule::GetImageInfo(width[0], height[0], pixelFormat[0], previous);
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
        fitConversionNote();
        return true;
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, parentWidget(), failure);
        return false;
    }
}

void frmConfirm::fitConversionNote()
{
    // The note wraps in its designed width and gets every line it needs; the footnote and the
    // window move down to make room.
    lblConversion->resize(
        lblConversion->width(),
        qMax(lblConversion->height(), lblConversion->heightForWidth(lblConversion->width())));
    const int gap = Twips::toPixels(60);
    Label4->move(Label4->x(), qMax(Label4->y(), lblConversion->geometry().bottom() + gap));
    setFixedSize(width(), qMax(height(), Label4->geometry().bottom() + gap));
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
