#pragma once

class QCoreApplication;

namespace MainModule {

// Installs the program's translation for the system's languages, and Qt's own, when they are
// installed (kestrix_de.qm in translations/ beside the executable or in share/kestrix/translations
// of an installed copy). Without one the texts stay in English; nothing is reported.
void InstallTranslations(QCoreApplication &app);

} // namespace MainModule
