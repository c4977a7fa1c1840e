#include "ZoTextBrowser.h"

namespace ZoGUI {

ZoTextBrowser::ZoTextBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setFrameShape(QFrame::NoFrame);
    setOpenExternalLinks(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

} // namespace ZoGUI
