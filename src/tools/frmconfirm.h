#pragma once

#include "session/replaceplan.h"

#include <QDialog>

class PictureView;
class Prompts;
class QCheckBox;
class QLabel;
class QPushButton;

// The replace confirmation: the selected record as it is now beside the chosen file, both in
// 200 x 200 views that zoom together (fitted at first), with their sizes and pixel formats
// underneath and the pixel under the pointer at the bottom. A mismatch is
// refused; "Yes" accepts the plan, "No" and closing write nothing.
// An image record takes any picture of its size: one that is no 8-bit bitmap is shown as it will
// be stored, with what its import does to it (lblConversion), and its alpha is always kept.
class frmConfirm : public QDialog
{
    Q_OBJECT

public:
    frmConfirm(Prompts &prompts, const ReplacePlan &plan, QWidget *owner);
    ~frmConfirm() override;

    // Loads the window for the plan's file and shows it modally over its owner; true when it
    // was answered "Yes".
    bool ConfirmWrite();
    // The plan as answered: the Transparent box, and the picture as it will be stored.
    const ReplacePlan &plan() const { return m_plan; }

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
    QLabel *lblPointer = nullptr;
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;

private:
    void drawNew();
    // Works out what the picture becomes in the record; false when it is refused.
    bool planPicture();

    Prompts &m_prompts;
    ReplacePlan m_plan;
};
