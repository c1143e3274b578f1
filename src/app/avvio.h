#pragma once

#include <memory>

class QApplication;

// The game as it starts: the real player, message boxes and file dialog, the shared module, the
// random generator and the main window, built and shown inside `applicazione`. Ending the game
// (closing the window or its hidden exit) quits `applicazione`. Everything lives as long as this
// object.
class GiocoAvviato
{
public:
    explicit GiocoAvviato(QApplication &applicazione);
    ~GiocoAvviato();
    GiocoAvviato(const GiocoAvviato &) = delete;
    GiocoAvviato &operator=(const GiocoAvviato &) = delete;

private:
    struct Parti;
    std::unique_ptr<Parti> m_parti;
};
