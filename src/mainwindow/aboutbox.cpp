#include "aboutbox.h"

#include "services/fansite.h"
#include "services/messages.h"
#include "services/opener.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *linkLabel(Opener &opener, const QString &html, QWidget *parent)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    QObject::connect(label, &QLabel::linkActivated, parent,
                     [&opener](const QString &link) { opener.openUrl(QUrl(link)); });
    return label;
}

// The message as HTML: its first line bold, its line breaks kept, the host name a link.
QString aboutHtml(const QString &text)
{
    const QString host = FanSite::hostName();
    QStringList lines = text.split(QStringLiteral("\r\n"));
    for (QString &line : lines)
        line = line.toHtmlEscaped();
    lines.first() = QStringLiteral("<b>%1</b>").arg(lines.first());
    QString &last = lines.last();
    if (last.endsWith(host))
        last = last.chopped(host.size())
            + QStringLiteral("<a href=\"%1\">%2</a>").arg(FanSite::baseAddress(), host);
    return lines.join(QStringLiteral("<br>"));
}

} // namespace

AboutBox::AboutBox(Opener &opener, const QString &text, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Messages::aboutTitle());
    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize) * 2;
    icon->setPixmap(QApplication::windowIcon().pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);

    lblText = linkLabel(opener, aboutHtml(text), this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblLicence = linkLabel(opener, Messages::licenceHtml(), this);
    lblLicence->setObjectName(QStringLiteral("lblLicence"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblText);
    texts->addWidget(lblLicence);
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addLayout(texts, 1);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(row);
    outer->addWidget(buttons);
    // Wide enough for the first line to stay one line.
    lblText->setMinimumWidth(fontMetrics().horizontalAdvance(text.section(u'\r', 0, 0)) * 6 / 5);
}
