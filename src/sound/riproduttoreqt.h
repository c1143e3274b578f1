#pragma once

#include "shared/riproduttore.h"
#include "sound/radicesuoni.h"

#include <memory>
#include <vector>

class QAudioDevice;
class QAudioFormat;
class QAudioSink;

// Plays recordings on the default audio output through Qt Multimedia. The caller's windows keep
// repainting while a recording plays, but no click or key reaches them until it has ended
// (they get it afterwards). Without an output device, or with a recording that is missing or
// not a playable WAV, the call returns at once; so does a call made while a recording plays,
// which plays nothing.
class RiproduttoreQt : public Riproduttore
{
public:
    explicit RiproduttoreQt(RadiceSuoni radice = RadiceSuoni::predefinita());
    ~RiproduttoreQt() override;
    RiproduttoreQt(const RiproduttoreQt &) = delete;
    RiproduttoreQt &operator=(const RiproduttoreQt &) = delete;

    void suona(const std::string &percorso) override;

    // The longest a call waits beyond the recording's own length, counted from when the server
    // starts playing, should the output never say it has finished.
    static constexpr int kMargineMs = 250;

private:
    struct Uscita;

    // The output kept for this device and format, made on first use.
    QAudioSink &uscitaPer(const QAudioDevice &dispositivo, const QAudioFormat &formato);

    RadiceSuoni m_radice;
    // One output per device and sample format, kept until the player goes: destroying a
    // QAudioSink runs QCoreApplication::processEvents(), which inside a later call would hand
    // the windows the very clicks that call holds back.
    std::vector<std::unique_ptr<Uscita>> m_uscite;
    bool m_suona = false; // a recording is playing
};
