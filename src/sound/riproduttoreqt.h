#pragma once

#include "shared/riproduttore.h"
#include "sound/radicesuoni.h"

#include <QAudioFormat>
#include <QByteArray>

#include <memory>
#include <vector>

class QAudioDevice;
class QAudioSink;

// Plays recordings on the default audio output through Qt Multimedia, in the program's own
// event loop: the call returns at once and the end is told once the recording has been heard.
// Without an output device, or with a recording that is missing or not a playable WAV, the end
// is told at once; so it is for a call made while a recording plays, which plays nothing.
class RiproduttoreQt : public Riproduttore
{
public:
    explicit RiproduttoreQt(RadiceSuoni radice = RadiceSuoni::predefinita());
    ~RiproduttoreQt() override;
    RiproduttoreQt(const RiproduttoreQt &) = delete;
    RiproduttoreQt &operator=(const RiproduttoreQt &) = delete;

    void suona(const std::string &percorso, std::function<void()> fine) override;
    bool udibile() const override;

    // The longest a recording is waited on beyond its own length, counted from when the server
    // starts playing, should the output never say it has finished.
    static constexpr int kMargineMs = 250;

    // A recording in the output's format.
    struct Suono
    {
        QAudioFormat formato;
        QByteArray dati;
    };

private:
    struct Uscita;
    struct InCorso;

    void avvia(QAudioSink &uscita, Suono suono, std::function<void()> fine);
    void alimenta();
    void controlla();
    void termina();

    // The output kept for this device and format, made on first use.
    QAudioSink &uscitaPer(const QAudioDevice &dispositivo, const QAudioFormat &formato);

    RadiceSuoni m_radice;
    std::unique_ptr<InCorso> m_inCorso; // outlives the outputs, which may speak as they go
    // One output per device and sample format, kept until the player goes: destroying a
    // QAudioSink runs QCoreApplication::processEvents().
    std::vector<std::unique_ptr<Uscita>> m_uscite;
};
