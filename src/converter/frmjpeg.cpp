#include "frmjpeg.h"

#include "jpegconversion.h"

#include "services/errorreport.h"
#include "services/filedialogs.h"
#include "services/fileidentity.h"
#include "services/helppages.h"
#include "services/numberconversion.h"
#include "services/opener.h"
#include "services/settings.h"
#include "widgets/busycursor.h"
#include "widgets/contexthelp.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize PreviewBox(160, 120);
constexpr QRgb White = 0xFFFFFFFF;
constexpr int ConverterTopic = 203; // the page of the Open button describes the whole window

// The busy pointer, and the repaint of what a closed dialog uncovered, reach the screen before
// a long piece of work holds the window.
void showBusyPointerNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

frmJPEG::frmJPEG(Prompts &prompts, Opener &opener, QWidget *owner)
    : QDialog(owner)
    , m_prompts(prompts)
    , m_opener(opener)
{
    setObjectName(QStringLiteral("frmJPEG"));
    setWindowTitle(tr("Bmp -> Jpg"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PreviewBox);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);

    cmdOpen = new QPushButton(tr("Open"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdOpen->setDefault(true);
    chkName = new QCheckBox(tr("Auto Name"), this);
    chkName->setObjectName(QStringLiteral("chkName"));
    chkresize = new QCheckBox(tr("&Resize image"), this);
    chkresize->setObjectName(QStringLiteral("chkresize"));

    Frame1 = new QGroupBox(tr("Jpeg resize options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setEnabled(false);
    auto *sizes = new QFormLayout(Frame1);
    Label2 = new QLabel(tr("Width"), Frame1);
    Label3 = new QLabel(tr("Height"), Frame1);
    txtWidth = new QLineEdit(Frame1);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtHeight = new QLineEdit(Frame1);
    txtHeight->setObjectName(QStringLiteral("txtHeight"));
    Label2->setBuddy(txtWidth);
    Label3->setBuddy(txtHeight);
    sizes->addRow(Label2, txtWidth);
    sizes->addRow(Label3, txtHeight);

    lblFileName = new QLabel(this);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    lblFileName->hide();

    auto *controls = new QVBoxLayout;
    controls->addWidget(cmdOpen);
    controls->addWidget(chkName);
    controls->addWidget(chkresize);
    controls->addWidget(Frame1);
    controls->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(controls);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const std::pair<QWidget *, int> topics[] = {{Image1, 201},   {chkName, 202},
                                                {cmdOpen, 203},  {chkresize, 204},
                                                {txtWidth, 205}, {txtHeight, 206}};
    for (const auto &[widget, topic] : topics)
        ContextHelp::setTopic(widget, topic);

    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(chkresize, &QCheckBox::toggled, this, [this] { chkresize_Click(); });
    ContextHelp::addHelpKeys(this, m_opener, ConverterTopic);
    Form_Load();
}

frmJPEG::~frmJPEG() = default;

void frmJPEG::Form_Load()
{
    txtWidth->setText(Settings::read(Settings::WidthKey, QStringLiteral("640")));
    txtHeight->setText(Settings::read(Settings::HeightKey, QStringLiteral("480")));
}

void frmJPEG::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // Stored as they stand, numbers or not.
    Settings::save(Settings::HeightKey, txtHeight->text());
    Settings::save(Settings::WidthKey, txtWidth->text());
}

void frmJPEG::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmJPEG::chkresize_Click()
{
    Frame1->setEnabled(chkresize->isChecked());
}

void frmJPEG::cmdOpen_Click()
{
    try {
        // A size that cannot be used is refused before the user picks any file.
        qint32 width = 0, height = 0;
        if (chkresize->isChecked()) {
            width = Convert::toInt32(txtWidth->text());
            height = Convert::toInt32(txtHeight->text());
            JpegConversion::checkSize(width, height);
        }
        const QString path = MainModule::ShowOpenDialog(
            m_prompts, this, {{tr("Bitmap image"), QStringLiteral("*.bmp")}},
            tr("Select the bmp file"));
        lblFileName->setText(path);
        {
            BusyCursor busy;
            showBusyPointerNow();
            m_picture = JpegConversion::loadPicture(path);
            Image1->setPixmap(QPixmap::fromImage(
                m_picture.scaled(PreviewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }

        QString target, answer;
        if (chkName->isChecked()) {
            target = JpegConversion::autoName(path);
        } else {
            answer = MainModule::ShowSaveDialog(m_prompts, this,
                                                {{tr("JPG image"), QStringLiteral("*.jpg")}});
            lblFileName->setText(answer);
            target = JpegConversion::withJpgExtension(answer);
        }
        FileIdentity::refuseInputs(target, QStringList {path} + keep);
        MainModule::askBeforeReplacing(m_prompts, this, target, answer);

        if (chkresize->isChecked()) {
            BusyCursor busy;
            showBusyPointerNow();
            m_picture = JpegConversion::resized(m_picture, width, height, White);
        }
        SaveJpeg(target);
    } catch (const Failure &failure) {
        Image1->clear();
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmJPEG::SaveJpeg(const QString &target)
{
    int status = 0;
    QString problem;
    try {
        BusyCursor busy;
        showBusyPointerNow();
        status = JpegConversion::saveJpeg(m_picture, target);
    } catch (const Failure &failure) {
        problem = failure.description();
    }
    m_prompts.inform(this, target);
    if (!problem.isEmpty())
        m_prompts.critical(this, problem);
    else if (status != 0)
        m_prompts.critical(this, Messages::cannotSaveImage(status));
}
