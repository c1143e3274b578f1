#pragma once

#include <string>

// Plays one recording to its end while the caller waits, then returns. The path is the
// catalogue's full path ("C:\Quarzolo\Suoni\Lotto\click.wav"); the player finds the local file.
// A missing or unplayable recording is not reported: the call simply returns.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    virtual void suona(const std::string &percorso) = 0;
};
