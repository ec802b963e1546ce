#pragma once

#include <QDialog>

class Opener;
class QLabel;

// The About dialog: the program's name and version with its credit, the catalogue's greeting,
// the licence and the fan site, whose addresses open through the opener.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    // text: the About message, its last word the fan site's host name, which becomes a link.
    AboutBox(Opener &opener, const QString &text, QWidget *parent);

    QLabel *lblText = nullptr;
    QLabel *lblLicence = nullptr;
};
