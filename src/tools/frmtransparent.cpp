#include "frmtransparent.h"

#include "widgets/twips.h"
#include "records/palettebitmap.h"
#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "services/imaging.h"
#include "services/numberconversion.h"
#include "widgets/pictureview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace {

// Places a control by its designed twips, widened where its caption needs more room.
template<typename W>
W *place(W *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips::toPixels(left), Twips::toPixels(top),
                        qMax(Twips::toPixels(width), widget->sizeHint().width()),
                        Twips::toPixels(height));
    return widget;
}

QLabel *label(const QString &caption, QWidget *parent)
{
    return new QLabel(caption, parent);
}

} // namespace

frmTransparent::frmTransparent(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmTransparent"));
    setWindowTitle(QStringLiteral("Format"));

    imageArea = place(new QScrollArea(this), 45, 45, 7680, 7680);
    imageArea->setFrameShape(QFrame::NoFrame);
    picImage = new PictureView(QSize(1, 1));
    picImage->setObjectName(QStringLiteral("picImage"));
    picImage->canvas().setGrowing(true); // takes the size of each picture drawn
    imageArea->setWidget(picImage);
    connect(picImage, &PictureView::mouseMoved, this,
            [this](QPoint position) { picImage_MouseMove(position); });

    cmdLoad = place(new QPushButton(QStringLiteral("&Load Image"), this), 7980, 315, 1005, 375);
    cmdLoad->setObjectName(QStringLiteral("cmdLoad"));

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Label6 = place(label(QStringLiteral("Palette"), Picture1), 240, 315, 735, 255);
    Label5 = place(label(QStringLiteral("Palette Index"), Picture1), 120, 675, 975, 255);
    cboPaletteIndex = place(new QComboBox(Picture1), 120, 915, 975, 315);
    cboPaletteIndex->setObjectName(QStringLiteral("cboPaletteIndex"));
    lblPaletteColor = place(new QLabel(Picture1), 120, 1395, 975, 375);
    lblPaletteColor->setObjectName(QStringLiteral("lblPaletteColor"));
    lblPaletteColor->setAutoFillBackground(true);
    lblPaletteColor->setFrameShape(QFrame::Box);
    Label1 = place(label(QStringLiteral("Red"), Picture1), 120, 1875, 495, 255);
    txtRed = place(new QLineEdit(Picture1), 600, 1875, 495, 285);
    Label2 = place(label(QStringLiteral("Green"), Picture1), 120, 2355, 495, 255);
    txtGreen = place(new QLineEdit(Picture1), 600, 2355, 495, 285);
    Label3 = place(label(QStringLiteral("Blue"), Picture1), 120, 2835, 495, 255);
    txtBlue = place(new QLineEdit(Picture1), 600, 2835, 495, 285);
    for (QLineEdit *shown : {txtRed, txtGreen, txtBlue})
        shown->setReadOnly(true);
    // The value fields sit right of the widest of their labels.
    const int fieldsLeft = std::max({Label1->geometry().right(), Label2->geometry().right(),
                                     Label3->geometry().right(), txtRed->x() - 1})
        + 1;
    for (QLineEdit *field : {txtRed, txtGreen, txtBlue})
        field->move(fieldsLeft, field->y());
    Label4 = place(label(QStringLiteral("Transparency"), Picture1), 120, 3195, 1095, 255);
    txtTransperency = place(new QLineEdit(Picture1), 240, 3555, 615, 285);
    txtTransperency->setObjectName(QStringLiteral("txtTransperency"));
    txtTransperency->setMaxLength(3);
    cmdSave = place(new QPushButton(QStringLiteral("&Save"), Picture1), 240, 4035, 855, 375);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdOpaque =
        place(new QPushButton(QStringLiteral("&Make all Opaque"), Picture1), 240, 4635, 855, 495);
    cmdOpaque->setObjectName(QStringLiteral("cmdOpaque"));
    place(Picture1, 7800, 945, 1335, 5265);
    Picture1->resize(Picture1->childrenRect().right() + 9, Picture1->height());
    Picture1->setEnabled(false);

    chkPreview =
        place(new QCheckBox(QStringLiteral("Preview as transparent"), this), 7875, 6510, 1275, 435);
    chkPreview->setObjectName(QStringLiteral("chkPreview"));
    cmdLoad->move(Picture1->x() + (Picture1->width() - cmdLoad->width()) / 2, cmdLoad->y());

    setFixedSize(qMax(Twips::toPixels(9195), childrenRect().right() + 6), Twips::toPixels(7830));

    connect(cmdLoad, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
    connect(cboPaletteIndex, &QComboBox::currentIndexChanged, this,
            [this] { cboPaletteIndex_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdOpaque, &QPushButton::clicked, this, [this] { cmdOpaque_Click(); });
    connect(chkPreview, &QCheckBox::toggled, this, [this] { chkPreview_Click(); });
    Form_Load();
}

frmTransparent::~frmTransparent() = default;

void frmTransparent::Form_Load()
{
    listEntries(256);
}

void frmTransparent::listEntries(int entries)
{
    if (cboPaletteIndex->count() == entries)
        return;
    const QSignalBlocker quiet(cboPaletteIndex);
    cboPaletteIndex->clear();
    for (int i = 0; i < entries; ++i)
        cboPaletteIndex->addItem(QString::number(i));
    cboPaletteIndex->setCurrentIndex(-1);
}

bool frmTransparent::hasOpenBitmap() const
{
    return m_bitmap && m_bitmap->isOpen();
}

bool frmTransparent::openBitmap(const QString &path)
{
    try {
        m_bitmap = std::make_unique<PaletteBitmap>(path);
        m_path = path;
        // The list holds the entries of this file's colour table; a chosen one shows afresh.
        listEntries(m_bitmap->entries());
        cboPaletteIndex_Click();
        return true;
    } catch (const Failure &failure) {
        // A file that is no 256-colour bitmap is refused by name; one that cannot be opened
        // ends the load silently. Either way the previous file stays the edited one.
        if (failure.number() == FailureNumber::BitmapMismatch)
            m_prompts.critical(this, failure.description());
        return false;
    }
}

void frmTransparent::setEditing(bool editing)
{
    Picture1->setEnabled(editing);
}

void frmTransparent::showPlainPicture()
{
    qint32 width = 0, height = 0;
    QString path = m_path;
    try {
        MainModule::DrawImageFile(picImage->canvas(), false, MainModule::Rotate180FlipX, width,
                                  height, path);
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmTransparent::cmdLoad_Click()
{
    QString path;
    try {
        path = MainModule::ShowOpenDialog(
            m_prompts, this, {{QStringLiteral("Bitmap File"), QStringLiteral("*.bmp")}},
            QStringLiteral("Select the file you want to load"));
    } catch (const Failure &) {
        // Cancelled: the loaded file stays the one the controls edit, reopened when used.
        if (m_bitmap)
            m_bitmap->close();
        return;
    }
    if (m_bitmap)
        m_bitmap->close();
    if (!openBitmap(path))
        return;
    showPlainPicture();
    setEditing(true);
}

void frmTransparent::cboPaletteIndex_Click()
{
    const int index = cboPaletteIndex->currentIndex();
    if (index < 0 || !m_bitmap)
        return;
    try {
        const PaletteBitmap::Entry e = m_bitmap->entry(index);
        QPalette swatch = lblPaletteColor->palette();
        swatch.setColor(QPalette::Window, QColor(e.red, e.green, e.blue));
        lblPaletteColor->setPalette(swatch);
        txtRed->setText(QString::number(e.red));
        txtGreen->setText(QString::number(e.green));
        txtBlue->setText(QString::number(e.blue));
        txtTransperency->setText(QString::number(e.alpha));
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmTransparent::cmdSave_Click()
{
    try {
        const QString text = txtTransperency->text();
        const double value = Convert::toNumber(text);
        if (value > 255 || value < 0)
            throw Failure(FailureNumber::TypeMismatch, Messages::numberNotBetween());
        const quint8 alpha = Convert::toByte(text);
        const qint32 index = Convert::toInt32(cboPaletteIndex->currentText());
        if (!m_bitmap)
            return;
        m_bitmap->setAlpha(index, alpha);
        m_prompts.inform(this, Messages::done());
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmTransparent::cmdOpaque_Click()
{
    // Any failure ends the command silently, with nothing written.
    try {
        const QString title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        const std::optional<QString> answer =
            m_prompts.input(this, Messages::typeTransparency(), title, QStringLiteral("255"));
        const quint8 alpha = Convert::toByte(answer.value_or(QString()));
        if (!m_bitmap)
            return;
        m_bitmap->setAllAlpha(alpha);
        m_prompts.inform(this, Messages::done());
    } catch (const Failure &failure) {
        // A file without alpha bytes says so; an unusable answer changes nothing silently.
        if (failure.number() == FailureNumber::BitmapMismatch)
            MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmTransparent::chkPreview_Click()
{
    if (chkPreview->isChecked()) {
        if (m_bitmap)
            m_bitmap->close();
        m_previewing = true;
        QString path = m_path; // an empty path becomes temp.bmp
        try {
            MainModule::DrawTransparentBitmap(picImage->canvas(), false, 0, 0, path);
        } catch (const Failure &failure) {
            MainModule::ReportError(m_prompts, this, failure);
        }
        m_previewPath = path;
        picImage->setEnabled(false);
        Picture1->setEnabled(false);
        cmdLoad->setEnabled(false);
        return;
    }
    m_previewing = false;
    picImage->setEnabled(true);
    cmdLoad->setEnabled(true);
    // The previewed file becomes the edited one, after the same check as a load.
    if (m_previewPath != m_path || !m_bitmap) {
        if (!openBitmap(m_previewPath)) {
            picImage->canvas().clear();
            return;
        }
    }
    showPlainPicture();
    setEditing(true);
}

void frmTransparent::picImage_MouseMove(QPoint position)
{
    if (m_previewing || !m_bitmap || !picImage->isEnabled())
        return;
    try {
        // The view shows the rows mirrored: its top row is the record's first, bottom row.
        if (std::optional<quint8> index = m_bitmap->pixelIndex(position.x(), position.y()))
            cboPaletteIndex->setCurrentIndex(*index);
    } catch (const Failure &) {
        // The file went away under the pointer; nothing to show.
    }
}

void frmTransparent::closeEvent(QCloseEvent *event)
{
    if (m_bitmap)
        m_bitmap->close();
    event->accept();
}
