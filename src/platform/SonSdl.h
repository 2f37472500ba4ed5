#pragma once
// Sound output through SDL2: one voice at 44,100 Hz, 16-bit stereo. The device is opened when
// something plays and closed after a few idle seconds, because an open device costs CPU even
// while it only plays silence. Without a usable device every call is a silent no-op.
//
// Nothing here waits on the output: SDL runs on a sound thread of its own (platform/FilSon.h),
// these calls leave it requests and return at once. An output that does not handle a request
// within `delaiReponse` is away: the console hears of it once, the sound is given up on, and the
// first sound asked for after the output answers again is heard.

#include "platform/SortieSon.h"

#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>

class FilSon;

class SonSdl : public SortieSon {
public:
    // `delaiRepos`: idle time before the device closes, longer than any silence inside an
    // announcement (under 1.2 s), so that its clips all start with the open device's constant
    // latency, and short, since an open device wakes the program for every buffer even
    // while it plays silence. `attenteEssai`: after a failed open, how long before the
    // drivers are probed again (a sound server may start after us). `delaiReponse`: well above
    // what a sound server takes to start and open a stream on a busy machine (tens of ms), and
    // short enough for a command that speaks the time to give up within a few seconds.
    explicit SonSdl(std::chrono::milliseconds delaiRepos = std::chrono::milliseconds(1500),
                    std::chrono::milliseconds attenteEssai = std::chrono::seconds(5),
                    std::chrono::milliseconds delaiReponse = std::chrono::seconds(3));
    // Waits about a second at most for the sound thread to close the output.
    ~SonSdl() override;
    SonSdl(const SonSdl&) = delete;
    SonSdl& operator=(const SonSdl&) = delete;

    void joueDonnees(const QByteArray& wav) override;
    void joueFichier(const QString& chemin) override;
    void arrete() override;
    void prepare(int ouverteMs = 0) override;
    void gardeEveillee(bool eveillee) override;
    void regleVolume(int pourcent) override;

    // Starts the sound thread before the display's connection; the first SonSdl takes it over.
    // SDL is loaded and started there at the first sound, beside the window's making: loading
    // it, connecting to the desktop bus (which, when the session has none, means waiting for one
    // to be launched) and probing the drivers, none of which the window or the icon needs; a
    // second start, which only hands over to the clock that runs, never loads it.
    static void demarreEnParallele();

    bool peripheriqueOuvert() const;
    // True while the current sound still has frames to hand to the device, or waits for an
    // output that has not yet failed to answer.
    bool joue() const override;
    // When the device thread first took frames of the sound started last (for latency checks);
    // the epoch while it has not yet.
    std::chrono::steady_clock::time_point premiereTrame() const;

    // Why no sound can be had (no device, or one that did not answer in time); empty while the
    // output works or has not been tried.
    QString absence() const;
    // The caller tells the console of an outage itself (with absence()), in its own words.
    void taisAbsences();

private:
    // Watches request `numero`: not handled within delaiReponse_, the output is away.
    void surveille(uint64_t numero);
    void verifie();
    // The output does not answer: the console is told, the requests left are given up on.
    void muette() const;

    std::shared_ptr<FilSon> fil_;
    std::chrono::milliseconds delaiReponse_;
    QTimer surveillance_;
    uint64_t numeroSurveille_ = 0;
};
