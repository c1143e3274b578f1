#pragma once

#include <functional>
#include <string>

// Plays one recording and returns at once; `fine` is called once it has been heard to its end.
// The path is the catalogue's full path ("C:\Quarzolo\Suoni\Lotto\click.wav"); the player finds
// the local file. A missing or unplayable recording is not reported: `fine` is simply called,
// possibly before the call returns.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    virtual void suona(const std::string &percorso, std::function<void()> fine) = 0;
    // Whether what it plays can be heard now: the machine has an audio output.
    virtual bool udibile() const = 0;
};
