#include "ZoTextBrowser.h"

#include "lumo/DPrintLog.h"

#include <QDesktopServices>
#include <QUrl>

namespace ZoGUI {

ZoTextBrowser::ZoTextBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setFrameShape(QFrame::NoFrame);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Links neither replace the shown text nor open by themselves: onAnchorClicked decides.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ZoTextBrowser::onAnchorClicked);
}

bool ZoTextBrowser::isOpenableLink(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !url.host().isEmpty();
}

void ZoTextBrowser::onAnchorClicked(const QUrl &url)
{
    if (!isOpenableLink(url)) {
        LUMO_LOG(4, "link not opened: %s", qUtf8Printable(url.toDisplayString()));
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace ZoGUI
