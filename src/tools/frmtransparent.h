#pragma once

#include <QWidget>

#include <memory>

class PaletteBitmap;
class PaletteSwatches;
class PictureView;
class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Opener;
class QScrollArea;
class QSlider;

// The palette transparency editor: shows a 256-colour bitmap zoomed to its view, the colour
// table as a grid of swatches and each colour with its alpha (typed or slid), and writes single
// alphas or one alpha for all colours straight into the file. Modeless and without an owner.
class frmTransparent : public QWidget
{
    Q_OBJECT

public:
    frmTransparent(Prompts &prompts, Opener &opener, QWidget *parent = nullptr);
    ~frmTransparent() override;

    void Form_Load();
    void cmdLoad_Click();
    void cboPaletteIndex_Click();
    void cmdSave_Click();
    void cmdOpaque_Click();
    void chkPreview_Click();
    void picImage_MouseMove(QPoint position);

    // The file the palette controls read and write; empty before the first successful load.
    QString loadedPath() const { return m_path; }
    // Whether the edited file is open right now (something else may have closed it).
    bool hasOpenBitmap() const;

    PictureView *picImage = nullptr;
    QScrollArea *imageArea = nullptr;
    QPushButton *cmdLoad = nullptr;
    QCheckBox *chkPreview = nullptr;
    QWidget *Picture1 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label5 = nullptr;
    QComboBox *cboPaletteIndex = nullptr;
    PaletteSwatches *grdPalette = nullptr; // the same choice as cboPaletteIndex
    QLabel *lblPaletteColor = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtRed = nullptr;
    QLineEdit *txtGreen = nullptr;
    QLineEdit *txtBlue = nullptr;
    QLineEdit *txtTransperency = nullptr;
    QSlider *sldTransperency = nullptr; // kept in step with txtTransperency
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdOpaque = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Opens path as the edited bitmap after its byte-28 check; false (after the message) when
    // it is no 256-colour bitmap, leaving the previous file in place.
    bool openBitmap(const QString &path);
    void showPlainPicture();
    // Lists the indexes 0 to entries - 1, none chosen, unless the list holds them already.
    void listEntries(int entries);
    void setEditing(bool editing);
    // Shows the colours of the file's table in the grid.
    void showSwatches();

    Prompts &m_prompts;
    QString m_path;
    QString m_previewPath; // the file the transparent preview drew
    std::unique_ptr<PaletteBitmap> m_bitmap;
    bool m_previewing = false;
};
