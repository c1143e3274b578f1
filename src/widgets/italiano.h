#pragma once

class QCoreApplication;

// Qt's own dialogs and buttons (the file dialog, "Sì" and "No", "Annulla"...) speak Italian
// whatever the user's language: Qt's Italian catalogue is installed for the whole run. Numbers
// keep the format of the user's settings, since the default locale is left alone.
void parlaItaliano(QCoreApplication &app);
