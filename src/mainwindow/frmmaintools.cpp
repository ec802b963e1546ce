// The Tools menu's windows: the palette editor and the BMP to JPG converter.
#include "frmmain.h"

#include "converter/frmjpeg.h"
#include "services/apppath.h"
#include "tools/frmtransparent.h"
#include "widgets/screenfit.h"

frmTransparent *frmMain::paletteEditor() const
{
    return m_palette;
}

void frmMain::mnuFp_Click()
{
    // Modeless and without an owner: the main window stays usable beside it.
    if (!m_palette) {
        m_palette = new frmTransparent(m_prompts, m_opener);
        m_palette->setAttribute(Qt::WA_DeleteOnClose);
        ScreenFit::fit(m_palette);
        ScreenFit::centre(m_palette, this);
    }
    m_palette->show();
    m_palette->raise();
    m_palette->activateWindow();
}

void frmMain::mnuJPG_Click()
{
    frmJPEG converter(m_prompts, m_opener, this);
    converter.keep = {m_session.gobPath(), m_session.cataloguePath()};
    converter.exec();
    activateWindow();
}
