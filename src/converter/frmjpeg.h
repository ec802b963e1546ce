#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>

class Opener;
class Prompts;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The BMP to JPG converter: turns a bitmap into a JPEG file of the highest quality, optionally
// scaled to a chosen width and height first. Shown modally over the main window.
class frmJPEG : public QDialog
{
    Q_OBJECT

public:
    frmJPEG(Prompts &prompts, Opener &opener, QWidget *owner = nullptr);
    ~frmJPEG() override;

    void Form_Load();
    void Form_Unload();
    void cmdOpen_Click();
    void chkresize_Click();

    // The picture being converted (scaled after a scaled conversion).
    const QImage &picJPG() const { return m_picture; }

    // Files no JPEG may replace besides the bitmap itself: the GOB file and the catalogue.
    QStringList keep;

    QPushButton *cmdOpen = nullptr;
    QCheckBox *chkName = nullptr;
    QCheckBox *chkresize = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLineEdit *txtHeight = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *lblFileName = nullptr;

    void done(int result) override;

private:
    void SaveJpeg(const QString &target);

    Prompts &m_prompts;
    Opener &m_opener;
    QImage m_picture;
    bool m_unloaded = false;
};
