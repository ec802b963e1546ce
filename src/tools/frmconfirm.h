#pragma once

#include "pictures/pictureimport.h"

#include <QDialog>

#include <optional>

class frmMain;
class PictureView;
class QCheckBox;
class QLabel;
class QPushButton;

// The replace confirmation: the selected record as it is now beside the chosen file, both
// stretched into 200 x 200 views with their sizes and pixel formats underneath. A mismatch is
// refused; "Yes" hands the file to the main window's import, "No" and closing write nothing.
// An image record takes any picture of its size: one that is no 8-bit bitmap is shown as it will
// be stored, with what its import does to it (lblConversion), and its alpha is always kept.
class frmConfirm : public QDialog
{
    Q_OBJECT

public:
    explicit frmConfirm(frmMain &main);
    ~frmConfirm() override;

    // Loads the window for the new image at strFile and shows it modally over the main window;
    // returns when it has been closed.
    void ConfirmWrite(const QString &strFile);

    // Loading: the comparison, the two labels and the two pictures. ConfirmWrite runs it; tests
    // run it and show the window without a modal loop.
    void Form_Load();

    // Handlers.
    void chkTransparent_Click();
    void cmdYes_Click();
    void cmdNo_Click();

    QString strFile; // the new image

    // Controls.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QCheckBox *chkTransparent = nullptr;
    PictureView *picPrevious = nullptr;
    PictureView *picNew = nullptr;
    QLabel *lblPrevious = nullptr;
    QLabel *lblNew = nullptr;
    QLabel *lblConversion = nullptr;
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;

private:
    void drawNew();
    // Works out what the picture becomes in the record; false when it is refused.
    bool planPicture();
    void fitConversionNote();

    frmMain &m_main;
    std::optional<PictureImport::Plan> m_picture; // a picture that is no 8-bit bitmap
};
