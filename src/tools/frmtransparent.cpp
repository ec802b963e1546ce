#include "frmtransparent.h"

#include "records/palettebitmap.h"
#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "services/imaging.h"
#include "services/numberconversion.h"
#include "services/settings.h"
#include "widgets/contexthelp.h"
#include "widgets/paletteswatches.h"
#include "widgets/pictureview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <tuple>

namespace {

QLabel *label(const QString &caption, QWidget *parent)
{
    return new QLabel(caption, parent);
}

// The size the window opens at, when the screen has room for it.
constexpr QSize StartSize(613, 522);
constexpr int PaletteTopic = 109;

} // namespace

frmTransparent::frmTransparent(Prompts &prompts, Opener &opener, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmTransparent"));
    setWindowTitle(tr("Format"));

    // The picture takes the room the window is given; the palette controls keep a column.
    auto *outer = new QHBoxLayout(this);
    imageArea = new QScrollArea(this);
    imageArea->setFrameShape(QFrame::NoFrame);
    picImage = new PictureView(QSize(1, 1));
    picImage->setObjectName(QStringLiteral("picImage"));
    picImage->canvas().setGrowing(true); // takes the size of each picture drawn
    imageArea->setWidget(picImage);
    picImage->setZoomable(Settings::PaletteZoomKey, true);
    picImage->addZoomKeys(this);
    picImage->addZoomMenu();
    imageArea->viewport()->installEventFilter(this); // the fitted picture fills the view
    connect(picImage, &PictureView::mouseMoved, this,
            [this](QPoint position) { picImage_MouseMove(picImage->picturePixelAt(position)); });
    outer->addWidget(imageArea, 1);

    auto *column = new QVBoxLayout;
    outer->addLayout(column);
    cmdLoad = new QPushButton(tr("&Load Image"), this);
    cmdLoad->setObjectName(QStringLiteral("cmdLoad"));
    column->addWidget(cmdLoad, 0, Qt::AlignHCenter);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto *palette = new QVBoxLayout(Picture1);
    Label6 = label(tr("Palette"), Picture1);
    palette->addWidget(Label6, 0, Qt::AlignHCenter);
    auto *indexRow = new QHBoxLayout;
    Label5 = label(tr("Palette Index"), Picture1);
    indexRow->addWidget(Label5);
    cboPaletteIndex = new QComboBox(Picture1);
    cboPaletteIndex->setObjectName(QStringLiteral("cboPaletteIndex"));
    indexRow->addWidget(cboPaletteIndex, 1);
    palette->addLayout(indexRow);
    grdPalette = new PaletteSwatches(Picture1);
    grdPalette->setObjectName(QStringLiteral("grdPalette"));
    grdPalette->setToolTip(tr("Click a colour to choose its palette index"));
    palette->addWidget(grdPalette, 0, Qt::AlignHCenter);

    // The chosen colour beside its three values.
    auto *colourRow = new QHBoxLayout;
    lblPaletteColor = new QLabel(Picture1);
    lblPaletteColor->setObjectName(QStringLiteral("lblPaletteColor"));
    lblPaletteColor->setAutoFillBackground(true);
    lblPaletteColor->setFrameShape(QFrame::Box);
    lblPaletteColor->setMinimumHeight(fontMetrics().height() * 3 / 2);
    colourRow->addWidget(lblPaletteColor, 1);
    // The value fields sit right of the widest of their labels.
    auto *values = new QGridLayout;
    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 2;
    const auto valueRow = [&](int row, const QString &caption) {
        QLabel *l = label(caption, Picture1);
        auto *field = new QLineEdit(Picture1);
        field->setReadOnly(true);
        field->setMaximumWidth(fieldWidth);
        values->addWidget(l, row, 0);
        values->addWidget(field, row, 1);
        return std::pair {l, field};
    };
    std::tie(Label1, txtRed) = valueRow(0, tr("Red"));
    std::tie(Label2, txtGreen) = valueRow(1, tr("Green"));
    std::tie(Label3, txtBlue) = valueRow(2, tr("Blue"));
    colourRow->addLayout(values);
    palette->addLayout(colourRow);
    Label4 = label(tr("Transparency"), Picture1);
    palette->addWidget(Label4);
    auto *alphaRow = new QHBoxLayout;
    txtTransperency = new QLineEdit(Picture1);
    txtTransperency->setObjectName(QStringLiteral("txtTransperency"));
    txtTransperency->setMaxLength(3);
    txtTransperency->setMaximumWidth(fieldWidth);
    alphaRow->addWidget(txtTransperency);
    sldTransperency = new QSlider(Qt::Horizontal, Picture1);
    sldTransperency->setObjectName(QStringLiteral("sldTransperency"));
    sldTransperency->setRange(0, 255);
    sldTransperency->setPageStep(16);
    sldTransperency->setToolTip(tr("Transparency of the chosen colour, 0 to 255"));
    alphaRow->addWidget(sldTransperency, 1);
    palette->addLayout(alphaRow);
    cmdSave = new QPushButton(tr("&Save"), Picture1);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdOpaque = new QPushButton(tr("&Make all Opaque"), Picture1);
    cmdOpaque->setObjectName(QStringLiteral("cmdOpaque"));
    cmdLoad->setToolTip(tr("Open a 256-colour bitmap"));
    cmdSave->setToolTip(tr("Write the transparency of the chosen colour into the file"));
    cmdOpaque->setToolTip(tr("Write one transparency for every colour into the file"));
    auto *writeRow = new QHBoxLayout;
    writeRow->addWidget(cmdSave);
    writeRow->addWidget(cmdOpaque);
    palette->addLayout(writeRow);
    column->addWidget(Picture1);
    Picture1->setEnabled(false);
    column->addStretch(1);

    chkPreview = new QCheckBox(tr("Preview as transparent"), this);
    chkPreview->setObjectName(QStringLiteral("chkPreview"));
    column->addWidget(chkPreview);

    resize(StartSize);
    ContextHelp::addHelpKeys(this, opener, PaletteTopic);

    connect(cmdLoad, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
    connect(cboPaletteIndex, &QComboBox::currentIndexChanged, this,
            [this] { cboPaletteIndex_Click(); });
    connect(grdPalette, &PaletteSwatches::indexChosen, cboPaletteIndex,
            &QComboBox::setCurrentIndex);
    connect(sldTransperency, &QSlider::valueChanged, this, [this](int value) {
        if (txtTransperency->text().toInt() != value || txtTransperency->text().isEmpty())
            txtTransperency->setText(QString::number(value));
    });
    // A whole number in range moves the slider; anything else stays for Save to refuse.
    connect(txtTransperency, &QLineEdit::textChanged, this, [this](const QString &text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (ok && value >= 0 && value <= 255) {
            const QSignalBlocker quiet(sldTransperency);
            sldTransperency->setValue(value);
        }
    });
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
        showSwatches();
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

void frmTransparent::showSwatches()
{
    QList<QColor> colours;
    try {
        for (int i = 0; i < m_bitmap->entries(); ++i) {
            const PaletteBitmap::Entry e = m_bitmap->entry(i);
            colours << QColor(e.red, e.green, e.blue);
        }
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
    grdPalette->setColours(colours);
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
        path = MainModule::ShowOpenDialog(m_prompts, this,
                                          {{tr("Bitmap File"), QStringLiteral("*.bmp")}},
                                          tr("Select the file you want to load"));
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
    setWindowTitle(Messages::paletteEditorTitle(QFileInfo(path).fileName()));
    showPlainPicture();
    setEditing(true);
}

void frmTransparent::cboPaletteIndex_Click()
{
    const int index = cboPaletteIndex->currentIndex();
    grdPalette->setCurrentIndex(index);
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

bool frmTransparent::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == imageArea->viewport())
        picImage->canvas().setBaseSize(imageArea->viewport()->size());
    return QWidget::eventFilter(watched, event);
}

void frmTransparent::closeEvent(QCloseEvent *event)
{
    if (m_bitmap)
        m_bitmap->close();
    event->accept();
}
